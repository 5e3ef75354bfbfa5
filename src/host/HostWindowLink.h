#pragma once

#include <QRect>
#include <memory>
#include <optional>

#include "host/Settings.h"

class QWidget;
class QWindow;

namespace brimo::host {

// Ties a dialog to the host window that owns it, for as long as this object
// lives: the dialog becomes transient for the host window (window managers
// then keep it above the host and treat it as modal over it) and is centred
// over the host's frame. An id that names no window leaves the dialog
// unowned; on display-less platforms there is nothing to tie to.
class HostWindowLink {
  public:
    HostWindowLink(QWidget& dialog, WindowHandle hostWindow);
    ~HostWindowLink();

    HostWindowLink(const HostWindowLink&) = delete;
    HostWindowLink& operator=(const HostWindowLink&) = delete;

    bool linked() const { return hostWrapper_ != nullptr; }

  private:
    std::unique_ptr<QWindow> hostWrapper_;
};

// The host window's rectangle in logical pixels of the screen, or nothing
// when the id names no window of the X server Qt is connected to.
std::optional<QRect> hostWindowGeometry(WindowHandle hostWindow, double devicePixelRatio);

}  // namespace brimo::host
