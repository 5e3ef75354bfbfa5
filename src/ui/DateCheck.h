#pragma once

#include <QString>

class QWidget;

namespace brimo::ui {

// True when the text is a date by the user's date settings. Otherwise tells
// the user "The date entered is invalid." in an error box and gives false.
bool isValidDate(QWidget* parent, const QString& text);

}  // namespace brimo::ui
