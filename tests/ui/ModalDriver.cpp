#include "ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

namespace brimo::testing {
namespace {

constexpr int maximumPolls = 10000;

void pollForModal(std::shared_ptr<std::function<void(QWidget&)>> action, int pollsLeft) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal->isVisible()) {
        (*action)(*modal);
        return;
    }
    if (pollsLeft == 0) {
        ADD_FAILURE() << "no modal window appeared";
        return;
    }
    QTimer::singleShot(0, [action, pollsLeft] { pollForModal(action, pollsLeft - 1); });
}

void closeModal(QWidget& modal) {
    if (auto* dialog = qobject_cast<QDialog*>(&modal)) {
        dialog->reject();
    } else {
        modal.close();
    }
}

}  // namespace

void ensureTestApplication() {
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "brimo-test";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

void clickButton(QAbstractButton* button) {
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(std::min(8, button->width() / 2), button->height() / 2));
}

void onNextModal(std::function<void(QWidget&)> action) {
    auto shared = std::make_shared<std::function<void(QWidget&)>>(std::move(action));
    QTimer::singleShot(0, [shared] { pollForModal(shared, maximumPolls); });
}

ModalWatchdog::ModalWatchdog(std::chrono::milliseconds timeout) : timer_(new QTimer) {
    timer_->setSingleShot(false);
    timer_->setInterval(timeout);
    QObject::connect(timer_, &QTimer::timeout, [] {
        while (QWidget* modal = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "modal window left open: " << modal->windowTitle().toStdString();
            closeModal(*modal);
            if (QApplication::activeModalWidget() == modal) {
                modal->hide();
            }
        }
    });
    timer_->start();
}

ModalWatchdog::~ModalWatchdog() {
    delete timer_;
}

}  // namespace brimo::testing
