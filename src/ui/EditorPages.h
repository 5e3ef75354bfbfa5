#pragma once

#include <QTabWidget>
#include <vector>

namespace brimo::ui {

// The tabbed pages of an editor. Each page carries the topic of its help page
// and its first control, which gets the focus when the page is switched to.
class EditorPages : public QTabWidget {
    Q_OBJECT

  public:
    explicit EditorPages(QWidget* parent = nullptr);

    void addPage(QWidget* page, const QString& caption, int helpTopic, QWidget* firstControl);

    int currentHelpTopic() const;
    QWidget* firstControl(int page) const;

  private:
    struct PageInfo {
        int helpTopic;
        QWidget* firstControl;
    };
    std::vector<PageInfo> pages_;
};

}  // namespace brimo::ui
