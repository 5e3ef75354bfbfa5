// Opens the fuzzer's bytes as an index file, walks every tag both ways and
// checks it. Damage must end in DatabaseError, never a crash or a hang.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "data/DatabaseError.h"
#include "data/index/MdxIndex.h"

namespace {

using namespace brimo::data;

const std::vector<FieldDef> kFields = {{"NAME", 'C', 20, 0, 1}, {"AMOUNT", 'N', 10, 2, 21}, {"DAY", 'D', 8, 0, 31}};

std::filesystem::path scratchFile() {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("mdx-fuzz-" + std::to_string(::getpid()) + ".mdx");
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        index::MdxIndex mdx = index::MdxIndex::open(scratchFile(), kFields, false);
        for (const index::TagInfo& tag : mdx.tags()) {
            try {
                index::TagCursor c = mdx.cursor(tag.name);
                for (bool ok = c.first(); ok; ok = c.next()) {
                }
                for (bool ok = c.last(); ok; ok = c.prior()) {
                }
                c.seekNearest(index::characterKey("M", 1));
            } catch (const DatabaseError&) {
            }
        }
        mdx.check(nullptr);
    } catch (const DatabaseError&) {
    }
    return 0;
}
