#include "data/io/File.h"

#include "TestDir.h"
#include "data/DatabaseError.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>
#include <vector>

namespace brimo::data::io {
namespace {

std::span<const std::byte> bytes(std::string_view s) { return std::as_bytes(std::span(s.data(), s.size())); }

TEST(File, ReadsBackWhatWasWrittenAndReportsShortReads) {
    test::TestDir dir;
    File f(dir / "a.bin", File::Mode::CreateTruncate);
    f.writeAt(0, bytes("hello"));
    f.writeAt(10, bytes("world"));
    EXPECT_EQ(f.size(), 15u);

    std::array<std::byte, 5> buf{};
    f.readExact(10, buf);
    EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(buf.data()), 5), "world");

    std::vector<std::byte> tooLong(8);
    EXPECT_EQ(f.readAt(10, tooLong), 5u);
    EXPECT_THROW(f.readExact(10, tooLong), DatabaseError);

    f.truncate(3);
    EXPECT_EQ(f.size(), 3u);
}

TEST(File, MissingFileAndReadOnlyWritesAreErrors) {
    test::TestDir dir;
    EXPECT_THROW(File(dir / "none.dbf", File::Mode::ReadOnly), DatabaseError);
    { File(dir / "ro.bin", File::Mode::CreateTruncate).writeAt(0, bytes("x")); }
    File ro(dir / "ro.bin", File::Mode::ReadOnly);
    EXPECT_THROW(ro.writeAt(0, bytes("y")), DatabaseError);
}

TEST(File, LocksOfTwoHandlesInOneProcessConflict) {
    test::TestDir dir;
    File a(dir / "t.dbf", File::Mode::CreateTruncate);
    File b(dir / "t.dbf", File::Mode::ReadWrite);
    constexpr uint64_t kRecordLock = 0xEFFFFFFEull - 7;

    ASSERT_TRUE(a.tryLock(kRecordLock, 1, true));
    EXPECT_FALSE(b.tryLock(kRecordLock, 1, true));
    EXPECT_FALSE(b.tryLock(kRecordLock, 1, false));
    EXPECT_TRUE(b.tryLock(kRecordLock - 1, 1, true)) << "a neighbouring record stays free";
    a.unlock(kRecordLock, 1);
    EXPECT_TRUE(b.tryLock(kRecordLock, 1, true));

    b.unlock(kRecordLock - 1, 2);
    ASSERT_TRUE(a.tryLock(0xEFFFFFFEull, 1, false));
    EXPECT_TRUE(b.tryLock(0xEFFFFFFEull, 1, false)) << "shared locks coexist";
    EXPECT_FALSE(b.tryLock(0xEFFFFFFEull, 1, true));
}

TEST(File, InjectedFaultStopsTheWriteAtTheByteLimit) {
    test::TestDir dir;
    File f(dir / "f.bin", File::Mode::CreateTruncate);
    File::failWritesAfter(7, File::FaultAction::Throw);
    f.writeAt(0, bytes("abcd"));
    EXPECT_THROW(f.writeAt(4, bytes("efgh")), DatabaseError);
    File::clearWriteFault();
    EXPECT_EQ(f.size(), 7u);
    f.writeAt(7, bytes("h"));
    EXPECT_EQ(f.size(), 8u);
}

}  // namespace
}  // namespace brimo::data::io
