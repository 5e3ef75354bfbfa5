#pragma once

#include <stdexcept>

class QApplication;

namespace brimo::host {

// The widgets runtime cannot serve this call: no display, a host that made a
// non-widget application object, or a call from another thread than the one
// the runtime lives on.
class RuntimeUnavailable : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The application object dialogs run in. A Qt host's own QApplication is
// reused as it is. Otherwise one is created on the first call and kept for
// the life of the process, named after the library; the process's C locale
// is left as it was, and when no display can be reached the call fails
// instead of letting Qt abort the host. Only the thread the application
// lives on may use it.
QApplication& requireApplication();

}  // namespace brimo::host
