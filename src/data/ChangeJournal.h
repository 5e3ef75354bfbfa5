#pragma once

#include "data/io/File.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brimo::data {

// The before-image journal of one table: <TABLE>.JNL beside the .DBF, shared
// by every writer of the table. It holds at most one change: the record
// number, the record as it was and as it is being written, and how far the
// write got. A writer holds the journal lock for the whole of a post, so an
// entry that is not idle while nobody holds the lock was left by a writer that
// died; whoever takes the lock next rolls it back.
//
// The journal is not synced: it protects against a process that dies, not
// against a machine that stops (the table files are not synced either).
class ChangeJournal {
  public:
    enum class Operation : uint8_t { Edit = 1, Append = 2 };
    // How far a post got: Record while the record may be partly written, Index
    // from the start of the index update until the post is complete.
    enum class Phase : uint8_t { Idle = 0, Record = 1, Index = 2 };

    struct Entry {
        Operation operation = Operation::Edit;
        Phase phase = Phase::Idle;
        uint32_t recno = 0;
        std::vector<std::byte> before;  // empty for an append
        std::vector<std::byte> after;
    };

    // Opens the journal, creating it when missing.
    ChangeJournal(const std::filesystem::path& path, uint16_t recordLength);

    const std::filesystem::path& path() const { return file_.path(); }

    // The journal lock, held from the start to the end of a post.
    void lock(const std::string& tableName);
    void unlock();

    // The entry left by a writer that did not finish, read without the lock;
    // nothing when the journal is idle or does not belong to this table's
    // record layout. With the lock held, an entry found is an orphan.
    std::optional<Entry> unfinished() const;

    // Records the change about to be written (before any byte of it), then
    // marks the start of the index update, then the end of the post.
    void begin(Operation operation, uint32_t recno, std::span<const std::byte> before,
               std::span<const std::byte> after);
    void enterIndexPhase();
    void finish();

  private:
    uint64_t trailerOffset() const { return 2 * uint64_t{recordLength_}; }
    void writePhase(Phase phase);

    io::File file_;
    uint16_t recordLength_;
    std::vector<std::byte> image_;  // the entry as written, reused between posts
};

}  // namespace brimo::data
