#include "devices/MagStripeScanDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace brimo::devices {

TMagStripeScanDlg::TMagStripeScanDlg(QWidget* parent)
    : BrimoDialog(QStringLiteral("MagStripeScanDlg"), QStringLiteral("Mag Stripe Scan"), 5224, parent) {
    swipe_ = new QLineEdit(this);
    swipe_->setObjectName(QStringLiteral("edtSwipe"));
    swipe_->setMaxLength(maximumSwipeLength);
    swipe_->setEchoMode(QLineEdit::Password);
    // Every captured character shows as '*', whatever the style's own mask.
    swipe_->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    swipe_->setMinimumWidth(swipe_->fontMetrics().averageCharWidth() * 40);

    auto* prompt = new QLabel(QStringLiteral("Swipe the card through the reader."), this);
    prompt->setBuddy(swipe_);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(prompt);
    layout->addWidget(swipe_);
    layout->addLayout(createOkCancelRow());
    swipe_->setFocus();
}

QString TMagStripeScanDlg::swipedText() const {
    return swipe_->text();
}

}  // namespace brimo::devices
