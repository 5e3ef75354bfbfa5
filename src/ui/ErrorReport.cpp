#include "ui/ErrorReport.h"

#include <QString>
#include <exception>

#include "ui/MessageBox.h"

namespace brimo::ui {

bool reportErrors(QWidget* parent, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const std::exception& error) {
        MessageBox::error(parent, QString::fromUtf8(error.what()));
    }
    return false;
}

}  // namespace brimo::ui
