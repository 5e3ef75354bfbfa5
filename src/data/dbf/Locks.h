#pragma once

#include "data/io/File.h"

#include <cstdint>
#include <string>

namespace brimo::data::dbf {

// Byte-range locks of the shared files, at the offsets other dBASE programs
// use: beyond the data, so that readers are never blocked.
inline constexpr uint64_t kLockBase = 0xEFFFFFFEull;
inline constexpr uint64_t kHeaderLock = kLockBase;        // DBF header: record count and date
inline constexpr uint64_t kAppendLock = 0xEFFFFFFFull;    // DBF: adding a record
inline constexpr uint64_t kFileUpdateLock = kLockBase;    // DBT and MDX: changing the file
inline constexpr uint64_t kTableLockStart = kLockBase - 1'000'000'000ull;
inline constexpr uint64_t kTableLockLength = 1'000'000'002ull;  // every record, the header and append bytes
inline constexpr uint32_t kMaxRecords = 1'000'000'000u;

inline constexpr uint64_t recordLockOffset(uint32_t recordNumber) { return kLockBase - recordNumber; }

// Takes a lock, retrying for a short while when another user holds it; then
// throws DatabaseError with `busyMessage`.
void lockOrThrow(io::File& file, uint64_t offset, uint64_t length, bool exclusive, const std::string& busyMessage);

// Holds an exclusive lock for a scope.
class ScopedLock {
public:
    ScopedLock(io::File& file, uint64_t offset, uint64_t length, const std::string& busyMessage)
        : file_(file), offset_(offset), length_(length) {
        lockOrThrow(file, offset, length, true, busyMessage);
    }
    ~ScopedLock() {
        try {
            file_.unlock(offset_, length_);
        } catch (...) {  // closing the file drops it anyway
        }
    }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    io::File& file_;
    uint64_t offset_, length_;
};

}  // namespace brimo::data::dbf
