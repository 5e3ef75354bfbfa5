#include "data/catalogue/FieldBuilders.h"
#include "data/catalogue/TableGroups.h"

namespace brimo::data::catalogue {

using namespace fields;

namespace {

// The pricing settings that a stock code shares with its price category.
void appendPricingSettings(std::vector<FieldSpec>& out) {
    for (const char* name : {"DISC1DESC", "DISC2DESC", "DISC3DESC"}) out.push_back(text(name, 15));
    for (const char* name : {"DISC1PCT", "DISC2PCT", "DISC3PCT"}) out.push_back(percent(name));
    out.push_back(code("LISTMTHD"));
    out.push_back(percent("LISTPCT"));
    out.push_back(code("SALEMTHD"));
    out.push_back(percent("SALEPCT"));
    out.push_back(code("DISCMTHD"));
    out.push_back(code("AUTOPRICE"));
    out.push_back(logical("AUTOROUND"));
}

TableDef codeTable() {
    TableDef t{"CODE.DBF", TableHome::Data, {}, {tag("CODE", "STOCKCODE"), tag("PRICECAT", "PRICECAT")}};
    auto& f = t.fields;
    f = {stockCode("STOCKCODE"), stockCode("ALTCODE"), text("MFR", 30),    text("MODEL", 10),
         text("DESC", 60),       text("CATEGORY", 10), text("SUBCAT", 10), text("LOCATION", 10)};
    for (const char* name : {"COST", "LASTCOST", "LIST", "PRICE", "DISCOUNT1", "DISCOUNT2", "DISCOUNT3"})
        f.push_back(price(name));
    appendPricingSettings(f);
    f.push_back(categoryName("PRICECAT"));
    f.push_back(logical("TAXABLE"));
    f.push_back(logical("GST"));
    for (const char* name :
         {"ONHAND", "ALLOCATED", "ONORDER", "ONRMA", "INPREBUILT", "MINIMUM", "MAXIMUM", "TARGETQTY"})
        f.push_back(quantity(name));
    f.push_back(text("UNIT", 10));
    f.push_back(text("ORDERUNIT", 10));
    f.push_back(number("UNITSTOORD", 6));
    f.push_back(logical("SERIALIZED"));
    f.push_back(code("CONTAINER"));
    f.push_back(logical("NODEPLETE"));
    f.push_back(logical("NONSTOCK"));
    f.push_back(money("SHIPPING"));
    f.push_back(number("WEIGHT", 8, 2));
    f.push_back(logical("UPSIND"));
    f.push_back(text("PREFVENDOR", 15));
    for (const char* name : {"PV0", "PV1", "PV2", "PV3", "PV4"}) f.push_back(text(name, 15));
    for (const char* name : {"PVC0", "PVC1", "PVC2", "PVC3", "PVC4"}) f.push_back(price(name));
    f.push_back(memo("NOTES"));
    f.push_back(tableVersion());
    return t;
}

TableDef containerDefinitions() {
    return TableDef{"CONDEF.DBF",
                    TableHome::Data,
                    {stockCode("STOCKCODE"), stockCode("CONTAINER"), quantity("QUANTITY")},
                    {tag("STOCKCODE", "STOCKCODE"), tag("CONTAINER", "CONTAINER")}};
}

TableDef serialNumbers() {
    return TableDef{"SERIAL.DBF",
                    TableHome::Data,
                    {text("SERIALNUM", 15), stockCode("STOCKCODE"), number("STOCKNUM", 8), price("COST"),
                     documentNumber("INVNUM"), documentNumber("SONUM"), documentNumber("RMANUM"),
                     documentNumber("PONUM"), date("RECDATE"), text("VENDINVNUM", 15), number("CONTAINER", 8)},
                    {tag("SERIAL", "SERIALNUM"), tag("STOCKCODE", "STOCKCODE")}};
}

TableDef priceCategories() {
    TableDef t{"PRICECAT.DBF", TableHome::Data, {categoryName("PRICECAT")}, {tag("PRICECAT", "PRICECAT")}};
    appendPricingSettings(t.fields);
    t.fields.push_back(tableVersion());
    return t;
}

TableDef taxCategories() {
    return TableDef{"TAXCAT.DBF",
                    TableHome::Data,
                    {categoryName("TAXCAT"), number("TAXRATE", 7, 3), logical("TAXEXEMPT"), logical("LABORTAXED"),
                     logical("SHTAXED"), number("TAXRATE2", 7, 3), code("TAX2TYPE"), money("TAX2CAP"),
                     number("GSTRATE", 7, 3), logical("GSTIND"), logical("GSTEXEMPT"), logical("LOCTAXGST"),
                     logical("LABORGST"), logical("SHGST"), tableVersion()},
                    {tag("TAXCAT", "TAXCAT")}};
}

}  // namespace

TableDef entryList(const char* fileName) {
    return TableDef{fileName, TableHome::Data, {text("ENTRY", 10)}, {tag("ENTRY", "ENTRY")}};
}

std::vector<TableDef> stockTables() {
    return {codeTable(),     entryList("CODECAT.DBF"), entryList("CODESUB.DBF"), containerDefinitions(),
            serialNumbers(), priceCategories(),        taxCategories()};
}

}  // namespace brimo::data::catalogue
