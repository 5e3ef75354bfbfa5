#pragma once

#include <exception>
#include <functional>
#include <set>
#include <string>

#include "data/Database.h"
#include "data/Table.h"

namespace brimo::maintenance {

// Rounds to `decimals` places, a half rounded away from zero, taking the
// value as it reads with 15 significant digits (so 1.2345, held as
// 1.23449999..., rounds to 1.235 at three places).
double roundHalfAwayFromZero(double value, int decimals);

// Recomputes the cost of every assembly or container that holds one of
// `changedCodes` (stock codes whose cost changed): the sum of each
// component's COST times its QUANTITY in the container definitions (CONDEF),
// rounded to `pricePrecision` decimals, saved into the container's COST
// through `stockCodes` (the editor's CODE cursor, so that its posting rules
// and after-post steps apply). A component missing from CODE adds nothing; a
// container missing from CODE is passed over. One level only: a container
// whose cost changes here is not rolled up further.
//
// The display refresh of `stockCodes` is paused meanwhile and the cursor is
// left ordered by stock code. Nothing happens when CONDEF cannot be opened or
// is empty. A container that cannot be saved is reported to `saveFailed` and
// the others are still done. Returns how many containers were saved.
int rollUpContainerCosts(const data::Database& database, data::Table& stockCodes,
                         const std::set<std::string>& changedCodes, int pricePrecision,
                         const std::function<void(const std::exception&)>& saveFailed);

}  // namespace brimo::maintenance
