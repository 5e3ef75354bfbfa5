#include "ui/RecordEditorDialog.h"

#include <QKeyEvent>

#include "ui/EditorPages.h"
#include "ui/ErrorReport.h"
#include "ui/RecordLink.h"

namespace brimo::ui {

void RecordEditorDialog::accept() {
    if (link_ != nullptr && !reportErrors(this, [this] { link_->post(); })) {
        return;
    }
    done(modalOk);
}

void RecordEditorDialog::reject() {
    if (link_ != nullptr) {
        reportErrors(this, [this] { link_->cancel(); });
    }
    BrimoDialog::reject();
}

void RecordEditorDialog::keyPressEvent(QKeyEvent* event) {
    if (pages_ != nullptr && event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        emit helpRequested(pages_->currentHelpTopic());
        event->accept();
        return;
    }
    BrimoDialog::keyPressEvent(event);
}

}  // namespace brimo::ui
