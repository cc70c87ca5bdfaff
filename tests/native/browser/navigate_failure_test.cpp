// What the page-failure message says, which addresses it hands on, and how it shortens them.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "browser/NavigateFailure.h"

namespace {

using app::DescribeNavigateError;
using app::NavigateFailureKind;

std::string Utf8(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

bool Contains(const std::u16string& text, std::u16string_view part) {
  return text.find(part) != std::u16string::npos;
}

TEST(NavigateFailureWords, TheFailuresAUserMustTellApartReadDifferently) {
  // The measured failure of a system without a working engine, and the usual network ones.
  const int32_t codes[] = {app::kNavCannotInstantiateObject,
                           app::kNavResourceNotFound,
                           app::kNavCannotConnect,
                           app::kNavConnectionTimeout,
                           app::kNavDownloadFailure,
                           404,
                           500,
                           static_cast<int32_t>(0x800C1234)};
  std::set<std::u16string> seen;
  for (int32_t code : codes) {
    const std::u16string words = DescribeNavigateError(code);
    EXPECT_FALSE(words.empty()) << std::hex << code;
    EXPECT_TRUE(seen.insert(words).second) << "same words twice: " << Utf8(words);
  }
  EXPECT_EQ(app::ClassifyNavigateError(app::kNavCannotInstantiateObject),
            NavigateFailureKind::NoEngine);
}

TEST(NavigateFailureWords, TheSameCauseReadsAlikeWhicheverLayerReportsIt) {
  // The internet layer's own errors arrive wrapped (0x8007xxxx) as well as in the URL layer's
  // codes: the user must not be told two different stories about one cause.
  EXPECT_EQ(DescribeNavigateError(app::kNavWinInetNameNotResolved),
            DescribeNavigateError(app::kNavResourceNotFound));
  EXPECT_EQ(DescribeNavigateError(app::kNavWinInetCannotConnect),
            DescribeNavigateError(app::kNavCannotConnect));
  EXPECT_EQ(DescribeNavigateError(app::kNavWinInetTimeout),
            DescribeNavigateError(app::kNavConnectionTimeout));
  EXPECT_EQ(DescribeNavigateError(app::kNavWinInetConnectionReset),
            DescribeNavigateError(app::kNavDownloadFailure));
}

TEST(NavigateFailureWords, HttpAnswersCarryTheirStatus) {
  EXPECT_EQ(app::ClassifyNavigateError(500), NavigateFailureKind::ServerError);
  EXPECT_EQ(app::ClassifyNavigateError(503), NavigateFailureKind::ServerError);
  EXPECT_EQ(app::ClassifyNavigateError(599), NavigateFailureKind::ServerError);
  EXPECT_EQ(app::ClassifyNavigateError(410), NavigateFailureKind::PageNotFound);
  EXPECT_EQ(app::ClassifyNavigateError(403), NavigateFailureKind::Rejected);
  EXPECT_TRUE(Contains(DescribeNavigateError(500), u"HTTP 500"));
  EXPECT_TRUE(Contains(DescribeNavigateError(503), u"HTTP 503"));
  EXPECT_TRUE(Contains(DescribeNavigateError(403), u"HTTP 403"));
  // Just beyond HTTP's range is no HTTP status.
  EXPECT_EQ(app::ClassifyNavigateError(600), NavigateFailureKind::Unknown);
  EXPECT_EQ(app::ClassifyNavigateError(99), NavigateFailureKind::Unknown);
}

TEST(NavigateFailureWords, AnUnknownCodeIsShownAsItsNumberInHex) {
  EXPECT_TRUE(Contains(DescribeNavigateError(static_cast<int32_t>(0x800C1234)), u"0x800C1234"));
  EXPECT_TRUE(Contains(DescribeNavigateError(static_cast<int32_t>(0x80000000)), u"0x80000000"));
  EXPECT_TRUE(Contains(DescribeNavigateError(-1), u"0xFFFFFFFF"));
  EXPECT_TRUE(Contains(DescribeNavigateError(0), u"0x00000000"));
  EXPECT_TRUE(Contains(DescribeNavigateError(70000), u"0x00011170"));
  // Known failures are told in words, not numbers.
  EXPECT_FALSE(Contains(DescribeNavigateError(app::kNavCannotInstantiateObject), u"0x"));
  EXPECT_FALSE(Contains(DescribeNavigateError(app::kNavCannotConnect), u"0x"));
}

TEST(OpenableAddress, OnlyWebAddressesWithAHostAreHandedOn) {
  EXPECT_TRUE(app::IsOpenableWebAddress(
      u"http://127.0.0.1:8080/soft/top10/top104.php?k=%E7%83%AD&sp=0&area=&sc=1heart"));
  EXPECT_TRUE(app::IsOpenableWebAddress(u"HTTPS://s.tarvimo.example/index3.html#top"));
  EXPECT_TRUE(app::IsOpenableWebAddress(u"http://h/a(1)'b'*;,=+$!~@"));
  // Anything the shell would run or open locally.
  EXPECT_FALSE(app::IsOpenableWebAddress(u"file:///C:/windows/system32/calc.exe"));
  EXPECT_FALSE(app::IsOpenableWebAddress(u"C:\\windows\\system32\\calc.exe"));
  EXPECT_FALSE(app::IsOpenableWebAddress(u"javascript:alert(1)"));
  EXPECT_FALSE(app::IsOpenableWebAddress(u"res://ieframe.dll/navcancl.htm"));
  EXPECT_FALSE(app::IsOpenableWebAddress(u"httpx://host/"));
  EXPECT_FALSE(app::IsOpenableWebAddress(u""));
  // No host.
  EXPECT_FALSE(app::IsOpenableWebAddress(u"http://"));
  EXPECT_FALSE(app::IsOpenableWebAddress(u"http:///etc/passwd"));
  EXPECT_FALSE(app::IsOpenableWebAddress(u"http://?q=1"));
  // Characters that could end the address on the browser's command line and add words to it.
  EXPECT_FALSE(app::IsOpenableWebAddress(u"http://h/\" --new-window \"x"));
  EXPECT_FALSE(app::IsOpenableWebAddress(u"http://h/a b"));
  EXPECT_FALSE(app::IsOpenableWebAddress(u"http://h/a\tb"));
  EXPECT_FALSE(app::IsOpenableWebAddress(u"http://h/a\nb"));
  EXPECT_FALSE(app::IsOpenableWebAddress(u"http://h/a<b>"));
  EXPECT_FALSE(app::IsOpenableWebAddress(u"http://h/a\\b"));
  EXPECT_FALSE(app::IsOpenableWebAddress(u"http://h/a|b"));
  EXPECT_FALSE(app::IsOpenableWebAddress(u"http://h/a^b"));
  EXPECT_FALSE(app::IsOpenableWebAddress(u"http://h/\u70ED"));  // raw text: the program encodes
}

// Every character is 7 units wide, the ellipsis too, except the wide ones of the test below.
int Width(std::u16string_view text) {
  int w = 0;
  for (char16_t c : text) w += (c >= 0xD800 && c <= 0xDFFF) ? 5 : 7;
  return w;
}

TEST(AddressEllipsis, ALongAddressKeepsItsStartAndEndAndFits) {
  const std::u16string url =
      u"http://127.0.0.1:8080/soft/top10/top104.php?k=%E7%83%AD%E5%8D%96&sp=0&ep=99999999"
      u"&area=&s=commissionVolume_desc&sc=1heart&ec=5goldencrown";
  EXPECT_EQ(app::EllipsiseMiddle(url, Width(url), Width), url);
  for (int room : {300, 200, 71, 14}) {
    const std::u16string shown = app::EllipsiseMiddle(url, room, Width);
    SCOPED_TRACE(room);
    EXPECT_LE(Width(shown), room);
    // As much as fits: one more character would not have.
    EXPECT_GT(Width(shown) + 7, room);
    const size_t dots = shown.find(u'…');
    ASSERT_NE(dots, std::u16string::npos);
    EXPECT_EQ(url.substr(0, dots), shown.substr(0, dots));
    const std::u16string tail = shown.substr(dots + 1);
    EXPECT_EQ(url.substr(url.size() - tail.size()), tail);
    EXPECT_GE(dots, tail.size());  // the host side gets the odd character
  }
  EXPECT_EQ(app::EllipsiseMiddle(url, 300, Width).substr(0, 16), u"http://127.0.0.1");
}

TEST(AddressEllipsis, NoRoomLeavesNothingAndPairsStayWhole) {
  EXPECT_EQ(app::EllipsiseMiddle(u"http://h/", 6, Width), u"");
  EXPECT_EQ(app::EllipsiseMiddle(u"http://h/", 7, Width), u"…");
  EXPECT_EQ(app::EllipsiseMiddle(u"http://h/", -5, Width), u"");
  EXPECT_EQ(app::EllipsiseMiddle(u"", -5, Width), u"");
  EXPECT_EQ(app::EllipsiseMiddle(u"", 0, Width), u"");

  // Text of surrogate pairs only: wherever the cut falls, no half pair is left on either side.
  std::u16string pairs;
  for (int i = 0; i < 12; ++i) pairs += u"\U0001F600";
  for (int room = 7; room < Width(pairs); ++room) {
    const std::u16string shown = app::EllipsiseMiddle(pairs, room, Width);
    SCOPED_TRACE(room);
    EXPECT_LE(Width(shown), room);
    const size_t dots = shown.find(u'…');
    ASSERT_NE(dots, std::u16string::npos);
    EXPECT_EQ(dots % 2, 0u);
    EXPECT_EQ((shown.size() - dots - 1) % 2, 0u);
  }
}

}  // namespace
