#include "data/sql/IndexPlan.h"

#include <cmath>

namespace brimo::data::sql {
namespace {

const SourceIndex* indexOn(const std::vector<SourceIndex>& indexes, int column) {
    for (const SourceIndex& index : indexes) {
        if (index.column == column)
            return &index;
    }
    return nullptr;
}

// idxNum layout: bits 0-1 access, bit 2 equality, bits 3-4 lower bound and
// its inclusion, bits 5-6 upper bound and its inclusion, bit 7 descending,
// bits 8 and up the column + 1. xFilter's arguments come in the order
// equality, lower, upper, each only when present.
constexpr int kEqual = 1 << 2;
constexpr int kLower = 1 << 3;
constexpr int kLowerInclusive = 1 << 4;
constexpr int kUpper = 1 << 5;
constexpr int kUpperInclusive = 1 << 6;
constexpr int kDescending = 1 << 7;

}  // namespace

Plan choosePlan(const std::vector<SourceIndex>& indexes, double rowCount,
                const std::vector<PlanConstraint>& constraints, std::optional<std::pair<int, bool>> orderBy) {
    const double n = std::max(rowCount, 1.0);
    const double seekCost = std::log2(n + 1);
    Plan best;
    best.cost = n;
    best.rows = n;
    if (orderBy) {
        const SourceIndex* ordered = indexOn(indexes, orderBy->first);
        if (ordered && ordered->sqlOrder) {
            best.tag = ordered->tag;
            best.column = ordered->column;
            best.descending = orderBy->second;
            best.orderConsumed = true;
            // Walking a tag costs more per row than a physical scan, but saves the sort.
            best.cost = n * 1.5;
        }
    }
    auto consider = [&](Plan plan) {
        if (plan.cost < best.cost)
            best = std::move(plan);
    };
    for (size_t i = 0; i < constraints.size(); ++i) {
        const PlanConstraint& c = constraints[i];
        if (!c.usable || c.op != PlanOp::Equal)
            continue;
        Plan plan;
        plan.equalArg = static_cast<int>(i);
        plan.column = c.column;
        if (c.column < 0) {
            plan.access = Access::Rowid;
            plan.unique = true;
            plan.cost = 1;
            plan.rows = 1;
        } else if (const SourceIndex* index = indexOn(indexes, c.column)) {
            plan.access = Access::Tag;
            plan.tag = index->tag;
            plan.unique = index->unique;
            // Keys are mostly near-unique (numbers, codes, names).
            plan.rows = 1;
            plan.cost = seekCost + plan.rows;
        } else {
            // Slightly dearer than a tag: the map costs a scan to build.
            plan.access = Access::KeyMap;
            plan.rows = 1;
            plan.cost = seekCost + plan.rows + 0.5;
        }
        consider(plan);
    }
    for (const SourceIndex& index : indexes) {
        if (!index.ranges)
            continue;
        Plan plan;
        plan.access = Access::Tag;
        plan.tag = index.tag;
        plan.column = index.column;
        for (size_t i = 0; i < constraints.size(); ++i) {
            const PlanConstraint& c = constraints[i];
            if (!c.usable || c.column != index.column)
                continue;
            if ((c.op == PlanOp::Greater || c.op == PlanOp::GreaterEqual) && plan.lowerArg < 0) {
                plan.lowerArg = static_cast<int>(i);
                plan.lowerInclusive = c.op == PlanOp::GreaterEqual;
            } else if ((c.op == PlanOp::Less || c.op == PlanOp::LessEqual) && plan.upperArg < 0) {
                plan.upperArg = static_cast<int>(i);
                plan.upperInclusive = c.op == PlanOp::LessEqual;
            }
        }
        if (plan.lowerArg < 0 && plan.upperArg < 0)
            continue;
        const bool both = plan.lowerArg >= 0 && plan.upperArg >= 0;
        plan.rows = both ? n / 16 : n / 4;
        plan.cost = seekCost + plan.rows * 1.5;
        if (orderBy && orderBy->first == index.column && index.sqlOrder) {
            plan.descending = orderBy->second;
            plan.orderConsumed = true;
        }
        consider(plan);
    }
    // An ORDER BY not consumed costs a sort.
    if (orderBy && !best.orderConsumed && best.rows > 1)
        best.cost += best.rows * std::log2(best.rows) / 4;
    return best;
}

int encodePlanNumber(const Plan& plan) {
    int number = static_cast<int>(plan.access) | ((plan.column + 1) << 8);
    if (plan.equalArg >= 0)
        number |= kEqual;
    if (plan.lowerArg >= 0)
        number |= kLower | (plan.lowerInclusive ? kLowerInclusive : 0);
    if (plan.upperArg >= 0)
        number |= kUpper | (plan.upperInclusive ? kUpperInclusive : 0);
    if (plan.descending)
        number |= kDescending;
    return number;
}

Plan decodePlan(int number, const char* tag) {
    Plan plan;
    plan.access = static_cast<Access>(number & 3);
    plan.column = (number >> 8) - 1;
    plan.tag = tag ? tag : "";
    int arg = 0;
    if (number & kEqual)
        plan.equalArg = arg++;
    if (number & kLower) {
        plan.lowerArg = arg++;
        plan.lowerInclusive = (number & kLowerInclusive) != 0;
    }
    if (number & kUpper) {
        plan.upperArg = arg++;
        plan.upperInclusive = (number & kUpperInclusive) != 0;
    }
    plan.descending = (number & kDescending) != 0;
    return plan;
}

}  // namespace brimo::data::sql
