#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brimo::data {
class Table;
}

namespace brimo::selection {

// How a field value is compared with a record's field.
enum class SearchType { exactMatch, partialAtBeginning, partialAnywhere };

// What the search filter asks of one field: a value compared by the search
// type, and/or a range of values (both must hold when both are given). The
// text compares without regard to letter case unless caseSensitive; with
// nonMatching the records that do not meet it are the ones kept.
struct FieldCriterion {
    std::string field;
    std::string value;
    SearchType type = SearchType::partialAnywhere;
    bool caseSensitive = false;
    bool nonMatching = false;
    std::string rangeStart;  // empty: no lower bound
    std::string rangeEnd;    // empty: no upper bound; a shorter end compares as a prefix

    bool isSet() const { return !value.empty() || !rangeStart.empty() || !rangeEnd.empty(); }
    bool operator==(const FieldCriterion&) const = default;
};

// The criteria of a search filter, at most one per field (field names match
// without regard to letter case).
class SearchCriteria {
  public:
    const FieldCriterion* find(std::string_view field) const;
    // Replaces the field's criterion; one that is not set removes it.
    void set(const FieldCriterion& criterion);
    void clear() { criteria_.clear(); }
    bool empty() const { return criteria_.empty(); }
    const std::vector<FieldCriterion>& all() const { return criteria_; }

    bool operator==(const SearchCriteria&) const = default;

  private:
    std::vector<FieldCriterion> criteria_;
};

// Decides whether the current record of a table meets every criterion.
// Text, memo and character fields compare as text; numbers compare by value
// for an exact match and a range (as text for partial matches), dates
// likewise with values in the user's date format, logicals as T/F/Y/N.
class CriteriaMatcher {
  public:
    // Throws DatabaseError when a criterion names a field the table lacks.
    CriteriaMatcher(const SearchCriteria& criteria, const data::Table& table);
    ~CriteriaMatcher();
    CriteriaMatcher(CriteriaMatcher&&) noexcept;
    CriteriaMatcher& operator=(CriteriaMatcher&&) noexcept;

    bool matches(const data::Table& table) const;

  private:
    struct Bound;
    std::vector<Bound> bound_;
};

// Upper case of the letters of UTF-8 text: ASCII and the Latin-1 letters.
std::string foldCase(std::string_view text);

}  // namespace brimo::selection
