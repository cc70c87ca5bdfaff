// The ranking query: what reaches the service for each filter, how reversed ranges are put in
// order, and that no user text can put a raw byte into the URL.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "app/FilterLists.h"
#include "app/QueryBuilder.h"
#include "ui/Text.h"

namespace {

using app::BuildRankingQuery;
using app::EncodeQueryText;
using app::QueryFilters;

constexpr std::string_view kHost = "top10.tarvimo.example";
const std::string kBase = "http://top10.tarvimo.example/soft/top10/top104.php?";
// The default keyword, "热卖", as UTF-8 escapes.
const std::string kHotSellers = "%E7%83%AD%E5%8D%96";

QueryFilters Defaults() {
  QueryFilters f;
  f.keyword = u"\u70ED\u5356";
  return f;
}

// The parameter names of a query string, in order.
std::vector<std::string> ParameterNames(const std::string& url) {
  std::vector<std::string> names;
  size_t pos = url.find('?');
  while (pos != std::string::npos) {
    const size_t eq = url.find('=', pos + 1);
    names.push_back(url.substr(pos + 1, eq - pos - 1));
    pos = url.find('&', eq);
  }
  return names;
}

std::string Parameter(const std::string& url, const std::string& name) {
  const std::string key = name + "=";
  for (size_t pos = url.find('?'); pos != std::string::npos; pos = url.find('&', pos + 1)) {
    if (url.compare(pos + 1, key.size(), key) == 0) {
      const size_t start = pos + 1 + key.size();
      return url.substr(start, url.find('&', start) - start);
    }
  }
  return "<missing>";
}

std::string PercentDecode(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

TEST(QueryBuilder, StartUpQueryAsksForHotSellersOverEverything) {
  QueryFilters f = Defaults();
  const auto q = BuildRankingQuery(f, kHost);
  EXPECT_EQ(q.url, kBase + "k=" + kHotSellers +
                       "&sp=0&ep=99999999&area=&s=commissionVolume_desc&sc=1heart&ec=5goldencrown");
  EXPECT_EQ(q.lowerPrice, 0);
  EXPECT_EQ(q.upperPrice, 99999999);
  EXPECT_EQ(q.lowerCredit, 0);
  EXPECT_EQ(q.upperCredit, 19);
}

TEST(QueryBuilder, EmptyKeywordMeansHotSellersOnlyWithoutCategory) {
  QueryFilters f;
  f.keyword.clear();
  EXPECT_EQ(Parameter(BuildRankingQuery(f, kHost).url, "k"), kHotSellers);

  f.category = 3;  // make-up and perfume
  const auto q = BuildRankingQuery(f, kHost);
  EXPECT_TRUE(q.url.starts_with(kBase + "k=&cid=50010788&sp=0&ep=")) << q.url;
  EXPECT_EQ(Parameter(q.url, "k"), "");
}

TEST(QueryBuilder, ParametersComeInFixedOrderAndCategoryOnlyWhenChosen) {
  QueryFilters f = Defaults();
  using Names = std::vector<std::string>;
  EXPECT_EQ(ParameterNames(BuildRankingQuery(f, kHost).url),
            (Names{"k", "sp", "ep", "area", "s", "sc", "ec"}));
  f.category = 77;
  f.location = 9;
  f.locationCaption = std::u16string(app::kLocationCaptions[9]);
  f.sort = 4;
  const auto q = BuildRankingQuery(f, kHost);
  EXPECT_EQ(ParameterNames(q.url), (Names{"k", "cid", "sp", "ep", "area", "s", "sc", "ec"}));
  EXPECT_EQ(Parameter(q.url, "cid"), "50014811");
  EXPECT_EQ(Parameter(q.url, "s"), "credit_desc");
}

TEST(QueryBuilder, ReversedRangesAreSwappedForTheControlsAndTheUrl) {
  QueryFilters f = Defaults();
  f.lowerPrice = 500;
  f.upperPrice = 100;
  f.lowerCredit = 12;  // 3 crowns
  f.upperCredit = 1;   // 2 hearts
  const auto q = BuildRankingQuery(f, kHost);
  EXPECT_NE(q.url.find("&sp=100&ep=500&"), std::string::npos) << q.url;
  EXPECT_TRUE(q.url.ends_with("&sc=2heart&ec=3crown")) << q.url;
  EXPECT_EQ(q.lowerPrice, 100);
  EXPECT_EQ(q.upperPrice, 500);
  EXPECT_EQ(q.lowerCredit, 1);
  EXPECT_EQ(q.upperCredit, 12);

  // Equal bounds are already in order.
  f.lowerPrice = f.upperPrice = 7;
  f.lowerCredit = f.upperCredit = 15;
  const auto same = BuildRankingQuery(f, kHost);
  EXPECT_NE(same.url.find("&sp=7&ep=7&"), std::string::npos);
  EXPECT_TRUE(same.url.ends_with("&sc=1goldencrown&ec=1goldencrown"));
}

TEST(QueryBuilder, GroupLocationsSendTheirPlacesAndSinglePlacesTheirCaption) {
  QueryFilters f = Defaults();
  f.location = 5;
  f.locationCaption = u"\u5317\u4EAC";  // Beijing
  EXPECT_EQ(Parameter(BuildRankingQuery(f, kHost).url, "area"), "%E5%8C%97%E4%BA%AC");

  f.location = 1;  // the three provinces around Shanghai
  f.locationCaption = std::u16string(app::kLocationCaptions[1]);
  const std::string area = Parameter(BuildRankingQuery(f, kHost).url, "area");
  EXPECT_EQ(area, EncodeQueryText(u"\u6C5F\u82CF,\u6D59\u6C5F,\u4E0A\u6D77"));
  EXPECT_NE(area.find("%2C"), std::string::npos);
  EXPECT_EQ(PercentDecode(area),
            "\xE6\xB1\x9F\xE8\x8B\x8F,\xE6\xB5\x99\xE6\xB1\x9F,"
            "\xE4\xB8\x8A\xE6\xB5\xB7");

  f.location = 4;  // overseas: nineteen countries
  const std::string overseas = PercentDecode(Parameter(BuildRankingQuery(f, kHost).url, "area"));
  EXPECT_EQ(std::count(overseas.begin(), overseas.end(), ','), 18);
}

TEST(QueryBuilder, EveryByteOfUserTextIsEscapedUpperCase) {
  EXPECT_EQ(EncodeQueryText(u""), "");
  EXPECT_EQ(EncodeQueryText(u"a1"), "%61%31");
  EXPECT_EQ(EncodeQueryText(u"A z-_.~&=?#%+"), "%41%20%7A%2D%5F%2E%7E%26%3D%3F%23%25%2B");
  EXPECT_EQ(EncodeQueryText(u"\u00FF"), "%C3%BF");
  EXPECT_EQ(EncodeQueryText(u"\U0001F600"), "%F0%9F%98%80");

  QueryFilters f = Defaults();
  f.keyword = u"iPhone 4&cid=1";
  EXPECT_EQ(Parameter(BuildRankingQuery(f, kHost).url, "k"),
            "%69%50%68%6F%6E%65%20%34%26%63%69%64%3D%31");
}

TEST(QueryBuilder, UnselectedOrUnknownListItemsFallBackToTheFullRange) {
  QueryFilters f = Defaults();
  f.category = -1;
  f.location = 63;
  f.sort = 5;
  f.lowerCredit = -1;
  f.upperCredit = 20;
  const auto q = BuildRankingQuery(f, kHost);
  EXPECT_EQ(q.url, BuildRankingQuery(Defaults(), kHost).url);
  EXPECT_EQ(q.lowerCredit, 0);
  EXPECT_EQ(q.upperCredit, 19);
}

TEST(QueryBuilder, PricesOutsideTheSpinRangeAreClampedBeforeOrdering) {
  QueryFilters f = Defaults();
  f.lowerPrice = -20;
  f.upperPrice = 2000000000;
  auto q = BuildRankingQuery(f, kHost);
  EXPECT_NE(q.url.find("&sp=0&ep=99999999&"), std::string::npos);
  EXPECT_EQ(q.lowerPrice, 0);
  EXPECT_EQ(q.upperPrice, 99999999);
}

TEST(SpinText, NumbersAreReadAndClampedAndAnythingElseIsTheMinimum) {
  constexpr int kMax = app::kPriceMax;
  struct Case {
    std::u16string text;
    int expected;
  };
  const Case cases[] = {
      {u"0", 0},
      {u"500", 500},
      {u" 42 ", 42},
      {u"+7", 7},
      {u"99999999", kMax},
      {u"100000000", kMax},
      {u"3000000000", kMax},  // past any int: still the range's end, as the spin edit shows it
      {u"123456789012345678901234567890", kMax},
      {u"-5", 0},
      {u"", 0},
      {u"   ", 0},
      {u"-", 0},
      {u"abc", 0},
      {u"12abc", 0},
      {u"1 2", 0},
      {u"1.5", 0},
      {u"0x10", 0},
      {u"\uFF14\uFF12", 0},  // full-width digits
  };
  for (const auto& c : cases) {
    EXPECT_EQ(app::ParseSpinText(c.text, 0, kMax), c.expected) << ui::Utf16ToUtf8(c.text);
  }
  EXPECT_EQ(app::ParseSpinText(u"3", 5, 10), 5);
  EXPECT_EQ(app::ParseSpinText(u"junk", 5, 10), 5);
  EXPECT_EQ(app::ParseSpinText(u"-3", -10, 10), -3);
  EXPECT_EQ(app::ParseSpinText(u"-3000000000", -10, 10), -10);
  EXPECT_EQ(app::ParseSpinText(u"15", 10, 5), 10);  // the ends in either order
  EXPECT_EQ(app::ParseSpinText(u"x", 10, 5), 5);

  // The rule itself tells a number from anything else (the spin edit falls back to its minimum).
  EXPECT_EQ(ui::ReadNumberInRange(u" -3000000000 ", INT_MIN, INT_MAX), INT_MIN);
  EXPECT_EQ(ui::ReadNumberInRange(u"+0", 1, 9), 1);
  EXPECT_FALSE(ui::ReadNumberInRange(u"--1", INT_MIN, INT_MAX).has_value());
  EXPECT_FALSE(ui::ReadNumberInRange(u"", 0, 9).has_value());

  // A non-numeric bound sends 0.
  QueryFilters f = Defaults();
  f.upperPrice = app::ParseSpinText(u"cheap", 0, kMax);
  EXPECT_NE(BuildRankingQuery(f, kHost).url.find("&sp=0&ep=0&"), std::string::npos);
}

TEST(QueryTables, ListsAndValuesLineUp) {
  EXPECT_EQ(app::kCategoryCaptions[0], u"\u6240\u6709\u7C7B\u76EE");  // all categories
  EXPECT_EQ(app::kCategoryIds[0], "");
  for (int i = 1; i < app::kCategoryCount; ++i) {
    const auto id = app::kCategoryIds[i];
    EXPECT_FALSE(id.empty()) << i;
    EXPECT_EQ(id.find_first_not_of("0123456789"), std::string_view::npos) << i;
    EXPECT_FALSE(app::kCategoryCaptions[i].empty()) << i;
  }
  EXPECT_EQ(app::kCategoryIds[1], "16");
  EXPECT_EQ(app::kCategoryIds[61], "99");
  EXPECT_EQ(app::kCategoryCaptions[77], u"\u5176\u5B83");

  EXPECT_EQ(app::kLocationCaptions[0], u"\u6240\u6709\u5730\u533A");  // all regions
  EXPECT_EQ(app::kLocationCaptions[5], u"\u5317\u4EAC");
  EXPECT_EQ(app::kLocationCaptions[62], u"\u6D59\u6C5F");
  EXPECT_EQ(app::kRegionValues[0], u"");

  EXPECT_EQ(app::kSortKeys[0], "commissionVolume_desc");
  EXPECT_EQ(app::kSortKeys[2], "price_asc");
  EXPECT_EQ(app::kSortCaptions[0], u"\u9ED8\u8BA4\u6392\u5E8F");

  const char* kinds[] = {"heart", "diamond", "crown", "goldencrown"};
  for (int i = 0; i < app::kCreditLevelCount; ++i) {
    EXPECT_EQ(app::kCreditLevels[i], std::to_string(i % 5 + 1) + kinds[i / 5]) << i;
  }
}

// Whatever the user types or selects, the URL holds only characters that travel unchanged, in
// the fixed parameter order, and the keyword decodes back to what was typed.
TEST(QueryBuilder, AnyInputGivesAPlainAsciiUrlThatDecodesToTheInput) {
  std::mt19937 rng(20261207);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const std::string allowed =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789%&=./?:_-";
  for (int round = 0; round < 3000; ++round) {
    QueryFilters f;
    const int length = pick(0, 12);
    for (int i = 0; i < length; ++i) {
      switch (pick(0, 3)) {
        case 0:
          f.keyword += static_cast<char16_t>(pick(0, 0x7F));
          break;
        case 1:
          f.keyword += static_cast<char16_t>(pick(0x4E00, 0x9FFF));
          break;
        case 2:
          f.keyword += static_cast<char16_t>(pick(0, 0xFFFF));
          break;  // lone surrogates too
        default:
          f.keyword += u"\U0001F600";
          break;
      }
    }
    f.category = pick(-2, app::kCategoryCount + 1);
    f.location = pick(-2, app::kLocationCount + 1);
    if (f.location >= 0 && f.location < app::kLocationCount && pick(0, 1))
      f.locationCaption = std::u16string(app::kLocationCaptions[f.location]);
    f.sort = pick(-2, app::kSortCount + 1);
    f.lowerPrice = pick(-1000, 200000000);
    f.upperPrice = pick(-1000, 200000000);
    f.lowerCredit = pick(-2, 21);
    f.upperCredit = pick(-2, 21);

    const auto q = BuildRankingQuery(f, "127.0.0.1:8080");
    ASSERT_EQ(q.url.find_first_not_of(allowed), std::string::npos) << q.url;
    const auto names = ParameterNames(q.url);
    const bool hasCid = names.size() == 8;
    ASSERT_EQ(names.back(), "ec");
    ASSERT_EQ(names[hasCid ? 2 : 1], "sp");
    ASSERT_LE(q.lowerPrice, q.upperPrice);
    ASSERT_LE(q.lowerCredit, q.upperCredit);
    if (!f.keyword.empty()) {
      ASSERT_EQ(PercentDecode(Parameter(q.url, "k")), ui::Utf16ToUtf8(f.keyword));
    }
  }
}

// Whatever a spin edit holds, it reads as a number in its range; a plain number reads as itself
// (clamped).
TEST(SpinText, AnyTextReadsAsANumberInRange) {
  std::mt19937 rng(7);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const char16_t alphabet[] = u"0123456789 +-x.\u00A0\uFF11";
  for (int round = 0; round < 5000; ++round) {
    std::u16string text;
    const int length = pick(0, 14);
    for (int i = 0; i < length; ++i) text += alphabet[pick(0, 16)];
    const int lo = pick(-50, 50), hi = lo + pick(0, 100000);
    const int value = app::ParseSpinText(text, lo, hi);
    ASSERT_GE(value, lo) << ui::Utf16ToUtf8(text);
    ASSERT_LE(value, hi) << ui::Utf16ToUtf8(text);
  }
  for (int round = 0; round < 2000; ++round) {
    const long long number = pick(0, 999999999);
    const auto digits = std::to_string(number);
    const std::u16string text(digits.begin(), digits.end());
    ASSERT_EQ(app::ParseSpinText(text, 0, app::kPriceMax),
              std::min<long long>(number, app::kPriceMax));
  }
}

TEST(ServiceHosts, OverridesMustBeHostNamesWithAnOptionalPort) {
  for (const char* good :
       {"localhost", "127.0.0.1:8080", "top10.tarvimo.example", "a-b.c:1", "h:65535"}) {
    EXPECT_TRUE(app::IsValidHostSpec(good)) << good;
  }
  for (const char* bad :
       {"", ":80", "host:", "host:0", "host:65536", "host:8o", "host:+80", "evil.example/x?", "a b",
        "user@host", "-host", ".host", "host:80:81", "h\xC3\xA9te", "[::1]:80"}) {
    EXPECT_FALSE(app::IsValidHostSpec(bad)) << bad;
  }
  EXPECT_EQ(app::ChooseHost(std::nullopt, "built.in"), "built.in");
  EXPECT_EQ(app::ChooseHost("127.0.0.1:5000", "built.in"), "127.0.0.1:5000");
  EXPECT_EQ(app::ChooseHost("not a host", "built.in"), "built.in");
  EXPECT_EQ(app::AdvancedSearchUrl("s.example:81"), "http://s.example:81/index3.html");
}

}  // namespace
