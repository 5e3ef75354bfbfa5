#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "data/Database.h"
#include "data/Table.h"
#include "selection/SearchCriteria.h"
#include "selection/SearchFilterDlg.h"
#include "selection/SelectionContext.h"
#include "ui/BrimoDialog.h"

class QLabel;
class QPushButton;

namespace brimo::ui {
class RecordBrowser;
class RecordGrid;
class SearchField;
}  // namespace brimo::ui

namespace brimo::selection {

// What every record selection list has: a table opened read-only, the search
// field ("&Search For:"), the list, the search filter behind "&Filter", and
// "&OK" and "&Cancel". A double click on a row is OK. The layout and the
// panel belong to each dialog.
class SelectionDlg : public ui::BrimoDialog {
    Q_OBJECT

  public:
    ui::SearchField& searchField() { return *search_; }
    ui::RecordGrid& grid() { return *grid_; }
    const SearchCriteria& criteria() const { return criteria_; }

    // Puts the text into the search field, which searches at once.
    void setSearchText(const QString& text);

    // The current record's field as text (trailing blanks removed); nothing
    // when the list is empty; an empty text when the field cannot be read.
    std::optional<std::string> currentText(std::string_view field) const;

    // Makes `criteria` the search filter of the list (no dialog shown).
    void applyCriteria(const SearchCriteria& criteria);

  protected:
    SelectionDlg(const QString& name, const QString& caption, int helpTopic, const SelectionContext& context,
                 std::string_view tableName, const std::string& initialTag, SearchFilterSetup filterSetup,
                 QWidget* parent, const std::function<void(data::Table&)>& prepareTable = {});
    ~SelectionDlg() override;

    data::Table& table() { return *table_; }
    const data::Table& table() const { return *table_; }
    ui::RecordBrowser& browser() { return *browser_; }
    QPushButton* makeButton(const char* name, const QString& caption);
    // Runs a user's action; an error it raises is shown in the error box and
    // the dialog stays open.
    void reportErrors(const std::function<void()>& action);

    // After a change of the search text: by default the list moves to the
    // first record at or after it (the first record for an empty text).
    virtual void searchChanged(const QString& text);
    void searchNearest(const QString& text);
    // After the condition list of the table changed: the list is rebuilt and
    // positioned by the search text again.
    void conditionsChanged();
    // A condition of the dialog's own that rows must meet besides the search
    // filter (empty: none). The list moves to its first record.
    void setOwnRowCondition(std::function<bool(const data::Table&)> condition);

    SelectionContext context_;
    QLabel* searchLabel_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    QPushButton* filterButton_;

  private:
    void openFilter();
    void installRowFilter();

    data::Database database_;
    std::unique_ptr<data::Table> table_;
    ui::RecordBrowser* browser_;
    ui::RecordGrid* grid_;
    ui::SearchField* search_;
    SearchFilterSetup filterSetup_;
    SearchCriteria criteria_;
    std::shared_ptr<CriteriaMatcher> matcher_;
    std::function<bool(const data::Table&)> ownCondition_;
};

}  // namespace brimo::selection
