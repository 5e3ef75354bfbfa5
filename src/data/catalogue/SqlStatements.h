#pragma once

// The SQL statements and the query-by-example request that the library runs,
// verbatim. Parameters are written :Name and are matched with their case.

#include <array>
#include <string_view>

namespace brimo::data::catalogue::sql {

// Open service orders with their customers, by customer name. The statement
// qualifies a column with the table's own name although the table has an
// alias (so.complete); the SQL layer accepts that.
inline constexpr std::string_view kOpenServiceOrdersByName =
    "select s.number, s.datein, s.custnum,  c.custnum, c.lastname, c.firstname, s.ready from so s, cust c "
    "where so.complete = 0 and c.custnum = s.custnum order by lastname";

// Open service orders by number, as a query-by-example request of five lines.
inline constexpr std::array<std::string_view, 5> kOpenServiceOrdersByNumber = {
    "so.dbf | number | complete | datein | custnum | ready |",
    " | check | = 0 | check | _join1 | check |",
    "",
    "cust.dbf | custnum | lastname |",
    " | _join1 | check |",
};

// The remote transaction lookup: the initial text of its query, and the
// pieces from which each search builds its statement: the head, then the
// table name (invoice, "order" or quote), then either the by-number join and
// condition or the by-location join and condition.
inline constexpr std::string_view kRemoteTransactionInitial =
    "select t.number, t.transdate, c.lastname from invoice t, cust c where c.custnum = t.custnum";
inline constexpr std::string_view kRemoteTransactionHead = "select t.number, t.transdate, c.lastname from ";
inline constexpr std::string_view kRemoteTransactionJoin = " t, cust c where";
inline constexpr std::string_view kRemoteTransactionByNumber = " t.remotenum = :RemoteNum and c.custnum = t.custnum";
inline constexpr std::string_view kRemoteTransactionJoinByLocation = " t, cust c where t.remotecode = :RemoteCode";
inline constexpr std::string_view kRemoteTransactionByLocationNumber =
    " and t.remotenum = :RemoteNum and c.custnum = t.custnum";

// The highest customer number in use (one row; NULL on an empty table).
inline constexpr std::string_view kHighestCustomerNumber = "select max(CustNum) from cust";

// Renaming a tax category: in the customers, then in the sales history.
inline constexpr std::string_view kRenameTaxCategoryInCustomers =
    "update cust set taxcat = :newcat where taxcat = :oldcat";
inline constexpr std::array<std::string_view, 5> kRenameTaxCategoryInSalesHistory = {
    "update invoice set taxcat = :newcat where taxcat = :oldcat",
    "update \"order\" set taxcat = :newcat where taxcat = :oldcat",
    "update quote set taxcat = :newcat where taxcat = :oldcat",
    "update so set taxcat = :newcat where taxcat = :oldcat",
    "update rinv set taxcat = :newcat where taxcat = :oldcat",
};

// Locations directory: renaming a parent location, and the duplicate name
// check, whose statement is this prefix followed by the quoted name.
inline constexpr std::string_view kRenameParentLocation =
    "update location set parent = :NewName where parent = :OldName";
inline constexpr std::string_view kCountLocationNamePrefix = "select  count(LocName) from location where locname = ";

}  // namespace brimo::data::catalogue::sql
