// Items of the main window's filter lists (category, location, sort order), in item order.
// Portable so the query builder's tests can pair every item with the value it sends.
#pragma once

#include <array>
#include <string_view>

namespace app {

inline constexpr int kCategoryCount = 78;
inline constexpr int kLocationCount = 63;
inline constexpr int kSortCount = 5;
// Both credit lists show the same twenty badges, 1-5 hearts, diamonds, crowns, golden crowns.
inline constexpr int kCreditLevelCount = 20;

extern const std::array<std::u16string_view, kCategoryCount> kCategoryCaptions;
extern const std::array<std::u16string_view, kLocationCount> kLocationCaptions;
extern const std::array<std::u16string_view, kSortCount> kSortCaptions;

}  // namespace app
