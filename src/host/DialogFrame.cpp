#include "host/DialogFrame.h"

#include <QDialog>

namespace brimo::host {

int runUnavailableDialog(const FrameRule& rule, WindowHandle hostWindow) noexcept {
    return runDialogFrame(
        rule, hostWindow, []() -> std::unique_ptr<QDialog> { throw DialogNotAvailable(); }, [](QDialog&, int, int&) {});
}

}  // namespace brimo::host
