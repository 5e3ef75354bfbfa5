#pragma once

#include <QValidator>

namespace brimo::ui {

// Turns every letter typed or pasted into an edit box into upper case.
class UpperCaseValidator : public QValidator {
    Q_OBJECT

  public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;
};

}  // namespace brimo::ui
