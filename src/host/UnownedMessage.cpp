#include "host/UnownedMessage.h"

#include "host/QtRuntime.h"
#include "ui/MessageBox.h"

namespace brimo::host {

void showUnownedError(const std::string& text) noexcept {
    try {
        requireApplication();
        ui::MessageBox::error(nullptr, QString::fromStdString(text));
    } catch (...) {
        // The box is the only report of this failure; without a display there
        // is no one to tell.
    }
}

}  // namespace brimo::host
