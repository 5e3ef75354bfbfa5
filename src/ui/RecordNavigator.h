#pragma once

#include <QWidget>
#include <initializer_list>
#include <map>

#include "ui/RecordLink.h"

class QToolButton;

namespace brimo::ui {

// A row of buttons that move through and change the records of a
// RecordLink: the buttons a dialog lists, in the order listed. Each button is
// enabled only where its action makes sense (no First at the first record, no
// Post in browse state, ...). An error of an action is shown in the standard
// error box; a move whose save of a pending change fails does not happen.
class RecordNavigator : public QWidget {
    Q_OBJECT

  public:
    enum class Button { first, prior, next, last, insert, remove, edit, post, cancel, refresh };

    RecordNavigator(RecordLink& link, std::initializer_list<Button> buttons, QWidget* parent = nullptr);

    // Null when the button is not shown.
    QToolButton* button(Button which) const;

  private:
    void run(Button which);
    void updateButtons();

    RecordLink& link_;
    std::map<Button, QToolButton*> buttons_;
};

}  // namespace brimo::ui
