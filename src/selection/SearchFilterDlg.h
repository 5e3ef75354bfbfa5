#pragma once

#include <QString>
#include <string>
#include <vector>

#include "selection/SearchCriteria.h"
#include "ui/BrimoDialog.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace brimo::selection {

// What a list offers to its search filter.
struct SearchFilterSetup {
    QString caption;
    std::vector<std::string> fields;  // in their logical order
    std::string preselectedField;
    SearchType preselectedType = SearchType::partialAnywhere;
};

inline constexpr int searchFilterHelpTopic = 5229;

// "Super Search": criteria per field. The user picks a field from the list
// (in alphabetic or logical order) and gives it a value with a search type,
// case sensitivity and the choice of non-matching records, and/or a range.
// "&New Search" clears every field's criterion, "View Su&mmary" lists them.
// The dialog works on a copy: criteria() is what OK hands back.
class TSearchFilterDlg : public ui::BrimoDialog {
    Q_OBJECT

  public:
    TSearchFilterDlg(const SearchFilterSetup& setup, const SearchCriteria& current, QWidget* parent = nullptr);

    const SearchCriteria& criteria() const { return criteria_; }

    // The lines "View Su&mmary" shows.
    static QString summary(const SearchCriteria& criteria);

  private:
    void fillFieldList(bool alphabetic);
    void showField(const std::string& field);
    void storeField();
    void newSearch();
    void viewSummary();

    SearchFilterSetup setup_;
    SearchCriteria criteria_;
    std::string field_;
    bool showing_ = false;

    QListWidget* fieldList_;
    QRadioButton* alphabetic_;
    QRadioButton* logical_;
    QLineEdit* value_;
    QRadioButton* exactMatch_;
    QRadioButton* partialAtBeginning_;
    QRadioButton* partialAnywhere_;
    QCheckBox* caseSensitive_;
    QCheckBox* nonMatching_;
    QLineEdit* rangeStart_;
    QLineEdit* rangeEnd_;
};

}  // namespace brimo::selection
