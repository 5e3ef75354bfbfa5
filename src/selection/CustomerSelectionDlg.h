#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "selection/SelectionDlg.h"

namespace brimo::ui {
class IndexChoice;
}

namespace brimo::selection {

inline constexpr int modalNewCustomer = -2;

// "Customer Selection": finds a customer in CUST.DBF, by name (the list
// narrows to the names that begin with the search text), by number or by
// account number, or through the search filter. "&New" closes the dialog
// with modalNewCustomer so that the host can create a customer.
class TCustomerSelectionDlg : public SelectionDlg {
    Q_OBJECT

  public:
    static constexpr int helpTopic = 5015;

    // Throws DatabaseError when CUST.DBF cannot be opened.
    explicit TCustomerSelectionDlg(const SelectionContext& context, QWidget* parent = nullptr);

    // The start text of a call: "!" and a phone number fragment filters by
    // phone, "@" and an account number searches in account order, any other
    // text searches by name.
    void applyStartText(const QString& text);
    void hideNewButton();
    // CUSTNUM of the highlighted record; nothing when the list is empty or
    // the field is empty or cannot be read.
    std::optional<int32_t> currentCustomerNumber() const;

  protected:
    void searchChanged(const QString& text) override;

  private:
    void chooseTag(const QString& tag);
    void arrangeColumns(const QString& tag);
    void showNotes();
    void updateNotesButton();

    ui::IndexChoice* indexChoice_;
    QPushButton* newButton_;
    QPushButton* notesButton_;
};

}  // namespace brimo::selection
