#include "ui/TextBox.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <algorithm>

namespace brimo::ui {
namespace {

bool breaksLine(const QKeyEvent& event) {
    const QString typed = event.text();
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter || typed.contains(u'\n') ||
           typed.contains(u'\r');
}

}  // namespace

TextBox::TextBox(int maxLength, bool singleParagraph, QWidget* parent)
    : QPlainTextEdit(parent), maxLength_(maxLength), singleParagraph_(singleParagraph) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (settingText_) {
            return;
        }
        keepWithinLimit();
        emit textEdited(toPlainText());
    });
}

void TextBox::setText(const QString& text) {
    settingText_ = true;
    setPlainText(text.left(maxLength_));
    settingText_ = false;
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    if (singleParagraph_ && breaksLine(*event)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextBox::insertFromMimeData(const QMimeData* source) {
    if (!singleParagraph_ || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QString text = source->text();
    text.remove(u'\r');
    text.remove(u'\n');
    insertPlainText(text);
}

// What was just typed or pasted stands before the caret; the part of it that
// does not fit is taken out again.
void TextBox::keepWithinLimit() {
    const qsizetype excess = toPlainText().size() - maxLength_;
    if (excess <= 0) {
        return;
    }
    QTextCursor cursor = textCursor();
    const int end = cursor.position();
    const int start = std::max(0, end - static_cast<int>(excess));
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    settingText_ = true;
    cursor.removeSelectedText();
    settingText_ = false;
    const qsizetype stillOver = toPlainText().size() - maxLength_;
    if (stillOver > 0) {
        settingText_ = true;
        setPlainText(toPlainText().left(maxLength_));
        settingText_ = false;
    }
}

}  // namespace brimo::ui
