#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace brimo::data::io {

// An open file of the database: positioned reads and writes with 64-bit
// offsets, size, truncation, durability and byte-range locks.
//
// Locks are open-file-description locks: they belong to this File object, so
// two File objects on the same path conflict with each other exactly as two
// processes do, and closing one File never drops the locks of another.
// Every failure is a DatabaseError naming the file.
//
// Not thread-safe; one File is used by one cursor at a time.
class File {
public:
    enum class Mode { ReadOnly, ReadWrite, CreateTruncate, OpenOrCreate };

    File(const std::filesystem::path& path, Mode mode);
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    const std::filesystem::path& path() const { return path_; }
    bool writable() const { return writable_; }

    // Reads up to out.size() bytes at `offset`; returns how many were read
    // (fewer only at the end of the file).
    size_t readAt(uint64_t offset, std::span<std::byte> out) const;
    // Reads exactly out.size() bytes or throws a DatabaseError saying the file
    // is shorter than its header claims (a truncated file).
    void readExact(uint64_t offset, std::span<std::byte> out) const;
    void writeAt(uint64_t offset, std::span<const std::byte> data);

    uint64_t size() const;
    void truncate(uint64_t size);
    void sync();

    // Byte-range locks. tryLock returns false when another holder conflicts;
    // lock waits for it. Offsets beyond the end of the file are allowed.
    bool tryLock(uint64_t offset, uint64_t length, bool exclusive);
    void lock(uint64_t offset, uint64_t length, bool exclusive);
    void unlock(uint64_t offset, uint64_t length);

    // Fault injection for tests, process-wide: after `bytes` more bytes have
    // been written through any File, the write that crosses the limit stores
    // only the bytes up to it and then either throws a DatabaseError (a full
    // disk) or kills the process with SIGKILL (a crash between two writes).
    enum class FaultAction { Throw, Kill };
    static void failWritesAfter(uint64_t bytes, FaultAction action);
    static void clearWriteFault();
    // For tests, process-wide: called with the size of every write before it
    // is made (nullptr: none), e.g. to find the boundaries between writes.
    using WriteObserver = void (*)(size_t bytes);
    static void observeWrites(WriteObserver observer);

private:
    void close() noexcept;
    [[noreturn]] void fail(const char* what) const;

    std::filesystem::path path_;
    int fd_ = -1;
    bool writable_ = false;
};

}  // namespace brimo::data::io
