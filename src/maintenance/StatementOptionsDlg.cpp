#include "maintenance/StatementOptionsDlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace brimo::maintenance {

TStatementOptionsDlg::TStatementOptionsDlg(QWidget* parent)
    : BrimoDialog(QStringLiteral("StatementOptionsDlg"), QStringLiteral("Statement Processing Options"), 5242, parent) {
    const StatementChoices defaults;

    minimumDays_ = new QSpinBox(this);
    minimumDays_->setObjectName(QStringLiteral("MinDays"));
    minimumDays_->setRange(0, 28);
    minimumDays_->setSingleStep(1);
    minimumDays_->setValue(defaults.minimumDays);
    auto* daysLabel = new QLabel(QStringLiteral("Minimum &days since last statement:"), this);
    daysLabel->setObjectName(QStringLiteral("lblMinDays"));
    daysLabel->setBuddy(minimumDays_);

    includeCredit_ = new QCheckBox(QStringLiteral("&Include accounts with credit balances"), this);
    includeCredit_->setObjectName(QStringLiteral("cbIncludeCredit"));
    includeCredit_->setChecked(defaults.includeCreditBalances != 0);

    auto* sortBy = new QGroupBox(QStringLiteral("Sort By"), this);
    sortBy->setObjectName(QStringLiteral("rgSortBy"));
    byName_ = new QRadioButton(QStringLiteral("Customer &Name"), sortBy);
    byName_->setObjectName(QStringLiteral("rbCustomerName"));
    byZip_ = new QRadioButton(QStringLiteral("&Zip/Postal Code"), sortBy);
    byZip_->setObjectName(QStringLiteral("rbZipCode"));
    (defaults.sortOrder == 0 ? byName_ : byZip_)->setChecked(true);
    auto* sortLayout = new QVBoxLayout(sortBy);
    sortLayout->addWidget(byName_);
    sortLayout->addWidget(byZip_);

    auto* daysRow = new QHBoxLayout;
    daysRow->addWidget(daysLabel);
    daysRow->addWidget(minimumDays_);
    daysRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(daysRow);
    layout->addWidget(includeCredit_);
    layout->addWidget(sortBy);
    layout->addLayout(createOkCancelRow());

    auto* ok = findChild<QPushButton*>(QStringLiteral("btnOK"));
    auto* cancel = findChild<QPushButton*>(QStringLiteral("btnCancel"));
    setTabOrder(minimumDays_, includeCredit_);
    setTabOrder(includeCredit_, byName_);
    setTabOrder(byName_, byZip_);
    setTabOrder(byZip_, ok);
    setTabOrder(ok, cancel);
    minimumDays_->setFocus();
}

StatementChoices TStatementOptionsDlg::choices() const {
    return StatementChoices{
        static_cast<std::int16_t>(minimumDays_->value()),
        static_cast<std::int16_t>(includeCredit_->isChecked() ? 1 : 0),
        static_cast<std::int16_t>(byZip_->isChecked() ? 1 : 0),
    };
}

}  // namespace brimo::maintenance
