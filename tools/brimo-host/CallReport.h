#pragma once

#include <QString>
#include <optional>

#include "CallFrame.h"
#include "ExportCatalogue.h"

namespace brimo::demo {

// One line telling what a call returned and what it wrote: the result, then
// every output buffer and 16-bit cell, e.g.
//   StatementOptions -> 1  minimumDaysOut=2 includeCreditOut=0 sortOrderOut=0
QString describeCall(const ExportEntry& entry, const CallFrame& frame, std::optional<long> result);

}  // namespace brimo::demo
