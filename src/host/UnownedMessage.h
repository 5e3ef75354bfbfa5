#pragma once

#include <string>

namespace brimo::host {

// Shows an error box that no window owns, for exports that have no host
// window. Nothing is shown when the widgets runtime cannot serve the call.
void showUnownedError(const std::string& text) noexcept;

}  // namespace brimo::host
