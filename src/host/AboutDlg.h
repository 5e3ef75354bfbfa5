#pragma once

#include "ui/BrimoDialog.h"

namespace brimo::host {

// "About Brimo": the product's name, "Version " and the version number with
// two decimals, and two lines of text chosen by the host.
class TAboutDlg : public ui::BrimoDialog {
    Q_OBJECT

  public:
    TAboutDlg(double version, const QString& firstText, const QString& secondText, QWidget* parent = nullptr);

    static QString versionText(double version);
};

}  // namespace brimo::host
