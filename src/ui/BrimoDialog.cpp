#include "ui/BrimoDialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>

namespace brimo::ui {

BrimoDialog::BrimoDialog(const QString& name, const QString& caption, int helpTopic, QWidget* parent)
    : QDialog(parent), helpTopic_(helpTopic) {
    setObjectName(name);
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void BrimoDialog::reject() {
    done(modalCancel);
}

void BrimoDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        emit helpRequested(helpTopic_);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

QHBoxLayout* BrimoDialog::createOkCancelRow() {
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    cancel->setObjectName(QStringLiteral("btnCancel"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

}  // namespace brimo::ui
