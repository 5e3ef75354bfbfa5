// The input is a memo file (the first byte chooses the level-3 or level-4
// layout): memos are read, written and released, which walks the free chain.
#include "FuzzFiles.h"
#include "data/DatabaseError.h"
#include "data/dbt/MemoFile.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace brimo::data;
    if (size < 1)
        return 0;
    const auto style = data[0] & 1 ? dbf::MemoStyle::Level3 : dbf::MemoStyle::Level4;
    const auto path = fuzz::writeScratchFile("T.DBT", {data + 1, size - 1});
    try {
        dbt::MemoFile memo(path, style, true);
        for (uint32_t block = 0; block < 24; ++block) {
            try {
                (void)memo.read(block);
            } catch (const DatabaseError&) {
            }
        }
        const std::vector<std::byte> text(700, std::byte{'m'});
        for (uint32_t block = 1; block < 8; ++block) memo.release(block);
        const uint32_t written = memo.write(text);
        if (memo.read(written) != text)
            __builtin_trap();
        memo.release(written);
        (void)memo.write(std::span(text).first(100));
    } catch (const DatabaseError&) {
    }
    return 0;
}
