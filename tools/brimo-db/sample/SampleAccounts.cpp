#include <algorithm>
#include <chrono>

#include "SampleParts.h"
#include "SampleTable.h"

namespace brimo::sample {

namespace {

// Receivable entry types.
constexpr int kInvoice = 1;
constexpr int kPayment = 4;
constexpr int kFinanceCharge = 7;
constexpr int kStatement = 8;
constexpr int kCredit = 14;

enum class Means { None, Cash, Check, Card, CreditMemo };

struct Entry {
    Date date;
    int type = kInvoice;
    int number = 0;
    double subtotal = 0;
    double tax = 0;
    double gst = 0;
    double amount = 0;  // what the entry adds to the balance
    Means means = Means::None;
    double paymentsTo = 0;  // applied to this invoice
    double posted = 0;      // of this payment or credit, applied elsewhere
    int statement = 0;
    std::string reference;
};

struct Application {
    int payment;  // entry numbers and types
    int paymentType;
    int invoice;
    double amount;
};

struct Numbers {
    int invoice = 1001;
    int payment = 5001;
    int credit = 7001;
    int finance = 9001;
    int statement = 1;
};

Date plusDays(Date d, int days) {
    return Date{std::chrono::sys_days(d) + std::chrono::days(days)};
}

double taxRate(const std::string& category) {
    if (category == "STATE")
        return 6.0;
    if (category == "COUNTY")
        return 7.0;
    if (category == "CITY")
        return 8.0;
    return 0.0;
}

// One customer's history: invoices over the first half of 2025, most paid in
// full, some in part, some still open; a few overpayments and credits left
// unapplied; a statement for charge customers and a finance charge for the
// customer with a bad check.
std::vector<Entry> history(const Customer& c, Numbers& numbers, std::vector<Application>& applications) {
    Random random(0xACC0000 + static_cast<uint64_t>(c.number));
    std::vector<Entry> entries;
    const int invoices = c.number % 6 == 5 ? 0 : random.between(1, 4);
    Date day = date(2025, 1, static_cast<unsigned>(random.between(2, 20)));
    for (int k = 0; k < invoices; ++k) {
        Entry inv;
        inv.date = day;
        inv.type = kInvoice;
        inv.number = numbers.invoice++;
        inv.subtotal = random.amount(15, 850);
        if (c.taxCategory == "GST") {
            inv.gst = cents(inv.subtotal * 0.05);
        } else {
            inv.tax = cents(inv.subtotal * taxRate(c.taxCategory) / 100);
        }
        inv.amount = cents(inv.subtotal + inv.tax + inv.gst);
        entries.push_back(inv);
        const size_t invoiceIndex = entries.size() - 1;

        const int outcome = random.between(1, 10);
        if (outcome <= 7) {
            Entry pay;
            pay.date = plusDays(day, random.between(3, 25));
            pay.type = kPayment;
            pay.number = numbers.payment++;
            pay.means = static_cast<Means>(random.between(1, 3));
            const double applied = outcome <= 5 ? inv.amount : cents(inv.amount / 2);
            const double paid = outcome == 1 ? cents(applied + 50) : applied;
            pay.amount = -paid;
            pay.posted = applied;
            pay.reference = pay.means == Means::Check ? "CK " + std::to_string(random.between(1000, 9999)) : "";
            entries[invoiceIndex].paymentsTo = applied;
            entries.push_back(pay);
            applications.push_back({pay.number, kPayment, inv.number, applied});
        }
        day = plusDays(day, random.between(12, 40));
    }
    if (invoices > 0 && c.number % 7 == 3) {
        Entry credit;
        credit.date = plusDays(day, 2);
        credit.type = kCredit;
        credit.number = numbers.credit++;
        credit.means = Means::CreditMemo;
        credit.amount = -random.amount(10, 60);
        entries.push_back(credit);
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.date < b.date; });

    if (c.terms == "NET 30" && !entries.empty()) {
        Entry statement;
        statement.date = date(2025, 3, 31);
        statement.type = kStatement;
        statement.number = numbers.statement++;
        statement.statement = statement.number;
        for (auto& e : entries)
            if (e.date <= statement.date)
                e.statement = statement.number;
        auto at = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.date > statement.date; });
        entries.insert(at, statement);
    }
    if (c.lastName == "Hollis" && !entries.empty()) {
        Entry charge;
        charge.date = plusDays(entries.back().date, 30);
        charge.type = kFinanceCharge;
        charge.number = numbers.finance++;
        charge.amount = 7.50;
        entries.push_back(charge);
    }
    return entries;
}

void writeEntry(SampleTable& ar, const Customer& c, const Entry& e, double& balance) {
    const double paid = -e.amount;
    ar.add()
        .set("CUSTNUM", c.number)
        .set("TRANSNUM", e.number)
        .set("TRANSTYPE", e.type)
        .set("TRANSDATE", e.date)
        .set("RECDATE", e.date)
        .set("TERMS", c.terms)
        .set("SUBTOTAL", e.subtotal)
        .set("TAX", e.tax)
        .set("GSTAX", e.gst)
        .set("BALANCE", e.amount)
        .set("PAYMENTSTO", e.paymentsTo)
        .set("PREVBAL", balance)
        .set("STATEMENT", e.statement)
        .set("REFERENCE", e.reference);
    balance = cents(balance + e.amount);
    ar.set("CURBAL", balance);
    switch (e.means) {
        case Means::Cash:
            ar.set("CASH", paid);
            break;
        case Means::Check:
            ar.set("CHECK", paid);
            break;
        case Means::Card:
            ar.set("CREDITCARD", paid)
                .set("CCTYPE", 1)
                .set("CCNUMBER", "************1111")
                .set("CCEXPDATE", "09/27")
                .set("CCAUTH", "AUTH" + std::to_string(e.number));
            break;
        case Means::CreditMemo:
            ar.set("CREDITMEMO", paid);
            break;
        case Means::None:
            break;
    }
    if (e.type == kPayment || e.type == kCredit) {
        ar.set("POSTEDAMT", e.posted).set("UNPOSTED", e.posted < paid ? 1 : 0);
    }
    if (e.type == kInvoice && c.terms == "NET 30")
        ar.set("CUSTPO", "PO " + std::to_string(e.number * 3 % 9973));
    ar.post();
}

