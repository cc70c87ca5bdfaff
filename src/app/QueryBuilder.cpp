// The ranking query builder. The service sees only what this file writes, so every value that
// comes from the user is escaped here, and ranges are put in order before they are sent.
#include "app/QueryBuilder.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "ui/Text.h"

namespace app {

namespace {

// A list with nothing selected (or an index the table does not know) means its default item.
int ItemOr(int index, int count, int fallback) {
  return index >= 0 && index < count ? index : fallback;
}

void AppendDecimal(std::string& out, int value) { out += std::to_string(value); }

}  // namespace

std::string EncodeQueryText(std::u16string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::string utf8 = ui::Utf16ToUtf8(text);
  std::string out;
  out.reserve(utf8.size() * 3);
  for (unsigned char byte : utf8) {
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
  }
  return out;
}

RankingQuery BuildRankingQuery(const QueryFilters& f, std::string_view host) {
  RankingQuery r;
  const int category = ItemOr(f.category, kCategoryCount, 0);
  const int location = ItemOr(f.location, kLocationCount, 0);
  const int sort = ItemOr(f.sort, kSortCount, 0);

  // An empty search over every category would rank nothing useful, so it asks for the default
  // keyword; with a category chosen, an empty keyword means "anything in that category".
  std::string q = "k=";
  q += EncodeQueryText(f.keyword.empty() && category == 0 ? kDefaultKeyword : f.keyword);
  if (category > 0) {
    q += "&cid=";
    q += kCategoryIds[category];
  }

  r.lowerPrice = std::clamp(f.lowerPrice, kPriceMin, kPriceMax);
  r.upperPrice = std::clamp(f.upperPrice, kPriceMin, kPriceMax);
  if (r.lowerPrice > r.upperPrice) std::swap(r.lowerPrice, r.upperPrice);
  q += "&sp=";
  AppendDecimal(q, r.lowerPrice);
  q += "&ep=";
  AppendDecimal(q, r.upperPrice);

  q += "&area=";
  if (location >= kRegionGroupCount) {
    // The caption is what the user picked; without one (a list not filled as expected) the
    // list's own item text is the same thing.
    q += EncodeQueryText(f.locationCaption.empty() ? kLocationCaptions[location]
                                                   : std::u16string_view(f.locationCaption));
  } else {
    q += EncodeQueryText(kRegionValues[location]);
  }

  q += "&s=";
  q += kSortKeys[sort];

  r.lowerCredit = ItemOr(f.lowerCredit, kCreditLevelCount, 0);
  r.upperCredit = ItemOr(f.upperCredit, kCreditLevelCount, kCreditLevelCount - 1);
  if (r.upperCredit < r.lowerCredit) std::swap(r.lowerCredit, r.upperCredit);

  r.url.reserve(host.size() + q.size() + 64);
  r.url = "http://";
  r.url += host;
  r.url += kRankingPath;
  r.url += '?';
  r.url += q;
  r.url += "&sc=";
  r.url += kCreditLevels[r.lowerCredit];
  r.url += "&ec=";
  r.url += kCreditLevels[r.upperCredit];
  return r;
}

std::string AdvancedSearchUrl(std::string_view host) {
  std::string url = "http://";
  url += host;
  url += kAdvancedSearchPath;
  return url;
}

int ParseSpinText(std::u16string_view text, int min, int max) {
  // The spin edit reads its text with the same rule when the focus leaves it, so Enter and a
  // click on Search send the same number.
  return ui::ReadNumberInRange(text, min, max).value_or(std::min(min, max));
}

bool IsValidHostSpec(std::string_view host) {
  const size_t colon = host.find(':');
  const std::string_view name = host.substr(0, colon);
  if (name.empty() || name.size() > 253) return false;
  const bool nameOk = std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-';
  });
  if (!nameOk || name.front() == '.' || name.front() == '-') return false;
  if (colon == std::string_view::npos) return true;
  const std::string_view port = host.substr(colon + 1);
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), value);
  return ec == std::errc() && end == port.data() + port.size() && !port.empty() &&
         port.front() != '+' && value >= 1 && value <= 65535;
}

std::string ChooseHost(std::optional<std::string_view> override, std::string_view builtin) {
  if (override && IsValidHostSpec(*override)) return std::string(*override);
  return std::string(builtin);
}

}  // namespace app
