#include "data/catalogue/FieldBuilders.h"
#include "data/catalogue/TableGroups.h"

namespace brimo::data::catalogue {

using namespace fields;

namespace {

// Street, city, state and ZIP of a billing address (customers and vendors).
void appendBillingAddress(std::vector<FieldSpec>& out) {
    out.push_back(text("BILLADD", 25));
    out.push_back(text("BILLADD2", 25));
    out.push_back(text("BILLCITY", 20));
    out.push_back(text("BILLSTATE", 20));
    out.push_back(text("BILLZIP", 10));
}

TableDef customers() {
    TableDef t{"CUST.DBF",
               TableHome::Data,
               {customerNumber(), text("LASTNAME", 30), text("FIRSTNAME", 30), text("ADD1", 25), text("ADD2", 25),
                text("CITY", 20), text("STATE", 20), text("ZIP", 10), text("COUNTRY", 20)},
               {tag("FULLNAME", "UPPER(LASTNAME+FIRSTNAME)"), tag("CUSTNUM", "CUSTNUM"), tag("EXTACCT", "EXTACCT")}};
    appendBillingAddress(t.fields);
    t.fields.insert(t.fields.end(),
                    {text("CONTACT", 20),  text("PHONE", 15),     text("EXTENSION", 6), text("FAX", 15),
                     text("EMAIL", 50),    text("EXTACCT", 15),   text("CATEGORY", 10), categoryName("TAXCAT"),
                     logical("TAXEXEMPT"), text("RESALENUM", 20), code("PRICING"),      number("DISCPCT", 7, 3),
                     text("TERMS", 15),    text("SHIPVIA", 15),   text("SALESREP", 15), text("CCNUM", 20),
                     text("CCEXPDATE", 5), text("CCNAME", 30),    logical("BADDEBT"),   logical("NODELETE"),
                     logical("NEWIND"),    date("DATEADDED"),     memo("NOTES"),        tableVersion()});
    return t;
}

TableDef vendors() {
    TableDef t{"VENDOR.DBF",
               TableHome::Data,
               {text("CODE", 15), text("NAME", 30), text("ADD1", 25), text("ADD2", 25), text("CITY", 20),
                text("STATE", 20), text("ZIP", 10)},
               {tag("VENDORCODE", "CODE"), tag("VENDORNAME", "UPPER(NAME)")}};
    appendBillingAddress(t.fields);
    t.fields.insert(t.fields.end(),
                    {text("CONTACT", 20), text("PHONE", 15), text("EXTENSION", 6), text("FAX", 15), text("EMAIL", 50),
                     text("CUSTSERV", 15), text("TECHSUPT", 15), text("BBS", 15), text("URL", 60),
                     text("CUSTNUMBER", 15), text("TERMS", 15), money("MINORDER"), money("PDFREIGHT"), memo("NOTES")});
    return t;
}

TableDef users() {
    return TableDef{"ID.DBF",
                    TableHome::Data,
                    {text("ID", 15), text("NAME", 30), binary("ACCESS"), tableVersion()},
                    {tag("ID", "ID")}};
}

TableDef company() {
    return TableDef{"COINFO.DBF",
                    TableHome::Data,
                    {text("CONAME", 40),    text("STREET", 30),     text("STREET2", 30),      text("CITY", 20),
                     text("STATE", 20),     text("ZIP", 10),        text("PHONE", 15),        text("FAX", 15),
                     text("SHIPVIA", 15),   categoryName("TAXCAT"), categoryName("PRICECAT"), code("PRECISION"),
                     logical("HIDEPRICES"), logical("OPENPHONE"),   number("RNDAMT", 2),      number("PASTDUERT", 7, 3),
                     money("LABORRATE"),    number("QUOTEDAYS", 3), code("CCAUTHMTHD"),       logical("ALLPAYMENT"),
                     logical("MULTILINE"),  logical("PRINTCC"),     logical("PRINTINFO"),     logical("MOVENOSHIP"),
                     logical("PREASSIGN"),  memo("INVDISC"),        memo("SODISC"),           binary("OPTIONS")},
                    {}};
}

}  // namespace

std::vector<TableDef> partyTables() {
    return {customers(), entryList("CUSTCAT.DBF"), vendors(), users(), company()};
}

}  // namespace brimo::data::catalogue
