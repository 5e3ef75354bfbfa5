#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace brimo::dbtool {

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // an error, problems found, or nothing found
inline constexpr int kExitUsage = 2;

// Runs brimo-db with its arguments (without the program name), writing results
// to `out` and messages to `err`; returns the exit status.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace brimo::dbtool
