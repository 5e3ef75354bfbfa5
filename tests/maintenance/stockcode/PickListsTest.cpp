#include "maintenance/stockcode/PickLists.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "StockCodeData.h"

namespace brimo::maintenance {
namespace {

using ::testing::ElementsAre;

TEST(PickLists, AddOnlyValuesNotListedExactly) {
    test::StockCodeData data;
    data.add("CODECAT", {{"ENTRY", std::string("ABC")}});
    auto list = data.database().openTable("CODECAT");
    addToPickList(*list, "ABC");
    addToPickList(*list, "AB");  // a prefix of a listed entry is a value of its own
    addToPickList(*list, "abc");
    addToPickList(*list, "AB");
    EXPECT_THAT(data.entries("CODECAT"), ElementsAre("ABC", "AB", "abc"));
}

TEST(PickLists, TheEmptyValueIsListedOnce) {
    test::StockCodeData data;
    data.add("CODESUB", {{"ENTRY", std::string("X")}});
    auto list = data.database().openTable("CODESUB");
    addToPickList(*list, "");
    addToPickList(*list, "");
    EXPECT_THAT(data.entries("CODESUB"), ElementsAre("X", ""));
}

}  // namespace
}  // namespace brimo::maintenance
