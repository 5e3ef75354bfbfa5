#include "data/catalogue/FieldBuilders.h"
#include "data/catalogue/TableGroups.h"

namespace brimo::data::catalogue {

using namespace fields;

namespace {

// An entry is found by its type and its number within the type.
constexpr const char* kTransactionKey = "STR(TRANSTYPE,2)+STR(TRANSNUM,8)";

FieldSpec transactionType(std::string name) {
    return number(std::move(name), 2);
}

TableDef receivables() {
    TableDef t{"AR.DBF",
               TableHome::Data,
               {customerNumber(), documentNumber("TRANSNUM"), transactionType("TRANSTYPE"), date("TRANSDATE"),
                date("RECDATE"), text("TERMS", 15)},
               {tag("CUSTNUM", "CUSTNUM"), tag("TRANSACT", kTransactionKey), tag("UNPOSTED", "UNPOSTED")}};
    for (const char* name : {"SUBTOTAL",   "TAX",        "TAX2",      "GSTAX",    "CASH",     "CHECK",    "CREDITCARD",
                             "CREDITMEMO", "ACCTCREDIT", "CREDITADJ", "WRITEOFF", "PREPAID",  "BALANCE",  "PAYMENTSTO",
                             "ADJTOROW",   "CURBAL",     "PREVBAL",   "AR30DAYS", "AR30PLUS", "AR60PLUS", "AR90PLUS"})
        t.fields.push_back(money(name));
    t.fields.insert(t.fields.end(), {code("UNPOSTED"), money("POSTEDAMT"), documentNumber("STATEMENT"),
                                     number("CCTYPE", 2), text("CCNUMBER", 20), text("CCEXPDATE", 5),
                                     text("CCAUTH", 15), text("REFERENCE", 15), text("CUSTPO", 15), tableVersion()});
    return t;
}

TableDef receivableDetails() {
    return TableDef{"ARDETAIL.DBF",
                    TableHome::Data,
                    {documentNumber("TRANSNUM"), transactionType("TRANSTYPE"), documentNumber("DETAILNUM"),
                     transactionType("DETAILTYPE"), money("PAYMENTSTO"), money("ADJTOROW"), money("CREDITADJ"),
                     money("WRITEOFF"), tableVersion()},
                    {tag("TRANSACT", kTransactionKey)}};
}

TableDef recurringInvoices() {
    return TableDef{"RINV.DBF",
                    TableHome::Data,
                    {documentNumber("NUMBER"), customerNumber(), date("LASTDATE"), date("NEXTDATE"),
                     number("STATUS", 3), number("ERRORNO", 4), text("AUTHREF", 15), categoryName("TAXCAT")},
                    {tag("NUMBER", "NUMBER")}};
}

TableDef serviceOrders() {
    return TableDef{"SO.DBF",
                    TableHome::Data,
                    {documentNumber("NUMBER"), date("DATEIN"), customerNumber(), logical("READY"), code("COMPLETE"),
                     categoryName("TAXCAT")},
                    {tag("NUMBER", "NUMBER")}};
}

// Invoices, orders and quotes share one layout as far as the library reads them.
TableDef salesDocuments(const char* fileName) {
    return TableDef{fileName,
                    TableHome::Data,
                    {documentNumber("NUMBER"), date("TRANSDATE"), customerNumber(), categoryName("TAXCAT"),
                     text("REMOTECODE", 15), documentNumber("REMOTENUM")},
                    {tag("NUMBER", "NUMBER")}};
}

}  // namespace

std::vector<TableDef> accountTables() {
    return {receivables(),
            receivableDetails(),
            recurringInvoices(),
            serviceOrders(),
            salesDocuments("INVOICE.DBF"),
            salesDocuments("ORDER.DBF"),
            salesDocuments("QUOTE.DBF")};
}

}  // namespace brimo::data::catalogue
