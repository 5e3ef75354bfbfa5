#pragma once

#include <stdexcept>

namespace brimo::data {

// Every failure of the database engine: a missing, locked, truncated or damaged
// file, a bad field name, a key violation. The message is meant for the shop
// user, e.g. "Table CODE.DBF is locked by another user."
class DatabaseError : public std::runtime_error {
public:
    using runtime_error::runtime_error;
};

}  // namespace brimo::data
