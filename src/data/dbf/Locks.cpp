#include "data/dbf/Locks.h"

#include "data/DatabaseError.h"

#include <chrono>
#include <thread>

namespace brimo::data::dbf {

void lockOrThrow(io::File& file, uint64_t offset, uint64_t length, bool exclusive, const std::string& busyMessage) {
    using namespace std::chrono;
    // Holders of these locks keep them for a few writes; a user holding a
    // record in edit or the whole table keeps them longer, and then the caller
    // is told rather than left waiting.
    constexpr auto kPatience = milliseconds(2000);
    const auto deadline = steady_clock::now() + kPatience;
    auto pause = microseconds(50);
    while (!file.tryLock(offset, length, exclusive)) {
        if (steady_clock::now() >= deadline) throw DatabaseError(busyMessage);
        std::this_thread::sleep_for(pause);
        pause = std::min<microseconds>(pause * 2, milliseconds(20));
    }
}

}  // namespace brimo::data::dbf
