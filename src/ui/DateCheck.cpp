#include "ui/DateCheck.h"

#include "reports/TextFunctions.h"
#include "ui/MessageBox.h"

namespace brimo::ui {

bool isValidDate(QWidget* parent, const QString& text) {
    if (reports::isValidDateText(text.toStdString())) {
        return true;
    }
    MessageBox::error(parent, QStringLiteral("The date entered is invalid."));
    return false;
}

}  // namespace brimo::ui
