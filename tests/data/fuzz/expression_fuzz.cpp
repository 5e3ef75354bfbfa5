// Compiles the fuzzer's bytes as an expression and evaluates it on a record.
#include <string_view>

#include "data/DatabaseError.h"
#include "data/index/Expression.h"

namespace {

using namespace brimo::data;

const std::vector<FieldDef> kFields = {
    {"NAME", 'C', 20, 0, 1}, {"AMOUNT", 'N', 10, 2, 21}, {"DAY", 'D', 8, 0, 31}, {"FLAG", 'L', 1, 0, 39}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string record = " Fuzz Name             -123.45 20240229T";
    auto bytes = std::as_bytes(std::span(record.data(), record.size()));
    try {
        index::Expression e = index::Expression::compile(text, kFields);
        if (e.type() == index::Expression::Type::Logical) {
            e.evaluateCondition(bytes, 1);
        } else if (e.width() <= 4096) {
            e.evaluateKey(bytes, 1);
        }
    } catch (const DatabaseError&) {
    }
    return 0;
}
