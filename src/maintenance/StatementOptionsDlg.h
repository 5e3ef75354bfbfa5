#pragma once

#include <cstdint>

#include "ui/BrimoDialog.h"

class QCheckBox;
class QRadioButton;
class QSpinBox;

namespace brimo::maintenance {

// What the user chose for a run of customer statements.
struct StatementChoices {
    std::int16_t minimumDays = 2;            // days since the last statement, 0 to 28
    std::int16_t includeCreditBalances = 0;  // 1 or 0
    std::int16_t sortOrder = 0;              // 0 by customer name, 1 by ZIP/postal code

    bool operator==(const StatementChoices&) const = default;
};

// "Statement Processing Options": which accounts get a statement and in which
// order. It touches no table and remembers nothing; every dialog starts from
// the defaults of StatementChoices.
class TStatementOptionsDlg : public ui::BrimoDialog {
    Q_OBJECT

  public:
    explicit TStatementOptionsDlg(QWidget* parent = nullptr);

    StatementChoices choices() const;

  private:
    QSpinBox* minimumDays_;
    QCheckBox* includeCredit_;
    QRadioButton* byName_;
    QRadioButton* byZip_;
};

}  // namespace brimo::maintenance
