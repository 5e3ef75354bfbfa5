#include "ui/BusyCursor.h"

#include <QApplication>
#include <QCursor>

namespace brimo::ui {

BusyCursor::BusyCursor() {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyCursor::~BusyCursor() {
    QApplication::restoreOverrideCursor();
}

}  // namespace brimo::ui
