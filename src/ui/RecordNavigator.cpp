#include "ui/RecordNavigator.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "ui/ErrorReport.h"
#include "ui/MessageBox.h"

namespace brimo::ui {
namespace {

struct ButtonLook {
    const char* name;
    QString glyph;
    const char* hint;
};

ButtonLook lookOf(RecordNavigator::Button button) {
    using B = RecordNavigator::Button;
    switch (button) {
        case B::first:
            return {"navFirst", QStringLiteral("|\u25C0"), "First record"};
        case B::prior:
            return {"navPrior", QStringLiteral("\u25C0"), "Prior record"};
        case B::next:
            return {"navNext", QStringLiteral("\u25B6"), "Next record"};
        case B::last:
            return {"navLast", QStringLiteral("\u25B6|"), "Last record"};
        case B::insert:
            return {"navInsert", QStringLiteral("+"), "Insert record"};
        case B::remove:
            return {"navDelete", QStringLiteral("\u2212"), "Delete record"};
        case B::edit:
            return {"navEdit", QStringLiteral("\u25B2"), "Edit record"};
        case B::post:
            return {"navPost", QStringLiteral("\u2714"), "Post edit"};
        case B::cancel:
            return {"navCancel", QStringLiteral("\u2716"), "Cancel edit"};
        case B::refresh:
            return {"navRefresh", QStringLiteral("\u21BB"), "Refresh data"};
    }
    return {};
}

}  // namespace

RecordNavigator::RecordNavigator(RecordLink& link, std::initializer_list<Button> buttons, QWidget* parent)
    : QWidget(parent), link_(link) {
    setObjectName(QStringLiteral("Navigator"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (Button which : buttons) {
        const ButtonLook look = lookOf(which);
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(look.name));
        button->setText(look.glyph);
        button->setToolTip(QString::fromLatin1(look.hint));
        button->setAccessibleName(QString::fromLatin1(look.hint));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(false);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setMinimumWidth(button->sizeHint().height() * 5 / 4);
        connect(button, &QToolButton::clicked, this, [this, which] { run(which); });
        row->addWidget(button);
        buttons_[which] = button;
    }
    connect(&link_, &RecordLink::recordChanged, this, &RecordNavigator::updateButtons);
    connect(&link_, &RecordLink::stateChanged, this, &RecordNavigator::updateButtons);
    updateButtons();
}

QToolButton* RecordNavigator::button(Button which) const {
    const auto found = buttons_.find(which);
    return found == buttons_.end() ? nullptr : found->second;
}

void RecordNavigator::run(Button which) {
    reportErrors(window(), [&] {
        switch (which) {
            case Button::first:
                return link_.first();
            case Button::prior:
                return link_.prior();
            case Button::next:
                return link_.next();
            case Button::last:
                return link_.last();
            case Button::insert:
                return link_.insert();
            case Button::remove:
                if (MessageBox::confirm(window(), QStringLiteral("Delete record?"))) {
                    link_.remove();
                }
                return;
            case Button::edit:
                return link_.edit();
            case Button::post:
                return link_.post();
            case Button::cancel:
                return link_.cancel();
            case Button::refresh:
                return link_.refresh();
        }
    });
    updateButtons();
}

void RecordNavigator::updateButtons() {
    const data::Table& table = link_.table();
    const bool editing = link_.editing();
    const bool empty = link_.isEmpty();
    const bool writable = !table.readOnly();
    const bool canMoveBack = !empty && (editing || !table.bof());
    const bool canMoveOn = !empty && (editing || !table.eof());
    const std::map<Button, bool> enabled{
        {Button::first, canMoveBack},
        {Button::prior, canMoveBack},
        {Button::next, canMoveOn},
        {Button::last, canMoveOn},
        {Button::insert, writable},
        {Button::remove, writable && !empty},
        {Button::edit, writable && !editing && !empty},
        {Button::post, editing},
        {Button::cancel, editing},
        {Button::refresh, !editing && !empty},
    };
    for (const auto& [which, button] : buttons_) {
        button->setEnabled(enabled.at(which));
    }
}

}  // namespace brimo::ui
