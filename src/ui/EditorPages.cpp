#include "ui/EditorPages.h"

#include <QAbstractButton>

namespace brimo::ui {
namespace {

// A group of radio buttons takes no focus itself: its checked button does, or
// else its first control that takes focus.
QWidget* focusTarget(QWidget* control) {
    if (control->focusPolicy() != Qt::NoFocus) {
        return control;
    }
    const auto buttons = control->findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons) {
        if (button->isChecked()) {
            return button;
        }
    }
    for (QWidget* child : control->findChildren<QWidget*>()) {
        if (child->focusPolicy() & Qt::TabFocus) {
            return child;
        }
    }
    return control;
}

}  // namespace

EditorPages::EditorPages(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("PageControl"));
    connect(this, &QTabWidget::currentChanged, this, [this](int page) {
        if (QWidget* control = firstControl(page)) {
            focusTarget(control)->setFocus(Qt::TabFocusReason);
        }
    });
}

void EditorPages::addPage(QWidget* page, const QString& caption, int helpTopic, QWidget* firstControl) {
    pages_.push_back(PageInfo{helpTopic, firstControl});
    addTab(page, caption);
}

int EditorPages::currentHelpTopic() const {
    const int page = currentIndex();
    return page >= 0 ? pages_[static_cast<std::size_t>(page)].helpTopic : 0;
}

QWidget* EditorPages::firstControl(int page) const {
    return page >= 0 && static_cast<std::size_t>(page) < pages_.size()
               ? pages_[static_cast<std::size_t>(page)].firstControl
               : nullptr;
}

}  // namespace brimo::ui
