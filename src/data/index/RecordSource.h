#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace brimo::data::index {

// The records of a table, as the index needs them to build tags and to check
// them: raw record buffers (delete flag at byte 0) by physical record number.
// The table engine provides one over its DBF file.
class RecordSource {
  public:
    using Visitor = std::function<void(uint32_t recno, std::span<const std::byte> record)>;

    virtual ~RecordSource() = default;
    virtual uint32_t recordCount() const = 0;
    // Calls `visit` for records 1..recordCount() in order. The buffer is valid
    // only during the call. Errors are DatabaseError.
    virtual void forEachRecord(const Visitor& visit) const = 0;
};

}  // namespace brimo::data::index
