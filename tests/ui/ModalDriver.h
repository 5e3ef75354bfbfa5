#pragma once

#include <QString>
#include <chrono>
#include <functional>

class QAbstractButton;
class QTimer;
class QWidget;

namespace brimo::testing {

// The QApplication of a test process, created on first use.
void ensureTestApplication();

// Queues an action for the next modal window: it runs inside that window's
// exec() as soon as the window is the active modal widget. Call it before the
// call that opens the window.
void onNextModal(std::function<void(QWidget& modal)> action);

// The child of a window with this objectName, failing the test when there is
// none.
template <class Widget>
Widget* child(QWidget& window, const QString& name);

// Clicks a button as a user would: near its left edge, because check and radio
// boxes react only to clicks on their indicator and label.
void clickButton(QAbstractButton* button);

// While it lives, a modal window still open after the timeout is closed and
// the test fails, so a broken test ends instead of hanging.
class ModalWatchdog {
  public:
    explicit ModalWatchdog(std::chrono::milliseconds timeout = std::chrono::seconds(20));
    ~ModalWatchdog();

    ModalWatchdog(const ModalWatchdog&) = delete;
    ModalWatchdog& operator=(const ModalWatchdog&) = delete;

  private:
    QTimer* timer_;
};

}  // namespace brimo::testing

#include "ModalDriver.inl"
