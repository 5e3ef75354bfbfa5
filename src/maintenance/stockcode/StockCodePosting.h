#pragma once

#include <set>
#include <string>

#include "maintenance/pricing/PricingRecord.h"

namespace brimo::maintenance {

// Container types of a stock code (CONTAINER).
enum class ContainerType : int32_t { none = 0, assembly = 1, container = 2 };

// Makes a stock code record consistent before it is written, in this order:
// CATEGORY, SUBCAT and PREFVENDOR lose leading and trailing blanks; a
// UNITSTOORD of 0 becomes 1; MAXIMUM is raised to MINIMUM, TARGETQTY raised
// to MINIMUM and then lowered to MAXIMUM; with the update option "Automatic"
// the prices are recomputed; an assembly or container is not serialized; a
// container does not deplete; a serialized item depletes.
void applyPostingRules(PricingRecord& stockCode, int roundingAmount);

// The saving side of the stock code editor: the posting rules, and the list
// of stock codes whose cost the user changed, which the container cost
// roll-up works from when the editor closes.
class StockCodePosting {
  public:
    // Cost changes are collected only when `collectCostChanges` (the editor
    // browses all stock codes).
    StockCodePosting(bool collectCostChanges, int roundingAmount)
        : collectCostChanges_(collectCostChanges), roundingAmount_(roundingAmount) {}

    // Before a record is written: notes its stock code when the user typed
    // into its cost and it is not a container, then applies the posting
    // rules. Throws what reading or writing the record throws, and
    // PricingError when the prices cannot be computed.
    void beforePost(PricingRecord& stockCode, bool costTyped);

    // Sorted, without duplicates.
    const std::set<std::string>& changedCosts() const { return changedCosts_; }

  private:
    bool collectCostChanges_;
    int roundingAmount_;
    std::set<std::string> changedCosts_;
};

}  // namespace brimo::maintenance
