#include "ui/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace brimo::ui {
namespace {

MessageBox::Interceptor& interceptor() {
    static MessageBox::Interceptor current;
    return current;
}

struct KindLook {
    QString title;
    QMessageBox::Icon icon;
};

KindLook lookOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::error:
            return {QStringLiteral("Error"), QMessageBox::Critical};
        case MessageKind::warning:
            return {QStringLiteral("Warning"), QMessageBox::Warning};
        case MessageKind::information:
            return {QStringLiteral("Information"), QMessageBox::Information};
        case MessageKind::confirmation:
            return {QStringLiteral("Confirm"), QMessageBox::Question};
    }
    return {};
}

}  // namespace

void MessageBox::error(QWidget* parent, const QString& text) {
    show(MessageKind::error, parent, text);
}

void MessageBox::warning(QWidget* parent, const QString& text) {
    show(MessageKind::warning, parent, text);
}

void MessageBox::information(QWidget* parent, const QString& text) {
    show(MessageKind::information, parent, text);
}

bool MessageBox::confirm(QWidget* parent, const QString& text) {
    return show(MessageKind::confirmation, parent, text);
}

void MessageBox::interceptForTesting(Interceptor replacement) {
    interceptor() = std::move(replacement);
}

bool MessageBox::show(MessageKind kind, QWidget* parent, const QString& text) {
    if (interceptor()) {
        return interceptor()(ShownMessage{kind, text});
    }
    const KindLook look = lookOf(kind);
    QMessageBox box(look.icon, look.title, text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setWindowModality(Qt::ApplicationModal);
    if (kind != MessageKind::confirmation) {
        QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        ok->setObjectName(QStringLiteral("btnOK"));
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        box.exec();
        return true;
    }
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    yes->setObjectName(QStringLiteral("btnYes"));
    no->setObjectName(QStringLiteral("btnNo"));
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

}  // namespace brimo::ui
