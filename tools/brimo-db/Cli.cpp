#include "Cli.h"

#include <cstdint>
#include <ostream>

#include "Commands.h"
#include "data/DatabaseError.h"

namespace brimo::dbtool {

namespace {

struct Option {
    const char* name;
    bool takesValue;
};

struct Command {
    const char* name;
    size_t minArgs;
    size_t maxArgs;
    std::vector<Option> options;
    int (*run)(const Invocation&, std::ostream&, std::ostream&);
};

constexpr size_t kAny = SIZE_MAX;

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        {"info", 1, 1, {}, infoCommand},
        {"dump", 1, 1, {{"--tag", true}, {"--deleted", false}}, dumpCommand},
        {"seek", 3, 3, {}, seekCommand},
        {"check", 1, kAny, {}, checkCommand},
        {"reindex", 1, 1, {}, reindexCommand},
        {"sample", 1, 1, {{"--records", true}}, sampleCommand},
        {"sql", 2, 2, {{"--param", true}, {"--csv", false}}, sqlCommand},
    };
    return all;
}

constexpr const char* kUsage =
    "Usage: brimo-db COMMAND ARGUMENTS\n"
    "Administration of dBASE tables (.DBF with their .MDX and .DBT files).\n"
    "\n"
    "  info FILE                    header, fields and index tags, one per line\n"
    "  dump FILE [--tag NAME] [--deleted]\n"
    "                               the records as CSV, in physical order or in\n"
    "                               the order of a tag; --deleted adds a first\n"
    "                               column _deleted and the deleted records\n"
    "  seek FILE TAG KEY            the first record at or after KEY in TAG: its\n"
    "                               record number, then the record as CSV\n"
    "  check FILE...                every tag against the records and every memo\n"
    "                               reference; one line per problem\n"
    "  reindex FILE                 rebuilds the production index from the records\n"
    "  sample DIR [--records N]     writes the sample data set into DIR; with N,\n"
    "                               N stock codes and N customers\n"
    "  sql DIR STATEMENT [--param NAME=VALUE]... [--csv]\n"
    "                               runs one SQL statement over the tables of DIR:\n"
    "                               a query's rows as an aligned table, or with\n"
    "                               --csv as CSV; otherwise the rows changed\n"
    "\n"
    "After --, every argument is taken as an argument, not an option (for a\n"
    "statement that starts with a -- comment).\n"
    "\n"
    "Exit status: 0 done; 1 an error, problems found or no record found;\n"
    "2 a wrong command line.\n";

Invocation parse(const Command& command, const std::vector<std::string>& args) {
    Invocation call;
    bool optionsEnded = false;  // after "--" every argument is an argument (a statement may start with "--")
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !arg.starts_with("--")) {
            call.args.push_back(arg);
            continue;
        }
        const Option* option = nullptr;
        for (const Option& o : command.options)
            if (arg == o.name)
                option = &o;
        if (!option)
            throw UsageError("unknown option " + arg + " for " + command.name);
        std::string value;
        if (option->takesValue) {
            if (i + 1 >= args.size())
                throw UsageError(arg + " needs a value");
            value = args[++i];
        }
        call.options[arg] = value;
        call.values[arg].push_back(value);
    }
    if (call.args.size() < command.minArgs || call.args.size() > command.maxArgs)
        throw UsageError(std::string("wrong number of arguments for ") + command.name);
    return call;
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    for (const std::string& arg : args) {
        if (arg == "--")
            break;
        if (arg == "--help" || arg == "-h") {
            out << kUsage;
            return kExitOk;
        }
    }
    try {
        if (args.empty())
            throw UsageError("no command given");
        for (const Command& command : commands()) {
            if (args[0] == command.name)
                return command.run(parse(command, args), out, err);
        }
        throw UsageError("unknown command " + args[0]);
    } catch (const UsageError& e) {
        err << "brimo-db: " << e.what() << "\n" << kUsage;
        return kExitUsage;
    } catch (const data::DatabaseError& e) {
        err << "brimo-db: " << e.what() << "\n";
        return kExitFailure;
    }
}

}  // namespace brimo::dbtool
