#include "ui/SearchField.h"

#include <QApplication>
#include <QKeyEvent>

#include "ui/RecordBrowser.h"
#include "ui/RecordGrid.h"

namespace brimo::ui {

SearchField::SearchField(RecordBrowser& browser, RecordGrid& grid, QWidget* parent)
    : QLineEdit(parent), browser_(browser), grid_(grid) {
    connect(this, &QLineEdit::textChanged, this, &SearchField::upperCase);
}

void SearchField::upperCase(const QString& text) {
    const QString upper = text.toUpper();
    if (upper != text) {
        const int caret = cursorPosition();
        setText(upper);  // announces the upper-case text
        setCursorPosition(caret);
        return;
    }
    emit searchChanged(text);
}

void SearchField::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
            browser_.prior();
            break;
        case Qt::Key_Down:
            browser_.next();
            break;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            QKeyEvent forwarded(event->type(), event->key(), event->modifiers());
            QApplication::sendEvent(&grid_, &forwarded);
            break;
        }
        default:
            QLineEdit::keyPressEvent(event);
            return;
    }
    event->accept();
    grid_.setFocus(Qt::OtherFocusReason);
}

}  // namespace brimo::ui
