#include "data/io/ReadAhead.h"

#include <utility>

namespace brimo::data::io {

ReadAhead::ReadAhead(const File& file) : file_(file), thread_([this] { run(); }) {}

ReadAhead::~ReadAhead() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void ReadAhead::request(uint64_t offset, size_t bytes) {
    {
        std::unique_lock lock(mutex_);
        cancelLocked(lock);
        offset_ = offset;
        bytes_ = bytes;
        state_ = State::Requested;
    }
    changed_.notify_all();
}

bool ReadAhead::holds(uint64_t offset, size_t bytes) {
    std::lock_guard lock(mutex_);
    return state_ != State::Idle && offset_ == offset && bytes_ == bytes;
}

size_t ReadAhead::take(std::vector<std::byte>& into) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return state_ == State::Done; });
    state_ = State::Idle;
    if (error_)
        std::rethrow_exception(std::exchange(error_, nullptr));
    buffer_.swap(into);
    return read_;
}

void ReadAhead::cancel() {
    std::unique_lock lock(mutex_);
    cancelLocked(lock);
}

void ReadAhead::cancelLocked(std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [&] { return state_ != State::Reading; });
    state_ = State::Idle;
    error_ = nullptr;
}

void ReadAhead::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || state_ == State::Requested; });
        if (stopping_)
            return;
        state_ = State::Reading;
        const uint64_t offset = offset_;
        const size_t bytes = bytes_;
        lock.unlock();
        // The buffer is this thread's alone while the state is Reading.
        buffer_.resize(bytes);
        size_t read = 0;
        std::exception_ptr error;
        try {
            read = file_.readAt(offset, buffer_);
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        read_ = read;
        error_ = error;
        state_ = State::Done;
        changed_.notify_all();
    }
}

}  // namespace brimo::data::io
