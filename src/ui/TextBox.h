#pragma once

#include <QPlainTextEdit>

namespace brimo::ui {

// A multi-line edit box whose text wraps at word boundaries, holding at most
// maxLength characters (what typing or pasting adds beyond that is dropped).
// A single-paragraph box ignores Enter and line-feed keys and takes pasted
// line breaks out. Tab moves the focus on.
class TextBox : public QPlainTextEdit {
    Q_OBJECT

  public:
    TextBox(int maxLength, bool singleParagraph, QWidget* parent = nullptr);

    int maxLength() const { return maxLength_; }

    QString text() const { return toPlainText(); }
    // Shows a text (cut to maxLength) without emitting textEdited.
    void setText(const QString& text);

  signals:
    // The user changed the text, with the text as it now stands.
    void textEdited(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    void keepWithinLimit();

    int maxLength_;
    bool singleParagraph_;
    bool settingText_ = false;
};

}  // namespace brimo::ui
