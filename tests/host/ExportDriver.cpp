#include "ExportDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <string>

namespace {

std::deque<QString>& scripts() {
    static std::deque<QString> queued;
    return queued;
}

std::string& log() {
    static std::string lines;
    return lines;
}

void closeWindow(QWidget* window) {
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->reject();
    } else {
        window->close();
    }
}

void runAction(QWidget& window, const QString& action) {
    const QString verb = action.section(QLatin1Char(' '), 0, 0);
    const QString rest = action.section(QLatin1Char(' '), 1);
    QWidget* focus = window.focusWidget() != nullptr ? window.focusWidget() : &window;
    if (verb == QLatin1String("type")) {
        QTest::keyClicks(focus, rest);
    } else if (verb == QLatin1String("key")) {
        const Qt::Key key = rest == QLatin1String("Return")   ? Qt::Key_Return
                            : rest == QLatin1String("Escape") ? Qt::Key_Escape
                                                              : Qt::Key_Tab;
        QTest::keyClick(focus, key);
    } else if (verb == QLatin1String("click")) {
        if (auto* button = window.findChild<QAbstractButton*>(rest)) {
            // Near the left edge: a check or radio box reacts only to clicks
            // on its indicator and label, not on the rest of its row.
            QTest::mouseClick(button, Qt::LeftButton, {},
                              QPoint(std::min(8, button->width() / 2), button->height() / 2));
        }
    } else if (verb == QLatin1String("set")) {
        const QString name = rest.section(QLatin1Char(' '), 0, 0);
        const QString value = rest.section(QLatin1Char(' '), 1);
        QWidget* target = window.findChild<QWidget*>(name);
        if (auto* spin = qobject_cast<QSpinBox*>(target)) {
            spin->setValue(value.toInt());
        } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
            button->setChecked(value == QLatin1String("1"));
        } else if (auto* edit = qobject_cast<QLineEdit*>(target)) {
            edit->setText(value);
        }
    }
}

void driveWindow(QPointer<QWidget> window) {
    if (window.isNull() || !window->isVisible()) {
        return;
    }
    std::string entry = window->windowTitle().toStdString();
    if (auto* box = qobject_cast<QMessageBox*>(window.data())) {
        entry += "|" + box->text().toStdString();
    }
    if (scripts().empty()) {
        log() += "UNEXPECTED " + entry + "\n";
        closeWindow(window);
        return;
    }
    log() += entry + "\n";
    const QString script = scripts().front();
    scripts().pop_front();
    // A script that leaves its window open must not hang the test.
    QTimer::singleShot(20000, window, [window] {
        if (!window.isNull() && window->isVisible()) {
            log() += "TIMEOUT " + window->windowTitle().toStdString() + "\n";
            closeWindow(window);
        }
    });
    for (const QString& action : script.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (window.isNull() || !window->isVisible()) {
            return;
        }
        runAction(*window, action.trimmed());
    }
}

class ModalWatcher : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && widget->isModal()) {
                QPointer<QWidget> window(widget);
                QTimer::singleShot(0, widget, [window] { driveWindow(window); });
            }
        }
        return false;
    }
};

void installWatcher() {
    qApp->installEventFilter(new ModalWatcher);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(installWatcher)

extern "C" __attribute__((visibility("default"))) void brimo_driver_push(const char* script) {
    scripts().push_back(QString::fromUtf8(script));
}

extern "C" __attribute__((visibility("default"))) const char* brimo_driver_log(void) {
    return log().c_str();
}
