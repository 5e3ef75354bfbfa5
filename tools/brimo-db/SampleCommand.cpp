#include <charconv>
#include <ostream>

#include "Cli.h"
#include "Commands.h"
#include "sample/SampleDataSet.h"

namespace brimo::dbtool {

// Writes the sample data set into DIR; --records N sets the number of stock
// codes and customers.
int sampleCommand(const Invocation& call, std::ostream& out, std::ostream&) {
    sample::SampleOptions options;
    if (call.has("--records")) {
        const std::string& text = call.options.at("--records");
        uint32_t records = 0;
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), records);
        if (ec != std::errc() || end != text.data() + text.size() || records == 0)
            throw UsageError("--records needs a positive whole number, not " + text);
        options.records = records;
    }
    sample::writeSampleDataSet(call.args[0], options);
    out << "sample data set written to " << call.args[0] << "\n";
    return kExitOk;
}

}  // namespace brimo::dbtool
