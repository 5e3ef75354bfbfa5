#pragma once

#include <functional>

class QWidget;

namespace brimo::ui {

// Runs something the user asked for. An error it throws is shown in the
// standard error box over `parent` with the error's own text; the caller
// learns of it by the result (false).
bool reportErrors(QWidget* parent, const std::function<void()>& action);

}  // namespace brimo::ui
