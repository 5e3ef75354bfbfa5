#include "data/ChangeJournal.h"

#include "data/dbf/Bytes.h"
#include "data/dbf/Locks.h"

#include <algorithm>
#include <array>

namespace brimo::data {
namespace {

// Trailer after the two record images; the phase is its last byte, so a write
// that stops early never leaves a phase without the images before it.
constexpr std::array<std::byte, 4> kMagic = {std::byte{'J'}, std::byte{'R'}, std::byte{'N'}, std::byte{'1'}};
constexpr size_t kLengthAt = 4, kOperationAt = 6, kRecnoAt = 8, kPhaseAt = 12, kTrailerSize = 13;
constexpr uint64_t kLockOffset = 0;

}  // namespace

ChangeJournal::ChangeJournal(const std::filesystem::path& path, uint16_t recordLength)
    : file_(path, io::File::Mode::OpenOrCreate),
      recordLength_(recordLength),
      image_(2 * size_t{recordLength} + kTrailerSize) {}

void ChangeJournal::lock(const std::string& tableName) {
    dbf::lockOrThrow(file_, kLockOffset, 1, true, "Table " + tableName + " is locked by another user.");
}

void ChangeJournal::unlock() {
    file_.unlock(kLockOffset, 1);
}

std::optional<ChangeJournal::Entry> ChangeJournal::unfinished() const {
    std::array<std::byte, kTrailerSize> trailer{};
    if (file_.readAt(trailerOffset(), trailer) != trailer.size())
        return std::nullopt;
    if (!std::equal(kMagic.begin(), kMagic.end(), trailer.begin()))
        return std::nullopt;
    if (dbf::readLE16(trailer.data() + kLengthAt) != recordLength_)
        return std::nullopt;
    const auto phase = static_cast<Phase>(trailer[kPhaseAt]);
    const auto operation = static_cast<Operation>(trailer[kOperationAt]);
    if (phase != Phase::Record && phase != Phase::Index)
        return std::nullopt;
    if (operation != Operation::Edit && operation != Operation::Append)
        return std::nullopt;
    Entry entry{operation, phase, dbf::readLE32(trailer.data() + kRecnoAt), {}, {}};
    if (entry.recno == 0)
        return std::nullopt;
    std::vector<std::byte> images(trailerOffset());
    if (file_.readAt(0, images) != images.size())
        return std::nullopt;
    if (operation == Operation::Edit)
        entry.before.assign(images.begin(), images.begin() + recordLength_);
    entry.after.assign(images.begin() + recordLength_, images.end());
    return entry;
}

void ChangeJournal::begin(Operation operation, uint32_t recno, std::span<const std::byte> before,
                          std::span<const std::byte> after) {
    std::fill(image_.begin(), image_.end(), std::byte{0});
    std::copy_n(before.begin(), std::min<size_t>(before.size(), recordLength_), image_.begin());
    std::copy_n(after.begin(), std::min<size_t>(after.size(), recordLength_), image_.begin() + recordLength_);
    std::byte* trailer = image_.data() + trailerOffset();
    std::copy(kMagic.begin(), kMagic.end(), trailer);
    dbf::writeLE16(trailer + kLengthAt, recordLength_);
    trailer[kOperationAt] = static_cast<std::byte>(operation);
    dbf::writeLE32(trailer + kRecnoAt, recno);
    trailer[kPhaseAt] = static_cast<std::byte>(Phase::Record);
    file_.writeAt(0, image_);
}

void ChangeJournal::writePhase(Phase phase) {
    const std::byte value = static_cast<std::byte>(phase);
    file_.writeAt(trailerOffset() + kPhaseAt, std::span(&value, 1));
}

void ChangeJournal::enterIndexPhase() {
    writePhase(Phase::Index);
}

void ChangeJournal::finish() {
    writePhase(Phase::Idle);
}

}  // namespace brimo::data
