#include "ui/UpperCaseValidator.h"

namespace brimo::ui {

QValidator::State UpperCaseValidator::validate(QString& input, int&) const {
    input = input.toUpper();
    return Acceptable;
}

}  // namespace brimo::ui
