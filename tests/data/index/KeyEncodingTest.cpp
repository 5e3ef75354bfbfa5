#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "data/index/KeyEncoding.h"

namespace brimo::data::index {
namespace {

Key bytes(std::initializer_list<int> values) {
    Key key;
    for (int v : values) key.push_back(static_cast<std::byte>(v));
    key.resize(kNumericKeyLength);
    return key;
}

TEST(KeyEncodingTest, NumericKeysHaveTheDocumentedBytes) {
    struct Case {
        double value;
        Key expected;
    };
    const Case cases[] = {
        {0, bytes({0x34, 0x01})},
        {10, bytes({0x36, 0x09, 0x10})},  // 1 digit, count rounded up to 2
        {3579, bytes({0x38, 0x11, 0x35, 0x79})},
        {206, bytes({0x37, 0x11, 0x20, 0x60})},
        {1023495, bytes({0x3B, 0x21, 0x10, 0x23, 0x49, 0x50})},
        {0.05, bytes({0x33, 0x09, 0x50})},
        {-16, bytes({0x36, 0x89, 0x16})},
        {12345678.25, bytes({0x3C, 0x29, 0x12, 0x34, 0x56, 0x78, 0x25})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(numericKey(c.value), c.expected);
        EXPECT_DOUBLE_EQ(decodeNumericKey(c.expected), c.value);
    }
}

TEST(KeyEncodingTest, NumericKeysCompareByValueWhateverTheDigitCount) {
    // The same value as written by other programs, with other digit counts.
    Key tenByDbase = bytes({0x36, 0x29, 0x10});
    Key tenByOther = bytes({0x36, 0x41, 0x10});
    EXPECT_EQ(compareKeys(KeyType::Numeric, tenByDbase, numericKey(10)), std::strong_ordering::equal);
    EXPECT_EQ(compareKeys(KeyType::Numeric, tenByOther, numericKey(10)), std::strong_ordering::equal);
    // A zero mantissa is zero, whatever its exponent.
    EXPECT_EQ(compareKeys(KeyType::Numeric, bytes({0x00, 0x01}), numericKey(0)), std::strong_ordering::equal);

    std::vector<double> values{-1e12, -1023495, -16, -15.5, -0.05, -0.001, 0,   0.001,   0.05, 0.5,
                               1,     9.99,     10,  15,    20,    99.5,   100, 1023495, 1e15};
    std::mt19937 rng(7);
    std::vector<double> shuffled = values;
    std::shuffle(shuffled.begin(), shuffled.end(), rng);
    std::sort(shuffled.begin(), shuffled.end(),
              [](double a, double b) { return compareKeys(KeyType::Numeric, numericKey(a), numericKey(b)) < 0; });
    EXPECT_EQ(shuffled, values);
}

TEST(KeyEncodingTest, DateKeysHoldTheJulianDay) {
    EXPECT_EQ(julianDay(2000, 1, 1), 2451545);
    EXPECT_EQ(julianDay(1970, 1, 1), 2440588);
    EXPECT_EQ(julianDay(2023, 2, 29), 0);
    EXPECT_DOUBLE_EQ(decodeDateKey(dateKey(2451545)), 2451545.0);
    // A blank date sorts after every real date.
    EXPECT_TRUE(compareKeys(KeyType::Date, dateKey(julianDay(9999, 12, 31)), dateKey(0)) < 0);
    EXPECT_TRUE(compareKeys(KeyType::Date, dateKey(julianDay(1999, 12, 31)), dateKey(julianDay(2000, 1, 1))) < 0);
    EXPECT_EQ(describeKey(KeyType::Date, dateKey(julianDay(2024, 3, 7))), "2024-03-07");
}

TEST(KeyEncodingTest, CharacterKeysComparePrefixesAsUnsignedBytes) {
    Key wtel = characterKey("WTEL", 7);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(wtel.data()), wtel.size()), "WTEL   ");
    EXPECT_TRUE(compareKeys(KeyType::Character, wtel, characterKey("s", 7)) < 0);
    EXPECT_TRUE(compareKeys(KeyType::Character, characterKey("s", 7), characterKey("\xA5", 7)) < 0);
    EXPECT_EQ(compareKeys(KeyType::Character, characterKey("WT", 2), wtel), std::strong_ordering::equal);
    EXPECT_TRUE(compareKeys(KeyType::Character, characterKey("WU", 2), wtel) > 0);
}

}  // namespace
}  // namespace brimo::data::index
