#pragma once

// The commands of brimo-db (internal). Each returns the exit status; engine
// failures escape as DatabaseError and are reported by run().

#include <iosfwd>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace brimo::dbtool {

// A wrong command line: reported with the usage text, exit status 2.
class UsageError : public std::runtime_error {
  public:
    using runtime_error::runtime_error;
};

// A command's positional arguments and the options given (flags map to "").
// `options` holds the last value of each option, `values` every value in the
// order given (for options that may be repeated).
struct Invocation {
    std::vector<std::string> args;
    std::map<std::string, std::string> options;
    std::map<std::string, std::vector<std::string>> values;

    bool has(const std::string& option) const { return options.count(option) > 0; }
};

int infoCommand(const Invocation& call, std::ostream& out, std::ostream& err);
int dumpCommand(const Invocation& call, std::ostream& out, std::ostream& err);
int seekCommand(const Invocation& call, std::ostream& out, std::ostream& err);
int checkCommand(const Invocation& call, std::ostream& out, std::ostream& err);
int reindexCommand(const Invocation& call, std::ostream& out, std::ostream& err);
int sampleCommand(const Invocation& call, std::ostream& out, std::ostream& err);
int sqlCommand(const Invocation& call, std::ostream& out, std::ostream& err);

}  // namespace brimo::dbtool
