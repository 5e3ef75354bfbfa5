#pragma once

#include <QString>
#include <vector>

#include "selection/SelectionDlg.h"

class QCheckBox;

namespace brimo::ui {
class RecordLabel;
}

namespace brimo::selection {

// "Stock Code Selection": finds a stock code in CODE.DBF by its beginning,
// by browsing, or through the search filter, with a panel of the highlighted
// item's prices, quantities and classification. Both tables are read-only.
//
// The company record (COINFO.DBF) gives the price precision and whether
// prices start hidden; when it cannot be read the panel shows two decimals
// and every value, without a message. Shift+F12 flips the visibility of the
// list price, sale price and discounts, and of the cost while cost is
// allowed. The state of "&Exclude Non-Stock Items" is saved in the settings
// file whenever the dialog closes.
class TCodeSelectionDlg : public SelectionDlg {
    Q_OBJECT

  public:
    static constexpr int helpTopic = 5106;

    // Throws DatabaseError when CODE.DBF cannot be opened.
    explicit TCodeSelectionDlg(const SelectionContext& context, QWidget* parent = nullptr);

    // Only containers and assemblies are listed.
    void setContainersOnly();
    // The cost stays hidden whatever the user does.
    void forbidCost();

    void done(int result) override;

  private:
    void readCompanyRecord();
    void rebuildConditions();
    void togglePrices();
    void showNotes();
    void updateNotesButton();

    bool containersOnly_ = false;
    bool costAllowed_ = true;
    bool hidePrices_ = false;
    std::vector<ui::RecordLabel*> prices_;
    ui::RecordLabel* cost_ = nullptr;
    QPushButton* notesButton_;
    QCheckBox* excludeNonStock_;
};

}  // namespace brimo::selection
