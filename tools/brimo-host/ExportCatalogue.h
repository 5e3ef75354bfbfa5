#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "CallFrame.h"

namespace brimo::demo {

enum class ParameterKind { window, textIn, textInOut, integer, real, shortOut };

struct Parameter {
    QString name;
    ParameterKind kind;
    QString defaultValue;
};

// One export: its name, the group it belongs to, its parameters (kinds taken
// from its C signature) and how to call it with a CallFrame.
struct ExportEntry {
    QString name;
    QString subsystem;
    std::vector<Parameter> parameters;
    bool hasResult;
    bool showsDialog;
    std::function<std::optional<long>(void* address, CallFrame& frame)> invoke;
};

// All 51 exports, grouped by subsystem in the order of the public header.
const std::vector<ExportEntry>& exportCatalogue();

}  // namespace brimo::demo
