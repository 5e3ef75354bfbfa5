#include "ui/MemoViewer.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace brimo::ui {

MemoViewer::MemoViewer(const QString& caption, const QString& text, QWidget* parent)
    : BrimoDialog(QStringLiteral("MemoViewer"), caption, 0, parent) {
    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("Memo"));
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setWordWrapMode(QTextOption::WordWrap);
    memo->setPlainText(text);
    memo->setMinimumSize(memo->fontMetrics().averageCharWidth() * 60, memo->fontMetrics().height() * 15);

    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo);
    layout->addLayout(buttons);
}

void MemoViewer::show(QWidget* parent, const QString& caption, const QString& text) {
    MemoViewer viewer(caption, text, parent);
    viewer.exec();
}

}  // namespace brimo::ui
