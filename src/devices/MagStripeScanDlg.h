#pragma once

#include "ui/BrimoDialog.h"

class QLineEdit;

namespace brimo::devices {

// "Mag Stripe Scan": one masked field that receives what a keyboard-type card
// reader types. The field has the focus when the dialog opens and OK is the
// default button, so the Enter the reader sends after the track confirms it.
class TMagStripeScanDlg : public ui::BrimoDialog {
    Q_OBJECT

  public:
    static constexpr int maximumSwipeLength = 250;

    explicit TMagStripeScanDlg(QWidget* parent = nullptr);

    QString swipedText() const;

  private:
    QLineEdit* swipe_;
};

}  // namespace brimo::devices
