#pragma once

#include <QString>

namespace brimo::demo {

// Fills the directory with the sample data set, when this build has it.
void writeSampleData(const QString& directory);

}  // namespace brimo::demo
