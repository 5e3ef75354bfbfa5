#include <array>
#include <cstring>

#include "SampleParts.h"
#include "SampleTable.h"

namespace brimo::sample {

namespace {

constexpr size_t kAccessRecordSize = 110;
constexpr size_t kOptionsRecordSize = 28;

void putWord(std::span<std::byte> record, size_t offset, uint16_t value) {
    record[offset] = static_cast<std::byte>(value & 0xFF);
    record[offset + 1] = static_cast<std::byte>(value >> 8);
}

// The access record: 55 little-endian words, 1 where the right is granted.
// `refused` lists the word offsets refused; the words at 36, 50 and 52 belong
// to the host and carry values of their own.
std::array<std::byte, kAccessRecordSize> accessRecord(std::initializer_list<size_t> refused) {
    std::array<std::byte, kAccessRecordSize> record{};
    for (size_t offset = 0; offset < kAccessRecordSize; offset += 2) putWord(record, offset, 1);
    for (size_t offset : refused) putWord(record, offset, 0);
    putWord(record, 36, 3);
    putWord(record, 50, 0);
    putWord(record, 52, 2);
    return record;
}

void writeCompany(const data::Database& database) {
    std::array<std::byte, kOptionsRecordSize> options{};
    for (size_t i = 0; i < options.size(); ++i) options[i] = static_cast<std::byte>(i * 7 % 5);
    putWord(options, 2, 1);   // cost calculation: average cost
    putWord(options, 14, 1);  // price adjustment while receiving
    putWord(options, 22, 0);  // no insertion loop

    SampleTable t(database, "COINFO");
    t.add()
        .set("CONAME", "Harbour Lights Hardware")
        .set("STREET", "120 N Queen St")
        .set("STREET2", "Suite 2")
        .set("CITY", "Lancaster")
        .set("STATE", "PA")
        .set("ZIP", "17603")
        .set("PHONE", "717-555-0199")
        .set("FAX", "717-555-0198")
        .set("SHIPVIA", "OUR TRUCK")
        .set("TAXCAT", "STATE")
        .set("PRICECAT", "RETAIL")
        .set("PRECISION", 2)
        .set("HIDEPRICES", false)
        .set("OPENPHONE", false)
        .set("RNDAMT", 9)
        .set("PASTDUERT", 1.5)
        .set("LABORRATE", 55.0)
        .set("QUOTEDAYS", 30)
        .set("CCAUTHMTHD", 0)
        .set("ALLPAYMENT", true)
        .set("PRINTINFO", true)
        .set("MULTILINE", true)
        .set("INVDISC",
             "All sales final on special-order items. Returns of stock items within 30 days with receipt.\r\n"
             "A service charge of 1.5% per month applies to balances past due.")
        .set("SODISC",
             "Items left more than 60 days after notice of completion may be sold to cover charges.\r\n"
             "Estimates are valid for 30 days.")
        .set("OPTIONS", options)
        .post();
    t.finish();
}

void writeUsers(const data::Database& database) {
    struct User {
        const char* id;
        const char* name;
        std::array<std::byte, kAccessRecordSize> access;
    };
    const User users[] = {
        {"ADMIN", "Store Administrator", accessRecord({})},
        {"MARY", "Mary Kowalski", accessRecord({60, 62, 64})},
        {"JOE", "Joe Brennan", accessRecord({0, 2, 4, 6, 40, 42, 44, 60, 62, 64, 80, 82})},
        {"PRIYA", "Priya Raman", accessRecord({60, 62})},
        {"SATURDAY", "Weekend Counter", accessRecord({0, 2, 4, 6, 8, 10, 40, 42, 44, 46, 60, 62, 64, 80, 82, 84})},
    };
    SampleTable t(database, "ID");
    for (const auto& u : users) t.add().set("ID", u.id).set("NAME", u.name).set("ACCESS", u.access).post();
    t.finish();
}

void writeLocations(const data::Database& database, const std::filesystem::path& dataPath) {
    struct Location {
        const char* name;
        int type;
        const char* parent;
        std::string path;
        const char* phone;
    };
    const Location locations[] = {
        {"MAIN STORE", 0, "", dataPath.string(), "717-555-0199"},
        {"DOWNTOWN", 0, "", "/srv/brimo/downtown", "717-555-0150"},
        {"WAREHOUSE", 0, "", "/srv/brimo/warehouse", "717-555-0151"},
        {"VAN 1", 101, "MAIN STORE", "/srv/brimo/van1", "717-555-0152"},
    };
    SampleTable t(database, "LOCATION");
    for (const auto& l : locations) {
        t.add()
            .set("LOCNAME", l.name)
            .set("LOCTYPE", l.type)
            .set("PARENT", l.parent)
            .set("DATAPATH", l.path)
            .set("PHONE", l.phone)
            .post();
    }
    t.finish();
}

void writeTransfers(const data::Database& database, const std::vector<StockCode>& stock) {
    SampleTable t(database, "TRANSFER");
    int move = 0;
    for (const auto& item : stock) {
        if (move >= 6)
            break;
        const int number = move < 4 ? 1 : 2;
        t.add()
            .set("NUMBER", number)
            .set("ID", number == 1 ? "MARY" : "JOE")
            .set("LOCATION", number == 1 ? "DOWNTOWN" : "VAN 1")
            .set("TRANSDATE", number == 1 ? date(2025, 4, 14) : date(2025, 5, 2))
            .set("STOCKCODE", item.code)
            .set("QUANTITY", item.serialized ? 1 : 2 + move);
        if (item.serialized)
            t.set("SERIALNUM", "ND18K-250305");
        t.post();
        ++move;
    }
    t.finish();
}

}  // namespace

void writeCompanyTables(const data::Database& database, const std::vector<StockCode>& stock,
                        const std::filesystem::path& dataPath) {
    writeCompany(database);
    writeUsers(database);
    writeLocations(database, dataPath);
    writeTransfers(database, stock);
}

}  // namespace brimo::sample
