#pragma once

#include "data/Database.h"
#include "data/FieldDef.h"

#include <filesystem>
#include <string>
#include <vector>

namespace brimo::data {

// Creates the production index of a new, empty table.
void createProductionIndex(const std::filesystem::path& path, const std::string& tableName,
                           const std::vector<FieldDef>& fields, const std::vector<TagSpec>& tags);

}  // namespace brimo::data
