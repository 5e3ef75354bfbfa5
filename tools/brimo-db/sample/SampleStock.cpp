#include <cstdio>

#include "SampleParts.h"
#include "SampleTable.h"

namespace brimo::sample {

namespace {

struct Item {
    const char* code;
    const char* description;
    const char* manufacturer;
    const char* model;
    const char* category;
    const char* subCategory;
    const char* location;
    double cost;
    double list;
    double price;
    double onHand;
    const char* unit;
    const char* vendor;
    const char* priceCategory;
    // S serialized, A assembly, C container, N non-stock, D deleted, T not taxable.
    const char* flags;
};

const Item kItems[] = {
    {"HAM-16", "Claw hammer 16 oz, fiberglass handle", "Ridgeway Tools", "RH16F", "TOOLS", "HAND", "A1", 8.40, 16.99,
     14.99, 24, "EA", "RIDGEWAY", "RETAIL", ""},
    {"HAM-22", "Framing hammer 22 oz, steel handle", "Ridgeway Tools", "RH22S", "TOOLS", "HAND", "A1", 14.10, 29.99,
     26.49, 9, "EA", "RIDGEWAY", "RETAIL", ""},
    {"SCR-SET6", "Screwdriver set, 6 pieces", "Ridgeway Tools", "RS6", "TOOLS", "HAND", "A2", 7.25, 15.99, 12.99, 31,
     "SET", "RIDGEWAY", "RETAIL", ""},
    {"WRN-ADJ10", "Adjustable wrench 10 in", "Ridgeway Tools", "RW10", "TOOLS", "HAND", "A2", 6.80, 13.49, 11.99, 18,
     "EA", "RIDGEWAY", "RETAIL", ""},
    {"TAPE-25", "Tape measure 25 ft", "Northfield", "NT25", "TOOLS", "HAND", "A3", 5.10, 11.99, 9.99, 42, "EA",
     "NORTHFIELD", "RETAIL", ""},
    {"DRL-18V", "Cordless drill/driver 18 V kit, 2 batteries", "Northfield", "ND18K", "TOOLS", "POWER", "B1", 68.00,
     139.00, 119.00, 6, "EA", "NORTHFIELD", "RETAIL", "S"},
    {"SAW-CIRC", "Circular saw 7-1/4 in, 15 A", "Northfield", "NC15", "TOOLS", "POWER", "B1", 54.00, 109.00, 94.99, 4,
     "EA", "NORTHFIELD", "RETAIL", "S"},
    {"SND-ORB", "Random orbit sander 5 in", "Northfield", "NS5", "TOOLS", "POWER", "B2", 31.50, 69.99, 59.99, 5, "EA",
     "NORTHFIELD", "RETAIL", "S"},
    {"PNT-INT-W", "Interior latex paint, white, 1 gal", "Cascade Paint", "CI-100", "PAINT", "INTERIOR", "C1", 13.20,
     29.99, 24.99, 36, "GAL", "CASCADE", "RETAIL", ""},
    {"PNT-EXT-G", "Exterior acrylic paint, gray, 1 gal", "Cascade Paint", "CE-240", "PAINT", "EXTERIOR", "C1", 16.40,
     36.99, 31.99, 22, "GAL", "CASCADE", "RETAIL", ""},
    {"PNT-PRIM", "Primer sealer, 1 gal", "Cascade Paint", "CP-10", "PAINT", "INTERIOR", "C2", 11.00, 24.99, 21.99, 15,
     "GAL", "CASCADE", "RETAIL", ""},
    {"BRSH-3", "Angled sash brush 3 in", "Cascade Paint", "CB3", "PAINT", "SUPPLIES", "C3", 3.10, 8.99, 7.49, 40, "EA",
     "CASCADE", "RETAIL", ""},
    {"ROLL-9", "Roller frame 9 in", "Cascade Paint", "CR9", "PAINT", "SUPPLIES", "C3", 2.40, 6.99, 5.99, 27, "EA",
     "CASCADE", "RETAIL", ""},
    {"TRAY-9", "Paint tray 9 in", "Cascade Paint", "CT9", "PAINT", "SUPPLIES", "C3", 1.20, 3.99, 3.49, 33, "EA",
     "CASCADE", "RETAIL", ""},
    {"PNT-KIT", "Painting starter kit: brush, roller, tray", "Cascade Paint", "KIT-1", "PAINT", "SUPPLIES", "C3", 6.70,
     19.99, 16.99, 8, "KIT", "CASCADE", "RETAIL", "A"},
    {"PIPE-PVC1", "PVC pipe 1 in x 10 ft, schedule 40", "Tri-County Supply", "P40-1", "PLUMBING", "PIPE", "D1", 4.60,
     10.49, 8.99, 60, "EA", "TRICOUNTY", "CONTRACTOR", ""},
    {"ELB-PVC1", "PVC elbow 1 in, 90 degrees", "Tri-County Supply", "E90-1", "PLUMBING", "FITTINGS", "D2", 0.45, 1.29,
     0.99, 180, "EA", "TRICOUNTY", "CONTRACTOR", ""},
    {"VLV-BALL34", "Ball valve 3/4 in, brass", "Tri-County Supply", "BV34", "PLUMBING", "FITTINGS", "D2", 6.90, 15.99,
     13.49, 14, "EA", "TRICOUNTY", "CONTRACTOR", ""},
    {"TAPE-PTFE", "Thread seal tape 1/2 in x 520 in", "Tri-County Supply", "TS520", "PLUMBING", "FITTINGS", "D3", 0.35,
     1.49, 1.19, 95, "EA", "TRICOUNTY", "RETAIL", ""},
    {"WIRE-14-2", "Building wire 14/2 with ground, 250 ft", "Keystone Electric", "K142-250", "ELECTRICAL", "WIRE", "E1",
     52.00, 98.00, 89.00, 11, "ROLL", "KEYSTONE", "CONTRACTOR", ""},
    {"SW-SP15", "Single pole switch 15 A, white", "Keystone Electric", "KS15W", "ELECTRICAL", "DEVICES", "E2", 0.62,
     1.99, 1.59, 120, "EA", "KEYSTONE", "CONTRACTOR", ""},
    {"OUT-GFCI", "GFCI outlet 20 A, white", "Keystone Electric", "KG20W", "ELECTRICAL", "DEVICES", "E2", 9.80, 21.99,
     18.99, 26, "EA", "KEYSTONE", "CONTRACTOR", ""},
    {"BOX-1G", "Electrical box, 1 gang, new work", "Keystone Electric", "KB1N", "ELECTRICAL", "BOXES", "E3", 0.38, 1.09,
     0.89, 210, "EA", "KEYSTONE", "CONTRACTOR", ""},
    {"SCRW-DK2", "Deck screws #8 x 2-1/2 in, 5 lb", "Bluestone Fasteners", "DS825-5", "FASTENERS", "SCREWS", "F1",
     14.50, 32.99, 27.99, 30, "BOX", "BLUESTONE", "CONTRACTOR", ""},
    {"SCRW-CASE", "Deck screws #8 x 2-1/2 in, case of 12 boxes", "Bluestone Fasteners", "DS825-C", "FASTENERS",
     "SCREWS", "F1", 168.00, 369.00, 309.00, 3, "CASE", "BLUESTONE", "CONTRACTOR", "C"},
    {"NAIL-16D", "Common nails 16d, 5 lb", "Bluestone Fasteners", "CN16-5", "FASTENERS", "NAILS", "F2", 7.90, 17.49,
     14.99, 44, "BOX", "BLUESTONE", "CONTRACTOR", ""},
    {"BOLT-CAR38", "Carriage bolt 3/8 x 4 in, zinc", "Bluestone Fasteners", "CB384", "FASTENERS", "BOLTS", "F3", 0.41,
     1.19, 0.99, 150, "EA", "BLUESTONE", "RETAIL", ""},
    {"ANCH-PLAS", "Plastic anchors with screws, 100 pack", "Bluestone Fasteners", "PA100", "FASTENERS", "ANCHORS", "F3",
     3.20, 7.99, 6.49, 38, "PK", "BLUESTONE", "RETAIL", ""},
    {"GLV-LTHR", "Leather work gloves, large", "Summit Safety", "LG-L", "SAFETY", "GLOVES", "G1", 4.75, 12.99, 10.99,
     28, "PR", "SUMMIT", "RETAIL", ""},
    {"GLS-SAFE", "Safety glasses, clear lens", "Summit Safety", "SG-C", "SAFETY", "EYEWEAR", "G1", 1.90, 5.99, 4.99, 52,
     "EA", "SUMMIT", "RETAIL", ""},
    {"MASK-N95", "N95 respirator, 10 pack", "Summit Safety", "R95-10", "SAFETY", "RESPIRATOR", "G2", 9.40, 21.99, 18.99,
     19, "PK", "SUMMIT", "RETAIL", ""},
    {"HOSE-50", "Garden hose 5/8 in x 50 ft", "Greenway Garden", "GH5850", "GARDEN", "WATERING", "H1", 14.80, 34.99,
     29.99, 16, "EA", "GREENWAY", "RETAIL", ""},
    {"SPRK-OSC", "Oscillating sprinkler", "Greenway Garden", "OS-16", "GARDEN", "WATERING", "H1", 8.20, 19.99, 16.99,
     12, "EA", "GREENWAY", "RETAIL", ""},
    {"SEED-GRS", "Grass seed, sun and shade, 7 lb", "Greenway Garden", "GS7", "GARDEN", "LAWN", "H2", 17.30, 39.99,
     34.99, 20, "BAG", "GREENWAY", "RETAIL", ""},
    {"MULCH-BRN", "Brown mulch, 2 cu ft bag", "Greenway Garden", "BM2", "GARDEN", "LAWN", "YARD", 2.10, 4.99, 3.99, 140,
     "BAG", "GREENWAY", "RETAIL", ""},
    {"LUM-2X4-8", "Stud 2x4 x 8 ft, kiln dried", "Valley Lumber", "S248", "LUMBER", "DIMENSION", "YARD", 2.35, 4.79,
     3.98, 400, "EA", "VALLEY", "CONTRACTOR", ""},
    {"PLY-12", "Plywood 1/2 in 4x8, CDX", "Valley Lumber", "CDX12", "LUMBER", "SHEET", "YARD", 21.40, 42.99, 37.49, 75,
     "SHT", "VALLEY", "CONTRACTOR", ""},
    {"KEY-CUT", "Key cutting, per key", "", "", "SERVICE", "", "", 0.30, 2.99, 2.49, 0, "EA", "", "RETAIL", "NT"},
    {"LBR-HR", "Labor, per hour", "", "", "SERVICE", "", "", 0, 65.00, 55.00, 0, "HR", "", "RETAIL", "N"},
    {"SCR-SET3", "Screwdriver set, 3 pieces (discontinued)", "Ridgeway Tools", "RS3", "TOOLS", "HAND", "A2", 3.90, 7.99,
     6.49, 0, "SET", "RIDGEWAY", "RETAIL", "D"},
    {"PNT-OLD-B", "Interior paint, beige, 1 gal (discontinued)", "Cascade Paint", "CI-050", "PAINT", "INTERIOR", "C1",
     12.00, 26.99, 19.99, 0, "GAL", "CASCADE", "CLEARANCE", "D"},
    {"FAN-CEIL52", "Ceiling fan 52 in, bronze", "Keystone Electric", "KF52B", "ELECTRICAL", "FIXTURES", "E4", 61.00,
     129.00, 99.00, 0, "EA", "KEYSTONE", "CLEARANCE", "D"},
};

struct Vendor {
    const char* code;
    const char* name;
    const char* street;
    const char* city;
    const char* state;
    const char* zip;
    const char* contact;
    const char* phone;
    const char* terms;
};

const Vendor kVendors[] = {
    {"RIDGEWAY", "Ridgeway Tool Company", "1400 Industrial Pkwy", "Dayton", "OH", "45414", "Carol Jensen",
     "937-555-0142", "NET 30"},
    {"NORTHFIELD", "Northfield Power Tools", "88 Commerce Dr", "Northfield", "MN", "55057", "Dale Hoffman",
     "507-555-0177", "2% 10 NET 30"},
    {"CASCADE", "Cascade Paint Co.", "2210 Harbor Ave SW", "Seattle", "WA", "98126", "Linda Park", "206-555-0119",
     "NET 30"},
    {"TRICOUNTY", "Tri-County Plumbing Supply", "415 Mill St", "Lancaster", "PA", "17603", "Frank DiMarco",
     "717-555-0160", "NET 30"},
    {"KEYSTONE", "Keystone Electric Supply", "77 Volta Rd", "Harrisburg", "PA", "17111", "Janet Moore", "717-555-0133",
     "NET 45"},
    {"BLUESTONE", "Bluestone Fasteners Inc.", "9 Quarry Ln", "Bedford", "IN", "47421", "Ray Kowalski", "812-555-0108",
     "NET 30"},
    {"SUMMIT", "Summit Safety Products", "310 Alpine Way", "Denver", "CO", "80216", "Angela Ruiz", "303-555-0191",
     "NET 30"},
    {"GREENWAY", "Greenway Garden Distributors", "5600 Orchard Rd", "Fresno", "CA", "93722", "Tom Nguyen",
     "559-555-0125", "NET 60"},
    {"VALLEY", "Valley Lumber & Millwork", "1 Sawmill Rd", "Eugene", "OR", "97402", "Hank Olsen", "541-555-0150",
     "COD"},
    {"ACME-FRT", "Acme Freight Lines", "4200 Depot St", "Columbus", "OH", "43207", "Dispatch", "614-555-0100",
     "NET 15"},
};

const char* const kCategories[] = {"TOOLS",  "PAINT",  "PLUMBING", "ELECTRICAL", "FASTENERS",
                                   "SAFETY", "GARDEN", "LUMBER",   "SERVICE",    "HARDWARE"};
const char* const kSubCategories[] = {"HAND",     "POWER", "INTERIOR",  "EXTERIOR", "SUPPLIES", "PIPE",
                                      "FITTINGS", "WIRE",  "DEVICES",   "BOXES",    "FIXTURES", "SCREWS",
                                      "NAILS",    "BOLTS", "ANCHORS",   "GLOVES",   "EYEWEAR",  "RESPIRATOR",
                                      "WATERING", "LAWN",  "DIMENSION", "SHEET"};

bool has(const char* flags, char flag) {
    return std::string_view(flags).find(flag) != std::string_view::npos;
}

// Price category: methods and percentages that the automatic pricing applies.
struct PriceCategory {
    const char* name;
    int listMethod;
    double listPercent;
    int saleMethod;
    double salePercent;
    int discountMethod;
    double discountPercent[3];
    int autoPrice;
};

const PriceCategory kPriceCategories[] = {
    {"RETAIL", 1, 100, 3, 15, 4, {5, 10, 15}, 1}, {"CONTRACTOR", 1, 90, 3, 17, 4, {8, 12, 18}, 2},
    {"WHOLESALE", 1, 60, 2, 25, 4, {3, 6, 9}, 1}, {"CLEARANCE", 0, 0, 3, 30, 0, {0, 0, 0}, 0},
    {"SPECIAL", 0, 0, 0, 0, 0, {0, 0, 0}, 0},
};

void writePricingSettings(SampleTable& t, const PriceCategory& p) {
    t.set("LISTMTHD", p.listMethod)
        .set("LISTPCT", p.listPercent)
        .set("SALEMTHD", p.saleMethod)
        .set("SALEPCT", p.salePercent)
        .set("DISCMTHD", p.discountMethod)
        .set("DISC1PCT", p.discountPercent[0])
        .set("DISC2PCT", p.discountPercent[1])
        .set("DISC3PCT", p.discountPercent[2])
        .set("DISC1DESC", "Quantity")
        .set("DISC2DESC", "Preferred")
        .set("DISC3DESC", "Employee")
        .set("AUTOPRICE", p.autoPrice)
        .set("AUTOROUND", p.autoPrice > 0);
}

const PriceCategory& priceCategory(std::string_view name) {
    for (const auto& p : kPriceCategories)
        if (name == p.name)
            return p;
    return kPriceCategories[0];
}

void writeItem(SampleTable& t, const Item& item, int index) {
    const auto& pricing = priceCategory(item.priceCategory);
    t.add()
        .set("STOCKCODE", item.code)
        .set("DESC", item.description)
        .set("MFR", item.manufacturer)
        .set("MODEL", item.model)
        .set("CATEGORY", item.category)
        .set("SUBCAT", item.subCategory)
        .set("LOCATION", item.location)
        .set("COST", item.cost)
        .set("LASTCOST", item.cost)
        .set("LIST", item.list)
        .set("PRICE", item.price);
    writePricingSettings(t, pricing);
    for (int i = 0; i < 3; ++i) {
        char field[] = "DISCOUNT1";
        field[8] = static_cast<char>('1' + i);
        t.set(field, cents(item.price * (100 - pricing.discountPercent[i]) / 100));
    }
    const bool nonStock = has(item.flags, 'N');
    t.set("PRICECAT", item.priceCategory)
        .set("TAXABLE", !has(item.flags, 'T'))
        .set("ONHAND", item.onHand)
        .set("ALLOCATED", index % 7 == 0 ? 2.0 : 0.0)
        .set("ONORDER", item.onHand < 10 && !nonStock ? 12.0 : 0.0)
        .set("MINIMUM", nonStock ? 0.0 : 5.0)
        .set("MAXIMUM", nonStock ? 0.0 : item.onHand * 2 + 10)
        .set("TARGETQTY", nonStock ? 0.0 : item.onHand + 5)
        .set("UNIT", item.unit)
        .set("ORDERUNIT", has(item.flags, 'C') ? "CASE" : item.unit)
        .set("UNITSTOORD", 1)
        .set("SERIALIZED", has(item.flags, 'S'))
        .set("CONTAINER", has(item.flags, 'A')   ? 1
                          : has(item.flags, 'C') ? 2
                                                 : 0)
        .set("NONSTOCK", nonStock)
        .set("NODEPLETE", nonStock)
        .set("WEIGHT", nonStock ? 0.0 : 0.5 + (index % 9) * 1.25)
        .set("PREFVENDOR", item.vendor)
        .set("PV0", item.vendor)
        .set("PVC0", item.cost);
    if (has(item.flags, 'S'))
        t.set("NOTES", "Register the serial number on the warranty card at the sale.");
    if (has(item.flags, 'D'))
        t.set("NOTES", "Discontinued by the manufacturer; sell remaining stock at cost.");
    t.post(has(item.flags, 'D'));
}

// Generated items: a category, a made-up article and a size.
void writeGeneratedItem(SampleTable& t, Random& random, uint32_t number) {
    static const std::vector<std::string> articles = {
        "Hinge",   "Hasp", "Latch",  "Bracket", "Hook",   "Shelf pin", "Caster",  "Drawer pull", "Knob",
        "Washer",  "Nut",  "Spring", "Chain",   "Clamp",  "Strap",     "Grommet", "Coupling",    "Nipple",
        "Adapter", "Plug", "Fuse",   "Lamp",    "Filter", "Blade",     "Bit",     "Sandpaper",   "Rope"};
    static const std::vector<std::string> finishes = {"zinc",       "brass", "black",  "stainless",
                                                      "galvanized", "white", "nickel", "bronze"};
    static const std::vector<std::string> prefixes = {"HW", "TL", "PL", "EL", "FS", "GD", "PT", "SF"};
    static const std::vector<std::string> categories = {"HARDWARE",  "TOOLS",  "PLUMBING", "ELECTRICAL",
                                                        "FASTENERS", "GARDEN", "PAINT",    "SAFETY"};
    const int kind = random.between(0, static_cast<int>(prefixes.size()) - 1);
    char code[16];
    std::snprintf(code, sizeof code, "%s%08u", prefixes[static_cast<size_t>(kind)].c_str(), number);
    const std::string description =
        random.pick(articles) + ", " + random.pick(finishes) + ", " + std::to_string(random.between(1, 24)) + " in";
    const double cost = random.amount(0.25, 120);
    const double price = cents(cost * (1.6 + random.between(0, 80) / 100.0));
    const Vendor& vendor = kVendors[random.between(0, 7)];
    t.add()
        .set("STOCKCODE", code)
        .set("DESC", description)
        .set("MFR", vendor.name)
        .set("MODEL", std::to_string(random.between(1000, 99999)))
        .set("CATEGORY", categories[static_cast<size_t>(kind)])
        .set("LOCATION",
             std::string(1, static_cast<char>('A' + random.between(0, 7))) + std::to_string(random.between(1, 9)))
        .set("COST", cost)
        .set("LASTCOST", cost)
        .set("LIST", cents(price * 1.15))
        .set("PRICE", price)
        .set("PRICECAT", "RETAIL")
        .set("TAXABLE", true)
        .set("ONHAND", random.between(0, 250))
        .set("MINIMUM", 5)
        .set("UNIT", "EA")
        .set("ORDERUNIT", "EA")
        .set("UNITSTOORD", 1)
        .set("PREFVENDOR", vendor.code)
        .set("PV0", vendor.code)
        .set("PVC0", cost);
    t.post(random.chance(1));
}

void writeVendors(const data::Database& database) {
    SampleTable t(database, "VENDOR");
    for (const auto& v : kVendors) {
        std::string email = std::string("orders@") + v.code + ".example.com";
        for (auto& c : email) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        t.add()
            .set("CODE", v.code)
            .set("NAME", v.name)
            .set("ADD1", v.street)
            .set("CITY", v.city)
            .set("STATE", v.state)
            .set("ZIP", v.zip)
            .set("CONTACT", v.contact)
            .set("PHONE", v.phone)
            .set("EMAIL", email)
            .set("TERMS", v.terms)
            .set("CUSTNUMBER", "HLH-" + std::string(v.zip))
            .set("MINORDER", 100.0)
            .set("PDFREIGHT", 500.0)
            .set("NOTES", std::string("Orders by e-mail before noon ship the same day. Contact: ") + v.contact + ".")
            .post();
    }
    t.finish();
}

void writeEntries(const data::Database& database, const char* table, std::span<const char* const> entries) {
    SampleTable t(database, table);
    for (const char* entry : entries) t.add().set("ENTRY", entry).post();
    t.finish();
}

void writePriceAndTaxCategories(const data::Database& database) {
    SampleTable prices(database, "PRICECAT");
    for (const auto& p : kPriceCategories) {
        prices.add().set("PRICECAT", p.name);
        writePricingSettings(prices, p);
        prices.post();
    }
    prices.finish();

    struct Tax {
        const char* name;
        double rate;
        bool exempt;
        bool gst;
        double rate2;
        int type2;
        double cap;
    };
    const Tax taxes[] = {{"STATE", 6.0, false, false, 0, 0, 0},    {"COUNTY", 6.0, false, false, 1.0, 1, 5000},
                         {"CITY", 6.0, false, false, 2.0, 2, 100}, {"EXEMPT", 0, true, false, 0, 0, 0},
                         {"GST", 0, false, true, 0, 0, 0},         {"OUTSTATE", 0, false, false, 0, 0, 0}};
    SampleTable t(database, "TAXCAT");
    for (const auto& tax : taxes) {
        t.add()
            .set("TAXCAT", tax.name)
            .set("TAXRATE", tax.rate)
            .set("TAXEXEMPT", tax.exempt)
            .set("LABORTAXED", !tax.exempt && !tax.gst)
            .set("SHTAXED", false)
            .set("TAXRATE2", tax.rate2)
            .set("TAX2TYPE", tax.type2)
            .set("TAX2CAP", tax.cap)
            .set("GSTIND", tax.gst)
            .set("GSTRATE", tax.gst ? 5.0 : 0.0)
            .set("SHGST", tax.gst)
            .set("LABORGST", tax.gst)
            .post();
    }
    t.finish();
}

void writeContainersAndSerials(const data::Database& database) {
    struct Component {
        const char* component;
        const char* container;
        double quantity;
    };
    const Component components[] = {
        {"BRSH-3", "PNT-KIT", 1}, {"ROLL-9", "PNT-KIT", 1}, {"TRAY-9", "PNT-KIT", 1}, {"SCRW-DK2", "SCRW-CASE", 12}};
    SampleTable condef(database, "CONDEF");
    for (const auto& c : components)
        condef.add().set("STOCKCODE", c.component).set("CONTAINER", c.container).set("QUANTITY", c.quantity).post();
    condef.finish();

    struct Serial {
        const char* serial;
        const char* code;
        double cost;
        int invoice;
        int salesOrder;
        int purchaseOrder;
        Date received;
    };
    const Serial serials[] = {
        {"ND18K-240117", "DRL-18V", 68.00, 0, 0, 3101, date(2025, 1, 17)},
        {"ND18K-240118", "DRL-18V", 68.00, 1004, 0, 3101, date(2025, 1, 17)},
        {"ND18K-240119", "DRL-18V", 68.00, 0, 0, 3101, date(2025, 1, 17)},
        {"ND18K-250302", "DRL-18V", 66.50, 0, 0, 3117, date(2025, 3, 2)},
        {"ND18K-250303", "DRL-18V", 66.50, 0, 402, 3117, date(2025, 3, 2)},
        {"ND18K-250304", "DRL-18V", 66.50, 0, 0, 3117, date(2025, 3, 2)},
        {"ND18K-250305", "DRL-18V", 66.50, 0, 0, 3117, date(2025, 3, 2)},
        {"NC15-88120", "SAW-CIRC", 54.00, 0, 0, 3104, date(2025, 2, 3)},
        {"NC15-88121", "SAW-CIRC", 54.00, 1011, 0, 3104, date(2025, 2, 3)},
        {"NC15-88122", "SAW-CIRC", 54.00, 0, 0, 3104, date(2025, 2, 3)},
        {"NC15-88123", "SAW-CIRC", 54.00, 0, 0, 3104, date(2025, 2, 3)},
        {"NC15-88124", "SAW-CIRC", 54.00, 0, 0, 3104, date(2025, 2, 3)},
        {"NS5-A01944", "SND-ORB", 31.50, 0, 0, 3109, date(2025, 2, 20)},
        {"NS5-A01945", "SND-ORB", 31.50, 0, 0, 3109, date(2025, 2, 20)},
        {"NS5-A01946", "SND-ORB", 31.50, 0, 0, 3109, date(2025, 2, 20)},
        {"NS5-A01947", "SND-ORB", 31.50, 0, 0, 3109, date(2025, 2, 20)},
        {"NS5-A01948", "SND-ORB", 31.50, 0, 0, 3109, date(2025, 2, 20)},
    };
    SampleTable t(database, "SERIAL");
    int stockNumber = 1;
    for (const auto& s : serials) {
        t.add()
            .set("SERIALNUM", s.serial)
            .set("STOCKCODE", s.code)
            .set("STOCKNUM", stockNumber++)
            .set("COST", s.cost)
            .set("INVNUM", s.invoice)
            .set("SONUM", s.salesOrder)
            .set("PONUM", s.purchaseOrder)
            .set("RECDATE", s.received)
            .set("VENDINVNUM", std::string("NF-") + std::to_string(s.purchaseOrder * 3))
            .post();
    }
    t.finish();
}

}  // namespace

std::vector<StockCode> writeStockTables(const data::Database& database, uint32_t count) {
    std::vector<StockCode> written;
    SampleTable code(database, "CODE");
    int index = 0;
    for (const auto& item : kItems) {
        if (count > 0 && written.size() >= count)
            break;
        writeItem(code, item, index++);
        written.push_back({item.code, item.description, item.price, has(item.flags, 'S')});
    }
    Random random(0x5EED0001);
    for (uint32_t number = static_cast<uint32_t>(written.size()) + 1; number <= count; ++number)
        writeGeneratedItem(code, random, number);
    code.finish();

    writeEntries(database, "CODECAT", kCategories);
    writeEntries(database, "CODESUB", kSubCategories);
    writeVendors(database);
    writePriceAndTaxCategories(database);
    writeContainersAndSerials(database);
    return written;
}

}  // namespace brimo::sample
