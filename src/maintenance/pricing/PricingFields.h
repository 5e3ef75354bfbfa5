#pragma once

#include <array>

namespace brimo::maintenance::pricing_fields {

// Field names shared by CODE and PRICECAT.
inline constexpr const char* updateOption = "AUTOPRICE";
inline constexpr const char* rounding = "AUTOROUND";
inline constexpr const char* listMethod = "LISTMTHD";
inline constexpr const char* listPercent = "LISTPCT";
inline constexpr const char* saleMethod = "SALEMTHD";
inline constexpr const char* salePercent = "SALEPCT";
inline constexpr const char* discountMethod = "DISCMTHD";
inline constexpr std::array<const char*, 3> discountPercents{"DISC1PCT", "DISC2PCT", "DISC3PCT"};
inline constexpr std::array<const char*, 3> discountNames{"DISC1DESC", "DISC2DESC", "DISC3DESC"};

// Price fields of CODE.
inline constexpr const char* cost = "COST";
inline constexpr const char* list = "LIST";
inline constexpr const char* sale = "PRICE";
inline constexpr std::array<const char*, 3> discounts{"DISCOUNT1", "DISCOUNT2", "DISCOUNT3"};

}  // namespace brimo::maintenance::pricing_fields
