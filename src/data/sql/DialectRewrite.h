#pragma once

#include <string>
#include <string_view>

namespace brimo::data::sql {

// Adapts statements written for the old desktop SQL dialect to SQLite, working
// on tokens so that string literals, comments and parameters stay untouched:
//
// - A table's own name used as a qualifier is replaced by its alias when the
//   statement lists that table in FROM (or as the target of UPDATE or DELETE)
//   exactly once, with an alias, and nowhere without one:
//   `from so s ... where so.complete = 0` becomes `... where s.complete = 0`.
// - A double-quoted text in a value position becomes a string literal:
//   `where locname = "PHONE"` becomes `where locname = 'PHONE'`. Value
//   positions are the right side of a comparison (= == <> != < <= > >=), the
//   operand after LIKE, GLOB, ESCAPE, BETWEEN (and its AND), IS, IS NOT, THEN,
//   ELSE and ||, and the items of a parenthesised list after one of those, IN
//   or VALUES: `in ("a", "b")`, `values ("x", 1)`. A
//   double-quoted name anywhere else (`update "order" set ...`, `"order".number`)
//   stays an identifier.
std::string rewriteDialect(std::string_view sql);

}  // namespace brimo::data::sql
