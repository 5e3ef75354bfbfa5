#include "host/AboutDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace brimo::host {
namespace {

QLabel* addLabel(QWidget* dialog, QVBoxLayout* layout, const QString& name, const QString& text) {
    auto* label = new QLabel(text, dialog);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignHCenter);
    label->setTextFormat(Qt::PlainText);
    layout->addWidget(label);
    return label;
}

}  // namespace

TAboutDlg::TAboutDlg(double version, const QString& firstText, const QString& secondText, QWidget* parent)
    : BrimoDialog(QStringLiteral("AboutDlg"), QStringLiteral("About Brimo"), 0, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setSpacing(8);

    QLabel* product = addLabel(this, layout, QStringLiteral("lblProduct"), QStringLiteral("Brimo"));
    QFont productFont = product->font();
    productFont.setBold(true);
    productFont.setPointSizeF(productFont.pointSizeF() * 1.6);
    product->setFont(productFont);
    product->setMinimumWidth(product->fontMetrics().averageCharWidth() * 24);
    addLabel(this, layout, QStringLiteral("lblVersion"), versionText(version));
    addLabel(this, layout, QStringLiteral("lblFirstText"), firstText)->setVisible(!firstText.isEmpty());
    addLabel(this, layout, QStringLiteral("lblSecondText"), secondText)->setVisible(!secondText.isEmpty());

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addSpacing(8);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

QString TAboutDlg::versionText(double version) {
    return QStringLiteral("Version ") + QString::number(version, 'f', 2);
}

}  // namespace brimo::host
