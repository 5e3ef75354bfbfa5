#include "host/QtRuntime.h"

#include <xcb/xcb.h>

#include <QApplication>
#include <QThread>
#include <clocale>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/Settings.h"

namespace brimo::host {
namespace {

bool xcbDisplayAnswers() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers;
}

bool environmentSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// One entry of QT_QPA_PLATFORM ("name" or "name:options").
bool platformCanStart(std::string_view entry) {
    const std::string_view name = entry.substr(0, entry.find(':'));
    if (name.empty() || name == "xcb") {
        return xcbDisplayAnswers();
    }
    if (name.starts_with("wayland")) {
        return environmentSet("WAYLAND_DISPLAY");
    }
    return true;
}

// True when the platform plugin Qt would choose can start: a display that
// answers for xcb, a Wayland display for wayland, always for the others
// (offscreen, minimal and the like need none).
bool displayAvailable() {
    const char* requested = std::getenv("QT_QPA_PLATFORM");
    std::string_view platforms = requested != nullptr ? requested : "";
    if (platforms.empty()) {
        return platformCanStart({});
    }
    // Qt tries a ';'-separated list in order and takes the first that starts.
    while (!platforms.empty()) {
        const std::size_t end = platforms.find(';');
        if (platformCanStart(platforms.substr(0, end))) {
            return true;
        }
        platforms = end == std::string_view::npos ? std::string_view{} : platforms.substr(end + 1);
    }
    return false;
}

}  // namespace

QApplication& requireApplication() {
    if (QCoreApplication* existing = QCoreApplication::instance()) {
        auto* application = qobject_cast<QApplication*>(existing);
        if (application == nullptr) {
            throw RuntimeUnavailable("the host's application object cannot show widgets");
        }
        if (QThread::currentThread() != application->thread()) {
            throw RuntimeUnavailable("called from a thread other than the user-interface thread");
        }
        return *application;
    }
    if (!displayAvailable()) {
        throw RuntimeUnavailable("no display can be reached");
    }
    // QApplication keeps references to both for its whole life.
    static int argc = 1;
    static char programName[] = "brimo";
    static char* argv[] = {programName, nullptr};
    // QApplication calls setlocale(LC_ALL, ""), which would change how the
    // host's own printf and strtod treat numbers.
    const std::string hostLocale = std::setlocale(LC_ALL, nullptr);
    auto* application = new QApplication(argc, argv);
    std::setlocale(LC_ALL, hostLocale.c_str());
    QCoreApplication::setApplicationName(QString::fromStdString(settings().applicationTitle));
    return *application;
}

}  // namespace brimo::host
