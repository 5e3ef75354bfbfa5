#pragma once

#include "host/Settings.h"

class QDialog;

namespace brimo::host {

// Shows the dialog modally over the whole application, owned by the host
// window, and returns the result it closed with.
int runModal(QDialog& dialog, WindowHandle hostWindow);

}  // namespace brimo::host
