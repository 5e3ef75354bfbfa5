#pragma once

#include "ui/BrimoDialog.h"

class QPlainTextEdit;

namespace brimo::ui {

// A view-only window on a memo: the text wraps at word boundaries and can be
// selected and copied but not changed.
class MemoViewer : public BrimoDialog {
    Q_OBJECT

  public:
    MemoViewer(const QString& caption, const QString& text, QWidget* parent = nullptr);

    // Shows the window modally over `parent`.
    static void show(QWidget* parent, const QString& caption, const QString& text);
};

}  // namespace brimo::ui
