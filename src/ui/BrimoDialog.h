#pragma once

#include <QDialog>

class QHBoxLayout;
class QPushButton;

namespace brimo::ui {

// Modal results the host sees: OK closes a dialog with 1, Cancel, Escape and
// the close box with 2.
inline constexpr int modalOk = 1;
inline constexpr int modalCancel = 2;

// Base of every dialog of the library. It carries the dialog's name (its
// objectName), its caption and the topic number of its page in the help file;
// F1 anywhere in the dialog emits helpRequested with that number.
class BrimoDialog : public QDialog {
    Q_OBJECT
    Q_PROPERTY(int helpTopic READ helpTopic CONSTANT)

  public:
    BrimoDialog(const QString& name, const QString& caption, int helpTopic, QWidget* parent = nullptr);

    int helpTopic() const { return helpTopic_; }

    void reject() override;

  signals:
    void helpRequested(int topic);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

    // A row with a stretch and the "&OK" (default) and "Cancel" buttons,
    // named btnOK and btnCancel, wired to accept and reject.
    QHBoxLayout* createOkCancelRow();

  private:
    int helpTopic_;
};

}  // namespace brimo::ui
