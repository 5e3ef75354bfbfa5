#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "data/catalogue/Catalogue.h"

namespace brimo::data::catalogue {
namespace {

// The names an index key expression refers to: identifiers not followed by
// an opening parenthesis (those are functions).
std::vector<std::string> fieldReferences(const std::string& expression) {
    std::vector<std::string> names;
    for (size_t i = 0; i < expression.size();) {
        if (!std::isalpha(static_cast<unsigned char>(expression[i]))) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < expression.size() &&
               (std::isalnum(static_cast<unsigned char>(expression[end])) || expression[end] == '_'))
            ++end;
        if (end >= expression.size() || expression[end] != '(')
            names.push_back(expression.substr(i, end - i));
        i = end;
    }
    return names;
}

TEST(CatalogueTest, EveryTableIsAValidDbaseLayout) {
    std::set<std::string> fileNames;
    for (const TableDef& table : tables()) {
        SCOPED_TRACE(table.fileName);
        EXPECT_TRUE(fileNames.insert(table.fileName).second) << "listed twice";
        EXPECT_TRUE(table.fileName.ends_with(".DBF"));
        ASSERT_FALSE(table.fields.empty());

        std::set<std::string> fieldNames;
        unsigned recordLength = 1;
        for (const FieldSpec& f : table.fields) {
            SCOPED_TRACE(f.name);
            EXPECT_TRUE(fieldNames.insert(f.name).second) << "field listed twice";
            EXPECT_LE(f.name.size(), 10u);
            for (char c : f.name) EXPECT_TRUE(std::isupper(static_cast<unsigned char>(c)) || std::isdigit(c));
            switch (f.type) {
                case 'C':
                    EXPECT_TRUE(f.length >= 1 && f.length <= 254);
                    break;
                case 'N':
                    EXPECT_TRUE(f.length >= 1 && f.length <= 20);
                    // Room for the sign or a digit before the point.
                    if (f.decimals > 0) {
                        EXPECT_LE(f.decimals + 2, f.length);
                    }
                    break;
                case 'L':
                    EXPECT_EQ(f.length, 1);
                    break;
                case 'D':
                    EXPECT_EQ(f.length, 8);
                    break;
                case 'M':
                case 'B':
                    EXPECT_EQ(f.length, 10);
                    break;
                default:
                    ADD_FAILURE() << "unexpected type " << f.type;
            }
            recordLength += f.length;
        }
        EXPECT_LE(recordLength, 4000u);

        std::set<std::string> tagNames;
        for (const TagSpec& tag : table.tags) {
            SCOPED_TRACE(tag.name);
            EXPECT_TRUE(tagNames.insert(tag.name).second) << "tag listed twice";
            EXPECT_LE(tag.name.size(), 10u);
            EXPECT_LE(tag.expression.size(), 220u);
            auto refs = fieldReferences(tag.expression);
            EXPECT_FALSE(refs.empty());
            for (const auto& ref : refs) EXPECT_NE(table.findField(ref), nullptr) << "unknown field " << ref;
        }
    }
}

TEST(CatalogueTest, TablesAndFieldsAreFoundWithoutRegardToCase) {
    for (const char* name : {"cust", "CUST", "Cust.dbf", "CUST.DBF"}) {
        SCOPED_TRACE(name);
        const TableDef* t = findTable(name);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->fileName, "CUST.DBF");
    }
    EXPECT_EQ(findTable("CUSTOMER"), nullptr);
    EXPECT_EQ(findTable("CUST.MDX"), nullptr);
    EXPECT_THROW(table("NOSUCH"), std::out_of_range);

    const TableDef& code = table("code");
    for (const char* name : {"StockCode", "STOCKCODE", "stockcode"}) {
        const FieldSpec* f = code.findField(name);
        ASSERT_NE(f, nullptr) << name;
        EXPECT_EQ(f->name, "STOCKCODE");
        EXPECT_EQ(f->length, 15);
    }
    EXPECT_EQ(code.findField("STOCK"), nullptr);
    ASSERT_NE(code.findTag("pricecat"), nullptr);
    EXPECT_EQ(code.findTag("pricecat")->expression, "PRICECAT");
}

// Columns joined through SQL and the relations between tables need one width
// on both sides, or a value that fits one table is cut in the other.
TEST(CatalogueTest, RelatedFieldsShareTheirWidth) {
    struct Link {
        const char* table;
        const char* field;
        const char* otherTable;
        const char* otherField;
    };
    const Link links[] = {
        {"CODE", "CATEGORY", "CODECAT", "ENTRY"},
        {"CODE", "SUBCAT", "CODESUB", "ENTRY"},
        {"CODE", "PRICECAT", "PRICECAT", "PRICECAT"},
        {"CODE", "PREFVENDOR", "VENDOR", "CODE"},
        {"CUST", "CATEGORY", "CUSTCAT", "ENTRY"},
        {"CUST", "TAXCAT", "TAXCAT", "TAXCAT"},
        {"CUST", "SALESREP", "ID", "ID"},
        {"COINFO", "TAXCAT", "TAXCAT", "TAXCAT"},
        {"COINFO", "PRICECAT", "PRICECAT", "PRICECAT"},
        {"AR", "CUSTNUM", "CUST", "CUSTNUM"},
        {"SERIAL", "STOCKCODE", "CODE", "STOCKCODE"},
        {"CONDEF", "CONTAINER", "CODE", "STOCKCODE"},
        {"INVOICE", "REMOTECODE", "LOCATION", "LOCNAME"},
        {"LOCATION", "PARENT", "LOCATION", "LOCNAME"},
        {"DELCODE", "DESC", "CODE", "DESC"},
        {"UDCUST", "LASTNAME", "CUST", "LASTNAME"},
        {"TRANSFER", "SERIALNUM", "SERIAL", "SERIALNUM"},
    };
    for (const Link& link : links) {
        SCOPED_TRACE(std::string(link.table) + "." + link.field);
        const FieldSpec* a = table(link.table).findField(link.field);
        const FieldSpec* b = table(link.otherTable).findField(link.otherField);
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->type, b->type);
        EXPECT_EQ(a->length, b->length);
    }
    for (const char* name : {"CUST", "INVOICE", "ORDER", "QUOTE", "SO", "RINV"})
        EXPECT_NE(table(name).findField("TAXCAT"), nullptr) << name << " is renamed by the tax category update";
}

}  // namespace
}  // namespace brimo::data::catalogue
