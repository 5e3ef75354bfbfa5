#include <cstdio>

#include "SampleParts.h"
#include "SampleTable.h"

namespace brimo::sample {

namespace {

struct Person {
    const char* lastName;
    const char* firstName;
    const char* street;
    const char* city;
    const char* state;
    const char* zip;
    const char* phone;
    const char* email;
    const char* category;
    const char* taxCategory;
    const char* account;
    int pricing;
    // D deleted, N no delete, B bad debt, T tax exempt.
    const char* flags;
};

const Person kPeople[] = {
    {"Anderson", "Margaret", "14 Birch Ln", "Lancaster", "PA", "17601", "717-555-0101", "m.anderson@example.com",
     "RETAIL", "STATE", "", 0, ""},
    {"Baker Construction", "", "2300 Lincoln Hwy E", "Lancaster", "PA", "17602", "717-555-0188",
     "office@bakerconstruction.example.com", "CONTRACTOR", "STATE", "A-1001", 2, "N"},
    {"Chen", "David", "803 Maple Ave", "Lititz", "PA", "17543", "717-555-0123", "dchen@example.com", "RETAIL", "COUNTY",
     "", 0, ""},
    {"Delgado", "Rosa", "57 Orange St", "Lancaster", "PA", "17602", "717-555-0156", "", "RETAIL", "CITY", "", 0, ""},
    {"Evergreen Landscaping", "", "1190 Manheim Pike", "Lancaster", "PA", "17601", "717-555-0170",
     "billing@evergreen.example.com", "CONTRACTOR", "STATE", "A-1002", 1, ""},
    {"Fischer", "Karl", "22 Church St", "Strasburg", "PA", "17579", "717-555-0135", "", "RETAIL", "COUNTY", "", 0, ""},
    {"Grace Community Church", "", "400 Highland Ave", "Lancaster", "PA", "17603", "717-555-0147",
     "facilities@gracechurch.example.org", "NONPROFIT", "EXEMPT", "A-1003", 3, "T"},
    {"Hollis", "James", "9 Quarry Rd", "Ephrata", "PA", "17522", "717-555-0112", "jhollis@example.com", "RETAIL",
     "STATE", "", 0, "B"},
    {"Ibarra", "Lucia", "318 W Vine St", "Lancaster", "PA", "17603", "717-555-0193", "lucia.ibarra@example.com",
     "RETAIL", "CITY", "", 0, ""},
    {"Johnson Plumbing & Heating", "", "75 Steel Way", "Lancaster", "PA", "17601", "717-555-0164",
     "ap@johnsonph.example.com", "CONTRACTOR", "STATE", "A-1004", 2, "N"},
    {"Kowalczyk", "Anna", "1200 Columbia Ave", "Lancaster", "PA", "17603", "717-555-0139", "", "RETAIL", "STATE", "", 0,
     ""},
    {"Lancaster County Schools", "", "251 S Prince St", "Lancaster", "PA", "17603", "717-555-0100",
     "purchasing@lcs.example.org", "GOVERNMENT", "EXEMPT", "A-1005", 4, "T"},
    {"McAllister", "Brian", "66 Penn Sq", "Lancaster", "PA", "17603", "717-555-0128", "bmcallister@example.com",
     "RETAIL", "CITY", "", 0, ""},
    {"Nguyen", "Thi", "405 Marietta Ave", "Mount Joy", "PA", "17552", "717-555-0177", "", "RETAIL", "COUNTY", "", 0,
     ""},
    {"O'Brien", "Patrick", "17 Lime St", "Lancaster", "PA", "17602", "717-555-0145", "pobrien@example.com", "RETAIL",
     "CITY", "", 0, ""},
    {"Patel", "Nisha", "2704 Oregon Pike", "Lancaster", "PA", "17601", "717-555-0158", "nisha.patel@example.com",
     "RETAIL", "STATE", "", 0, ""},
    {"Quality Home Repair", "", "88 Flory Mill Rd", "Lancaster", "PA", "17601", "717-555-0161", "qhr@example.com",
     "CONTRACTOR", "STATE", "A-1006", 1, ""},
    {"Russo", "Anthony", "139 E King St", "Lancaster", "PA", "17602", "717-555-0104", "", "RETAIL", "CITY", "", 0, "D"},
    {"Schmidt", "Hannah", "5 Mill Race Ct", "Lititz", "PA", "17543", "717-555-0182", "hschmidt@example.com", "RETAIL",
     "COUNTY", "", 0, ""},
    {"Thompson Farms", "", "3310 Pinkerton Rd", "Mount Joy", "PA", "17552", "717-555-0150", "thompsonfarms@example.com",
     "WHOLESALE", "STATE", "A-1007", 2, ""},
    {"Underwood", "Ellen", "44 Pine St", "Ephrata", "PA", "17522", "717-555-0115", "", "RETAIL", "STATE", "", 0, ""},
    {"Vargas", "Miguel", "910 New Holland Ave", "Lancaster", "PA", "17602", "717-555-0196", "mvargas@example.com",
     "RETAIL", "CITY", "", 0, "D"},
    {"Walker", "Susan", "12 Rohrerstown Rd", "Lancaster", "PA", "17603", "717-555-0132", "swalker@example.com",
     "RETAIL", "STATE", "", 0, ""},
    {"Xu", "Wei", "780 Harrisburg Ave", "Lancaster", "PA", "17603", "717-555-0109", "", "RETAIL", "CITY", "", 0, ""},
    {"Yoder", "Samuel", "2 Old Philadelphia Pike", "Bird-in-Hand", "PA", "17505", "717-555-0171", "", "WHOLESALE",
     "STATE", "A-1008", 2, ""},
    {"Zimmerman Builders", "", "655 Greenfield Rd", "Lancaster", "PA", "17601", "717-555-0166",
     "office@zimmermanbuilders.example.com", "CONTRACTOR", "STATE", "A-1009", 2, "N"},
    {"Brooks", "Alicia", "31 College Ave", "Lancaster", "PA", "17603", "717-555-0124", "abrooks@example.com", "RETAIL",
     "GST", "", 0, ""},
    {"Delgado", "Carlos", "57 Orange St", "Lancaster", "PA", "17602", "717-555-0157", "", "RETAIL", "CITY", "", 0, "D"},
    {"Martin", "Olivia", "1901 Fruitville Pike", "Lancaster", "PA", "17601", "717-555-0144", "olivia.m@example.com",
     "RETAIL", "STATE", "", 0, ""},
    {"Harbor View Apartments", "", "600 Harbor St", "Columbia", "PA", "17512", "717-555-0190",
     "manager@harborview.example.com", "WHOLESALE", "OUTSTATE", "A-1010", 1, ""},
};

bool has(const char* flags, char flag) {
    return std::string_view(flags).find(flag) != std::string_view::npos;
}

const char* const kCustomerCategories[] = {"RETAIL", "CONTRACTOR", "WHOLESALE", "GOVERNMENT", "NONPROFIT"};
const char* const kSalesReps[] = {"MARY", "JOE", "PRIYA"};

Customer writePerson(SampleTable& t, const Person& p, int number) {
    const bool company = p.firstName[0] == '\0';
    const std::string terms = company ? "NET 30" : "DUE ON RECEIPT";
    t.add()
        .set("CUSTNUM", number)
        .set("LASTNAME", p.lastName)
        .set("FIRSTNAME", p.firstName)
        .set("ADD1", p.street)
        .set("CITY", p.city)
        .set("STATE", p.state)
        .set("ZIP", p.zip)
        .set("COUNTRY", "USA")
        .set("PHONE", p.phone)
        .set("EMAIL", p.email)
        .set("EXTACCT", p.account)
        .set("CATEGORY", p.category)
        .set("TAXCAT", p.taxCategory)
        .set("TAXEXEMPT", has(p.flags, 'T'))
        .set("PRICING", p.pricing)
        .set("DISCPCT", company ? 5.0 : 0.0)
        .set("TERMS", terms)
        .set("SALESREP", kSalesReps[number % 3])
        .set("BADDEBT", has(p.flags, 'B'))
        .set("NODELETE", has(p.flags, 'N'))
        .set("DATEADDED", date(2019 + number % 6, 1 + static_cast<unsigned>(number) % 12,
                               1 + static_cast<unsigned>(number * 7) % 28));
    if (company) {
        t.set("CONTACT", "Accounts Payable")
            .set("BILLADD", "PO Box " + std::to_string(1000 + number * 17))
            .set("BILLCITY", p.city)
            .set("BILLSTATE", p.state)
            .set("BILLZIP", p.zip)
            .set("SHIPVIA", "OUR TRUCK");
    }
    if (has(p.flags, 'T'))
        t.set("RESALENUM", "EX-" + std::to_string(770000 + number));
    if (has(p.flags, 'B'))
        t.set("NOTES", "Check returned unpaid on 2025-02-11. Cash or card only until settled.");
    if (has(p.flags, 'N'))
        t.set("NOTES", "Charge account; purchase order number required on every invoice.");
    if (number == 3) {
        t.set("CCNUM", "4111111111111111").set("CCEXPDATE", "09/27").set("CCNAME", "DAVID CHEN");
    }
    t.post(has(p.flags, 'D'));
    return {number, p.lastName, p.taxCategory, terms, has(p.flags, 'D')};
}

void writeGeneratedPerson(SampleTable& t, Random& random, int number) {
    static const std::vector<std::string> lastNames = {
        "Adams",  "Bauer",  "Carter", "Dietrich", "Ellis",  "Foster", "Garcia", "Hughes", "Irwin",
        "Jensen", "Keller", "Lopez",  "Meyer",    "Novak",  "Ortiz",  "Price",  "Quinn",  "Reyes",
        "Stone",  "Turner", "Ulrich", "Vance",    "Weaver", "Young",  "Zeller", "Murphy", "Sullivan"};
    static const std::vector<std::string> firstNames = {
        "Aaron", "Beth", "Caleb", "Diana", "Ethan", "Fiona", "George", "Helen", "Isaac", "Julia",  "Kevin",
        "Laura", "Mark", "Nora",  "Oscar", "Paula", "Ryan",  "Sarah",  "Tyler", "Vera",  "Walter", "Zoe"};
    static const std::vector<std::string> streets = {"Main St",  "Oak Ave",  "Elm St",    "Park Rd",   "Hill St",
                                                     "River Rd", "Cedar Ln", "Market St", "Spring St", "Walnut St"};
    struct Town {
        const char* city;
        const char* zip;
    };
    static const std::vector<Town> towns = {{"Lancaster", "17601"}, {"Lititz", "17543"},      {"Ephrata", "17522"},
                                            {"Mount Joy", "17552"}, {"Strasburg", "17579"},   {"Columbia", "17512"},
                                            {"Manheim", "17545"},   {"Millersville", "17551"}};
    const Town& town = random.pick(towns);
    char phone[16];
    std::snprintf(phone, sizeof phone, "717-555-%04d", random.between(0, 9999));
    t.add()
        .set("CUSTNUM", number)
        .set("LASTNAME", random.pick(lastNames))
        .set("FIRSTNAME", random.pick(firstNames))
        .set("ADD1", std::to_string(random.between(1, 9999)) + " " + random.pick(streets))
        .set("CITY", town.city)
        .set("STATE", "PA")
        .set("ZIP", town.zip)
        .set("COUNTRY", "USA")
        .set("PHONE", phone)
        .set("CATEGORY", "RETAIL")
        .set("TAXCAT", "STATE")
        .set("TERMS", "DUE ON RECEIPT")
        .set("DATEADDED", date(2015 + random.between(0, 10), static_cast<unsigned>(random.between(1, 12)),
                               static_cast<unsigned>(random.between(1, 28))))
        .post(random.chance(1));
}

}  // namespace

std::vector<Customer> writeCustomerTables(const data::Database& database, uint32_t count) {
    std::vector<Customer> written;
    SampleTable t(database, "CUST");
    for (const auto& person : kPeople) {
        if (count > 0 && written.size() >= count)
            break;
        written.push_back(writePerson(t, person, static_cast<int>(written.size()) + 1));
    }
    Random random(0x5EED0002);
    for (uint32_t number = static_cast<uint32_t>(written.size()) + 1; number <= count; ++number)
        writeGeneratedPerson(t, random, static_cast<int>(number));
    t.finish();

    SampleTable categories(database, "CUSTCAT");
    for (const char* entry : kCustomerCategories) categories.add().set("ENTRY", entry).post();
    categories.finish();
    return written;
}

}  // namespace brimo::sample
