#include "data/sql/EngineValues.h"

#include "data/FieldKind.h"

namespace brimo::data::sql {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

// A number of an Integer column: whole numbers as integers, anything else
// (a fraction written into a field without decimals, a huge value) as it is.
SqlValue wholeNumber(double n) {
    if (n >= -9.2e18 && n <= 9.2e18 && n == static_cast<double>(static_cast<int64_t>(n)))
        return static_cast<int64_t>(n);
    return n;
}

SqlValue dateValue(year_month_day date) {
    if (!date.ok())
        return SqlValue{};
    std::string text;
    putIsoDate(date, text);
    return text;
}

}  // namespace

ColumnType columnType(const FieldDef& field) {
    switch (fieldKind(field)) {
        case FieldKind::SmallInt:
        case FieldKind::Integer:
        case FieldKind::AutoIncrement:
            return ColumnType::Integer;
        case FieldKind::Float:
            return (field.type == 'N' || field.type == 'F') && field.decimals == 0 ? ColumnType::Integer
                                                                                   : ColumnType::Real;
        case FieldKind::Logical:
            return ColumnType::Logical;
        case FieldKind::Date:
            return ColumnType::Date;
        case FieldKind::Binary:
            return ColumnType::Blob;
        case FieldKind::Text:
        case FieldKind::Timestamp:
        case FieldKind::Memo:
            return ColumnType::Text;
    }
    return ColumnType::Text;
}

SqlValue columnValue(const Table& table, int field, ColumnType type) {
    switch (type) {
        case ColumnType::Integer:
            return wholeNumber(table.asNumber(field));
        case ColumnType::Real:
            return table.asNumber(field);
        case ColumnType::Logical:
            return static_cast<int64_t>(table.asBool(field));
        case ColumnType::Date:
            if (table.isEmpty(field))
                return SqlValue{};
            return dateValue(table.asDate(field));
        case ColumnType::Blob:
            return table.asBytes(field);
        case ColumnType::Text:
            return table.asString(field);
    }
    return SqlValue{};
}

std::optional<SqlValueView> recordValue(const SequentialReader& reader, int field, ColumnType type, std::string& text) {
    switch (type) {
        case ColumnType::Integer:
            return viewOf(wholeNumber(reader.number(field).value_or(0)));
        case ColumnType::Real:
            return reader.number(field).value_or(0);
        case ColumnType::Logical:
            return static_cast<int64_t>(reader.logical(field).value_or(false));
        case ColumnType::Date: {
            const auto date = reader.date(field);
            if (!date)
                return SqlValueView{};
            putIsoDate(*date, text);
            return std::string_view(text);
        }
        case ColumnType::Text:
            if (reader.fields()[static_cast<size_t>(field)].type == 'C')
                return reader.text(field, text);
            return std::nullopt;
        case ColumnType::Blob:
            return std::nullopt;
    }
    return std::nullopt;
}

// Written digit by digit (years 0 to 9999, as fields hold them): a scan
// formats one per record.
void putIsoDate(year_month_day date, std::string& text) {
    text.assign("0000-00-00");
    auto put = [&](size_t end, unsigned value) {
        for (size_t i = end; value > 0; --i, value /= 10) text[i] = static_cast<char>('0' + value % 10);
    };
    put(3, static_cast<unsigned>(static_cast<int>(date.year())));
    put(6, static_cast<unsigned>(date.month()));
    put(9, static_cast<unsigned>(date.day()));
}

year_month_day parseIsoDate(const std::string& text) {
    return year_month_day{year(std::stoi(text.substr(0, 4))),
                          month(static_cast<unsigned>(std::stoi(text.substr(5, 2)))),
                          day(static_cast<unsigned>(std::stoi(text.substr(8, 2))))};
}

double asDouble(const SqlValue& value) {
    return std::holds_alternative<int64_t>(value) ? static_cast<double>(std::get<int64_t>(value))
                                                  : std::get<double>(value);
}

}  // namespace brimo::data::sql
