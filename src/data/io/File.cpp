#include "data/io/File.h"

#include "data/DatabaseError.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <utility>

namespace brimo::data::io {
namespace {

constexpr uint64_t kNoFault = UINT64_MAX;
std::atomic<uint64_t> faultBytesLeft{kNoFault};
std::atomic<File::FaultAction> faultAction{File::FaultAction::Throw};
std::atomic<File::WriteObserver> writeObserver{nullptr};

std::string fileLabel(const std::filesystem::path& path) {
    return path.filename().string();
}

int openRetrying(const std::filesystem::path& path, int flags) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

File::File(const std::filesystem::path& path, Mode mode) : path_(path), writable_(mode != Mode::ReadOnly) {
    int flags = O_CLOEXEC;
    switch (mode) {
        case Mode::ReadOnly:
            flags |= O_RDONLY;
            break;
        case Mode::ReadWrite:
            flags |= O_RDWR;
            break;
        case Mode::CreateTruncate:
            flags |= O_RDWR | O_CREAT | O_TRUNC;
            break;
        case Mode::OpenOrCreate:
            flags |= O_RDWR | O_CREAT;
            break;
    }
    // Reads need not update the access time, which costs on every read; only
    // the file's owner may ask for that, so others open it without.
    fd_ = openRetrying(path, flags | O_NOATIME);
    if (fd_ < 0 && errno == EPERM)
        fd_ = openRetrying(path, flags);
    if (fd_ < 0) {
        if (errno == ENOENT)
            throw DatabaseError("File " + fileLabel(path) + " does not exist.");
        if (errno == EACCES || errno == EROFS)
            throw DatabaseError("File " + fileLabel(path) + " cannot be opened: access denied.");
        fail("cannot be opened");
    }
}

File::~File() {
    close();
}

File::File(File&& other) noexcept
    : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)), writable_(other.writable_) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        path_ = std::move(other.path_);
        fd_ = std::exchange(other.fd_, -1);
        writable_ = other.writable_;
    }
    return *this;
}

void File::close() noexcept {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

void File::fail(const char* what) const {
    throw DatabaseError("File " + fileLabel(path_) + " " + what + ": " + std::strerror(errno) + ".");
}

size_t File::readAt(uint64_t offset, std::span<std::byte> out) const {
    size_t done = 0;
    while (done < out.size()) {
        ssize_t n = ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail("cannot be read");
        }
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    return done;
}

void File::readExact(uint64_t offset, std::span<std::byte> out) const {
    if (readAt(offset, out) != out.size())
        throw DatabaseError("File " + fileLabel(path_) + " is damaged: it ends before the data its header describes.");
}

void File::writeAt(uint64_t offset, std::span<const std::byte> data) {
    if (!writable_)
        throw DatabaseError("File " + fileLabel(path_) + " is open read-only.");
    if (WriteObserver observer = writeObserver.load())
        observer(data.size());
    size_t allowed = data.size();
    bool faultHere = false;
    uint64_t left = faultBytesLeft.load();
    if (left != kNoFault) {
        if (left < data.size()) {
            allowed = static_cast<size_t>(left);
            faultHere = true;
            faultBytesLeft.store(0);
        } else {
            faultBytesLeft.store(left - data.size());
        }
    }
    size_t done = 0;
    while (done < allowed) {
        ssize_t n = ::pwrite(fd_, data.data() + done, allowed - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail("cannot be written");
        }
        done += static_cast<size_t>(n);
    }
    if (faultHere) {
        if (faultAction.load() == FaultAction::Kill)
            ::raise(SIGKILL);
        throw DatabaseError("File " + fileLabel(path_) + " cannot be written: no space left on device.");
    }
}

uint64_t File::size() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        fail("cannot be examined");
    return static_cast<uint64_t>(st.st_size);
}

void File::truncate(uint64_t size) {
    int rc;
    do {
        rc = ::ftruncate(fd_, static_cast<off_t>(size));
    } while (rc != 0 && errno == EINTR);
    if (rc != 0)
        fail("cannot be resized");
}

void File::sync() {
    if (::fdatasync(fd_) != 0)
        fail("cannot be flushed to disk");
}

namespace {

struct flock lockRequest(short type, uint64_t offset, uint64_t length) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = static_cast<off_t>(offset);
    fl.l_len = static_cast<off_t>(length);
    fl.l_pid = 0;
    return fl;
}

}  // namespace

bool File::tryLock(uint64_t offset, uint64_t length, bool exclusive) {
    struct flock fl = lockRequest(exclusive ? F_WRLCK : F_RDLCK, offset, length);
    if (::fcntl(fd_, F_OFD_SETLK, &fl) == 0)
        return true;
    if (errno == EAGAIN || errno == EACCES)
        return false;
    fail("cannot be locked");
}

void File::lock(uint64_t offset, uint64_t length, bool exclusive) {
    struct flock fl = lockRequest(exclusive ? F_WRLCK : F_RDLCK, offset, length);
    while (::fcntl(fd_, F_OFD_SETLKW, &fl) != 0) {
        if (errno != EINTR)
            fail("cannot be locked");
    }
}

void File::unlock(uint64_t offset, uint64_t length) {
    struct flock fl = lockRequest(F_UNLCK, offset, length);
    if (::fcntl(fd_, F_OFD_SETLK, &fl) != 0)
        fail("cannot be unlocked");
}

void File::failWritesAfter(uint64_t bytes, FaultAction action) {
    faultAction.store(action);
    faultBytesLeft.store(bytes);
}

void File::clearWriteFault() {
    faultBytesLeft.store(kNoFault);
}

void File::observeWrites(WriteObserver observer) {
    writeObserver.store(observer);
}

}  // namespace brimo::data::io
