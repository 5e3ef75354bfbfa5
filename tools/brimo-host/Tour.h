#pragma once

#include <QString>

namespace brimo::demo {

class ExportLibrary;

// Calls every export once with sample arguments, prints each result and saves
// a picture of each dialog that opens into `directory` (NN-Export.png), then
// closes it: the card swipe dialog receives a sample swipe and is confirmed,
// every other window is cancelled. The settings point at dataDirectory, for
// the tables and for the INI file. Returns the process exit code.
int runTour(const ExportLibrary& library, const QString& directory, const QString& dataDirectory);

}  // namespace brimo::demo
