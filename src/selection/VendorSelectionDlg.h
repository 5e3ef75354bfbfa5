#pragma once

#include <QString>
#include <optional>
#include <string>

#include "selection/SelectionDlg.h"

namespace brimo::ui {
class IndexChoice;
}

namespace brimo::selection {

// "Vendor Selection": finds a vendor in VENDOR.DBF by code or by name, or
// through the search filter. Typing in name order narrows the list to the
// names that begin with the text; the start text of a call narrows it in the
// order shown. A narrowing stays in place when the order changes.
class TVendorSelectionDlg : public SelectionDlg {
    Q_OBJECT

  public:
    static constexpr int helpTopic = 5052;

    // Throws DatabaseError when VENDOR.DBF cannot be opened.
    explicit TVendorSelectionDlg(const SelectionContext& context, QWidget* parent = nullptr);

    void applyStartText(const QString& text);

  protected:
    void searchChanged(const QString& text) override;

  private:
    // The records whose `field` begins with `prefix`.
    struct PrefixRange {
        std::string field;
        std::string prefix;
    };

    void chooseTag(const QString& tag);
    void arrangeColumns(const QString& tag);
    void setPrefixRange(std::optional<PrefixRange> range);
    void applyPrefixRange();

    ui::IndexChoice* indexChoice_;
    std::optional<PrefixRange> range_;
};

}  // namespace brimo::selection
