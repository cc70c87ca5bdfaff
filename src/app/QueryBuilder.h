// The ranking query: from the filter values of the main window to the URL of the ranking page.
//
// Pure and portable: the window reads its controls into QueryFilters, calls BuildRankingQuery,
// writes the corrected ranges back into the controls and navigates its browser to the URL.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "app/FilterLists.h"

namespace app {

// Locations before this index are groups whose value comes from kRegionValues; from it on the
// caption itself is the value.
inline constexpr int kRegionGroupCount = 5;

inline constexpr int kPriceMin = 0;
inline constexpr int kPriceMax = 99999999;

extern const std::array<std::string_view, kCategoryCount> kCategoryIds;
extern const std::array<std::u16string_view, kRegionGroupCount> kRegionValues;
extern const std::array<std::string_view, kSortCount> kSortKeys;
extern const std::array<std::string_view, kCreditLevelCount> kCreditLevels;

inline constexpr std::u16string_view kDefaultKeyword = u"\u70ED\u5356";  // "hot sellers"
inline constexpr std::string_view kRankingPath = "/soft/top10/top104.php";
inline constexpr std::string_view kAdvancedSearchPath = "/index3.html";

// What the filter controls hold. Indices are the lists' selected items (-1: nothing selected).
struct QueryFilters {
  std::u16string keyword;
  int category = 0;
  int lowerPrice = kPriceMin;
  int upperPrice = kPriceMax;
  int location = 0;
  // Caption of the selected location; it is what is sent for a single place.
  std::u16string locationCaption;
  int sort = 0;
  int lowerCredit = 0;
  int upperCredit = kCreditLevelCount - 1;
};

// The URL, and the ranges as the controls must show them afterwards (ordered, in range).
struct RankingQuery {
  std::string url;
  int lowerPrice = kPriceMin;
  int upperPrice = kPriceMax;
  int lowerCredit = 0;
  int upperCredit = kCreditLevelCount - 1;
};

// Escapes every byte of the text's UTF-8 form as %XX (upper-case hex), letters and digits too,
// so that no character of a keyword or place can reach the service unescaped or be mangled on
// the way. Empty text gives empty output.
std::string EncodeQueryText(std::u16string_view text);

// `host` is a host name with an optional ":port" (see IsValidHostSpec).
RankingQuery BuildRankingQuery(const QueryFilters& filters, std::string_view host);

// "http://" + host + "/index3.html".
std::string AdvancedSearchUrl(std::string_view host);

// A spin edit's text as its value: a decimal integer clamped into [min, max]; anything that is not
// a decimal integer reads as min. Never fails, whatever the text.
int ParseSpinText(std::u16string_view text, int min, int max);

// Host names the program accepts: letters, digits, '.', '-', optionally ":port" (1-65535).
bool IsValidHostSpec(std::string_view host);

// The host to use: the override when one is given and valid, otherwise the built-in default.
std::string ChooseHost(std::optional<std::string_view> override, std::string_view builtin);

// The hosts chosen at build time (CMake cache variables TARVIMO_QUERY_HOST, TARVIMO_SHOP_HOST).
std::string_view BuiltinQueryHost();
std::string_view BuiltinShopHost();

}  // namespace app