void writeSalesDocuments(const data::Database& database, const std::vector<Customer>& customers,
                         const std::vector<std::pair<int, Entry>>& invoices) {
    SampleTable invoiceTable(database, "INVOICE");
    int remote = 20001;
    for (const auto& [customer, inv] : invoices) {
        const Customer& c = customers[static_cast<size_t>(customer - 1)];
        invoiceTable.add()
            .set("NUMBER", inv.number)
            .set("TRANSDATE", inv.date)
            .set("CUSTNUM", c.number)
            .set("TAXCAT", c.taxCategory);
        if (inv.number % 4 == 0)
            invoiceTable.set("REMOTECODE", "DOWNTOWN").set("REMOTENUM", remote++);
        invoiceTable.post();
    }
    invoiceTable.finish();

    for (const char* name : {"ORDER", "QUOTE"}) {
        SampleTable t(database, name);
        const bool order = std::string_view(name) == "ORDER";
        int number = order ? 501 : 701;
        for (size_t i = order ? 0 : 3; i < customers.size(); i += 4) {
            const Customer& c = customers[i];
            if (c.deleted)
                continue;
            t.add()
                .set("NUMBER", number)
                .set("TRANSDATE", date(2025, 6, static_cast<unsigned>(1 + i % 28)))
                .set("CUSTNUM", c.number)
                .set("TAXCAT", c.taxCategory);
            if (number % 3 == 0)
                t.set("REMOTECODE", "VAN 1").set("REMOTENUM", 40000 + number);
            t.post();
            ++number;
        }
        t.finish();
    }
}

void writeServiceAndRecurring(const data::Database& database, const std::vector<Customer>& customers) {
    std::vector<const Customer*> live;
    for (const auto& c : customers)
        if (!c.deleted)
            live.push_back(&c);
    if (live.empty())
        live.push_back(nullptr);
    auto customerAt = [&](size_t i) { return live[i % live.size()]; };

    SampleTable so(database, "SO");
    for (int i = 0; i < 9; ++i) {
        const Customer* c = customerAt(static_cast<size_t>(i * 3 + 1));
        so.add()
            .set("NUMBER", 301 + i)
            .set("DATEIN", date(2025, 5, static_cast<unsigned>(3 + i * 3)))
            .set("CUSTNUM", c ? c->number : 0)
            .set("READY", i % 3 == 1)
            .set("COMPLETE", i < 3 ? 1 : 0)
            .set("TAXCAT", c ? c->taxCategory : "STATE")
            .post();
    }
    so.finish();

    struct Recurring {
        int status;
        int error;
        const char* authRef;
    };
    const Recurring recurring[] = {{100, 0, ""},  {300, 0, ""},    {200, 100, "DECLINED 05"},
                                   {0, 1000, ""}, {100, 2001, ""}, {300, 512, ""}};
    SampleTable rinv(database, "RINV");
    int number = 1;
    for (const auto& r : recurring) {
        const Customer* c = customerAt(static_cast<size_t>(number * 4));
        rinv.add()
            .set("NUMBER", number)
            .set("CUSTNUM", c ? c->number : 0)
            .set("LASTDATE", date(2025, 5, 1))
            .set("NEXTDATE", date(2025, 6, 1))
            .set("STATUS", r.status)
            .set("ERRORNO", r.error)
            .set("AUTHREF", r.authRef)
            .set("TAXCAT", c ? c->taxCategory : "STATE")
            .post();
        ++number;
    }
    rinv.finish();
}

}  // namespace

void writeAccountTables(const data::Database& database, const std::vector<Customer>& customers) {
    SampleTable ar(database, "AR");
    SampleTable details(database, "ARDETAIL");
    Numbers numbers;
    std::vector<std::pair<int, Entry>> invoices;
    for (const Customer& c : customers) {
        if (c.deleted)
            continue;
        std::vector<Application> applications;
        double balance = 0;
        for (const Entry& e : history(c, numbers, applications)) {
            writeEntry(ar, c, e, balance);
            if (e.type == kInvoice)
                invoices.emplace_back(c.number, e);
        }
        for (const auto& a : applications) {
            details.add()
                .set("TRANSNUM", a.payment)
                .set("TRANSTYPE", a.paymentType)
                .set("DETAILNUM", a.invoice)
                .set("DETAILTYPE", kInvoice)
                .set("PAYMENTSTO", a.amount)
                .post();
        }
    }
    ar.finish();
    details.finish();
    writeSalesDocuments(database, customers, invoices);
    writeServiceAndRecurring(database, customers);
}

}  // namespace brimo::sample
