#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/sql/TableSource.h"

namespace brimo::data::sql {

enum class PlanOp { Equal, Greater, GreaterEqual, Less, LessEqual };

// One constraint SQLite offers: `column op value` (column -1 is the rowid).
struct PlanConstraint {
    int column = 0;
    PlanOp op = PlanOp::Equal;
    bool usable = true;
};

// How a cursor reaches its rows.
enum class Access {
    Scan,    // every record in physical order, or in a tag's order for ORDER BY
    Tag,     // equality or range through an index tag
    KeyMap,  // equality through a key map built on first use
    Rowid,   // one physical record
};

struct Plan {
    Access access = Access::Scan;
    int column = -1;    // the column served (Tag, KeyMap), or ordered by (Scan with a tag)
    std::string tag;    // Tag, or Scan in a tag's order
    int equalArg = -1;  // index into the constraints, or -1
    int lowerArg = -1;
    int upperArg = -1;
    bool lowerInclusive = true;
    bool upperInclusive = true;
    bool descending = false;
    bool orderConsumed = false;
    bool unique = false;  // at most one row
    double cost = 0;
    double rows = 0;
};

// Picks the cheapest way to serve the usable constraints: a rowid, an equality
// on a tagged column, an equality through a key map, a range on a tagged
// column, or a scan, and consumes a single-column ORDER BY when the access
// yields that order.
Plan choosePlan(const std::vector<SourceIndex>& indexes, double rowCount,
                const std::vector<PlanConstraint>& constraints, std::optional<std::pair<int, bool>> orderBy);

// The plan as xBestIndex hands it to xFilter: idxNum and idxStr.
int encodePlanNumber(const Plan& plan);
Plan decodePlan(int number, const char* tag);

}  // namespace brimo::data::sql
