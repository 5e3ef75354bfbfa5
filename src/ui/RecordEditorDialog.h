#pragma once

#include "ui/BrimoDialog.h"

namespace brimo::ui {

class EditorPages;
class RecordLink;

// Base of the record editors. OK saves the record when it is being edited or
// inserted and closes with 1; when the save fails the engine's message is
// shown and the dialog stays open with the record still in edit state, so
// that nothing typed is lost. Cancel, Escape and the close box discard the
// pending changes and close with 2. F1 asks for the help topic of the page
// shown, when the editor has pages.
class RecordEditorDialog : public BrimoDialog {
    Q_OBJECT

  public:
    using BrimoDialog::BrimoDialog;

    void accept() override;
    void reject() override;

  protected:
    // Set once, while the dialog is built.
    void setRecordLink(RecordLink* link) { link_ = link; }
    void setPages(EditorPages* pages) { pages_ = pages; }

    void keyPressEvent(QKeyEvent* event) override;

  private:
    RecordLink* link_ = nullptr;
    EditorPages* pages_ = nullptr;
};

}  // namespace brimo::ui
