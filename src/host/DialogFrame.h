#pragma once

#include <memory>
#include <stdexcept>
#include <type_traits>

#include "host/FrameRules.h"
#include "host/ModalRun.h"
#include "host/QtRuntime.h"
#include "host/Settings.h"

namespace brimo::host {

// Sets the application window to the host window while a dialog is being
// created, and back to what it was on every way out.
class ApplicationWindowScope {
  public:
    explicit ApplicationWindowScope(WindowHandle hostWindow) : saved_(settings().applicationWindow) {
        settings().applicationWindow = hostWindow;
    }
    ~ApplicationWindowScope() { settings().applicationWindow = saved_; }

    ApplicationWindowScope(const ApplicationWindowScope&) = delete;
    ApplicationWindowScope& operator=(const ApplicationWindowScope&) = delete;

  private:
    WindowHandle saved_;
};

// Raised by the creation step of an export whose dialog is not available in
// this build.
class DialogNotAvailable : public std::runtime_error {
  public:
    DialogNotAvailable() : std::runtime_error("this dialog is not available") {}
};

// The frame every dialog export runs in. Nothing thrown inside it escapes.
//
// Creation: with the application window set to the host window, make sure the
// widgets runtime can serve the call and create the dialog (create() returns
// a std::unique_ptr to it). A failure here returns the rule's creation
// failure value; nothing has been shown.
//
// Run: prepare(dialog) hands the export's inputs to the dialog, the dialog is
// shown modally over the host, and finish(dialog, modalResult, result) copies
// what the caller asked for and sets the export's result. A failure here
// returns the rule's run failure value, or in a single-guard frame whatever
// result had been set. The dialog is destroyed before the export returns.
template <class Create, class Prepare, class Finish>
int runDialogFrame(const FrameRule& rule, WindowHandle hostWindow, Create&& create, Prepare&& prepare,
                   Finish&& finish) noexcept {
    using DialogPtr = std::invoke_result_t<Create&>;
    DialogPtr dialog;
    int result = rule.creationFailure;
    try {
        ApplicationWindowScope owner(hostWindow);
        requireApplication();
        dialog = create();
    } catch (...) {
        return rule.creationFailure;
    }
    try {
        prepare(*dialog);
        const int modalResult = runModal(*dialog, hostWindow);
        finish(*dialog, modalResult, result);
    } catch (...) {
        if (!rule.keepsAssignedResult) {
            result = rule.runFailure;
        }
    }
    dialog.reset();
    return result;
}

template <class Create, class Finish>
int runDialogFrame(const FrameRule& rule, WindowHandle hostWindow, Create&& create, Finish&& finish) noexcept {
    return runDialogFrame(
        rule, hostWindow, std::forward<Create>(create), [](auto&) {}, std::forward<Finish>(finish));
}

// The frame of an export whose dialog this build does not have: it fails at
// creation, showing nothing.
int runUnavailableDialog(const FrameRule& rule, WindowHandle hostWindow) noexcept;

}  // namespace brimo::host
