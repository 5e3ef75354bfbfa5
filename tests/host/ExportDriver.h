/* A test-only library that a Qt-free test host loads beside the product
 * library. Once the product library has created its application object, the
 * driver watches for modal windows and runs a script on each one inside its
 * exec(), as a user would. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/* Queues the script for the next modal window. One action per line:
 *   set NAME VALUE   spin box value, check/radio state (1 or 0), or line text
 *   click NAME       clicks the button with that objectName
 *   type TEXT        types TEXT into the widget that has the focus
 *   key KEY          presses Return, Escape or Tab in the focus widget */
void brimo_driver_push(const char* script);

/* One line per modal window seen so far: its title, and for a message box a
 * '|' and its text. A window shown without a queued script is closed and
 * logged with the prefix "UNEXPECTED ". */
const char* brimo_driver_log(void);

#ifdef __cplusplus
}
#endif
