#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "data/io/File.h"

namespace brimo::data::io {

// Reads one range of a file on a second thread while the caller works on
// what it read before, so that a long scan's copying out of the page cache
// overlaps its decoding. One read is requested at a time; its bytes are
// taken by swapping buffers, without a copy.
class ReadAhead {
  public:
    // `file` must outlive this object.
    explicit ReadAhead(const File& file);
    // Waits for a read in progress.
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Starts reading `bytes` bytes at `offset`; a read requested before and
    // not taken is forgotten first.
    void request(uint64_t offset, size_t bytes);
    // Whether the read requested last is of exactly this range.
    bool holds(uint64_t offset, size_t bytes);
    // Waits for the requested read and swaps its buffer with `into`: the
    // bytes read (fewer at the end of the file), or the read's error thrown.
    size_t take(std::vector<std::byte>& into);
    // Forgets the requested read, waiting for it when it has begun.
    void cancel();

  private:
    enum class State { Idle, Requested, Reading, Done };

    void run();
    void cancelLocked(std::unique_lock<std::mutex>& lock);

    const File& file_;
    std::mutex mutex_;
    std::condition_variable changed_;
    State state_ = State::Idle;
    bool stopping_ = false;
    uint64_t offset_ = 0;
    size_t bytes_ = 0;
    std::vector<std::byte> buffer_;
    size_t read_ = 0;
    std::exception_ptr error_;
    std::thread thread_;
};

}  // namespace brimo::data::io
