// The input is a table file: its header is parsed and every field of every
// record read as text, number, date and logical value.
#include "FuzzFiles.h"
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/Table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace brimo::data;
    fuzz::writeScratchFile("T.DBF", {data, size});
    try {
        Database db(fuzz::scratchDirectory());
        Table t(db, "T", OpenMode::ReadOnly);
        for (t.first(); !t.eof(); t.next()) {
            for (size_t f = 0; f < t.fields().size(); ++f) {
                const int i = static_cast<int>(f);
                try {
                    (void)t.isEmpty(i);
                    (void)t.asString(i);
                    switch (t.fields()[f].type) {
                        case 'D':
                            (void)t.asDate(i);
                            break;
                        case 'L':
                            (void)t.asBool(i);
                            break;
                        case 'N':
                        case 'F':
                        case 'I':
                        case '+':
                        case 'O':
                            (void)t.asNumber(i);
                            break;
                        default:
                            break;
                    }
                } catch (const DatabaseError&) {  // e.g. a memo of a missing memo file
                }
            }
        }
        t.last();
        t.prior();
    } catch (const DatabaseError&) {
    }
    return 0;
}
