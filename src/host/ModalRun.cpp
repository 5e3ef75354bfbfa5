#include "host/ModalRun.h"

#include <QDialog>

#include "host/HostWindowLink.h"

namespace brimo::host {

int runModal(QDialog& dialog, WindowHandle hostWindow) {
    dialog.setWindowModality(Qt::ApplicationModal);
    HostWindowLink link(dialog, hostWindow);
    return dialog.exec();
}

}  // namespace brimo::host
