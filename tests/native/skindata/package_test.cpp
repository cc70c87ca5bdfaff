#include <gtest/gtest.h>

#include "SkinPack.h"
#include "StreamTestSupport.h"
#include "TestSkin.h"
#include "skin/data/SkinRead.h"

using skin::TMemoryStream;
using skin::TSkinReader;
using skinpack::PackageEntry;
using streamtest::Bytes;

namespace {

struct Reported {
  std::vector<std::string> messages;
  TSkinReader::Reporter reporter() {
    return [this](std::string_view m) { messages.emplace_back(m); };
  }
};

std::vector<PackageEntry> ThreeEntries() {
  return {{"Buttons.BMP", Bytes("button bytes")},
          {"first.ini", Bytes("[A]\r\nx=1\r\n")},
          {"second.ini", Bytes("[B]\r\n")}};
}

void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

TEST(SkinReader, LoadsAPackageAndFindsEntriesIgnoringCase) {
  Reported reported;
  TSkinReader reader(reported.reporter());
  ASSERT_TRUE(
      reader.LoadPackage(skinpack::EncodeSkinStream(skinpack::BuildPackage(ThreeEntries()))));
  EXPECT_EQ(reader.Header().Version, 70000u);
  EXPECT_EQ(reader.Names(), (std::vector<std::string>{"buttons.bmp", "first.ini", "second.ini"}));
  EXPECT_EQ(reader.Sizes(), (std::vector<uint32_t>{12, 10, 5}));

  TMemoryStream out;
  out.Assign(Bytes("stale"));
  reader.FindEntry("BUTTONS.bmp", out);
  EXPECT_EQ(out.Bytes(), Bytes("button bytes"));
  EXPECT_EQ(out.Position(), 0u);

  std::string name = "unchanged";
  reader.FindEntryContaining(".ini", out, name);
  EXPECT_EQ(name, "first.ini");  // the first containing entry, though not the last
  EXPECT_EQ(out.Bytes(), Bytes("[A]\r\nx=1\r\n"));

  // The substring test runs on the lower-case names and is itself case-sensitive.
  name = "unchanged";
  reader.FindEntryContaining(".INI", out, name);
  EXPECT_EQ(name, "unchanged");
  EXPECT_EQ(out.Size(), 0u);
  reader.FindEntry("missing.bmp", out);
  EXPECT_EQ(out.Size(), 0u);
  EXPECT_TRUE(reported.messages.empty());
}

TEST(SkinReader, NameListWithOrWithoutFinalLineBreakCountsTheSame) {
  std::vector<uint8_t> package = skinpack::BuildPackage(ThreeEntries());
  // Drop the final CR LF of the name list and shorten L accordingly.
  const uint32_t names = 16 + 69 + 36;  // offset of the size table
  package.erase(package.begin() + names - 2, package.begin() + names);
  PutU32(package, 4, 34);
  TSkinReader reader;
  ASSERT_TRUE(reader.ParsePackage(package)) << reader.LastError();
  EXPECT_EQ(reader.Count(), 3u);
  EXPECT_EQ(streamtest::Bytes("[B]\r\n"), std::vector<uint8_t>(reader.Entry("second.ini").begin(),
                                                               reader.Entry("second.ini").end()));

  // Lone CRs and LFs end lines too; an empty line in the middle is an (empty) entry name.
  EXPECT_EQ(skin::SplitLines("a\rb\nc\r\n\r\nd"),
            (std::vector<std::string>{"a", "b", "c", "", "d"}));
}

TEST(SkinReader, EveryKnownVersionSkipsItsBlock) {
  for (const skin::PackageVersion& v : skin::kPackageVersions) {
    SCOPED_TRACE(v.version);
    TSkinReader reader;
    ASSERT_TRUE(reader.ParsePackage(skinpack::BuildPackage(ThreeEntries(), v.version)));
    EXPECT_EQ(reader.Names()[1], "first.ini");
    EXPECT_EQ(reader.EntryData(2).size(), 5u);
  }
}

TEST(SkinReader, OlderVersionsAreReportedAndLoadNothing) {
  Reported reported;
  TSkinReader reader(reported.reporter());
  EXPECT_FALSE(reader.LoadPackage(
      skinpack::EncodeSkinStream(skinpack::BuildPackage(ThreeEntries(), 10000))));
  ASSERT_EQ(reported.messages.size(), 1u);
  EXPECT_EQ(reported.messages[0], "This is Older Skin File\rPlease update to new version !");
  EXPECT_EQ(reader.Count(), 0u);

  // S = 0: an empty package, whose version (0) fails the same check.
  EXPECT_FALSE(reader.LoadPackage(Bytes(std::string_view("\0\0\0\0", 4))));
  EXPECT_EQ(reported.messages.size(), 2u);
  EXPECT_EQ(reader.Count(), 0u);
}

TEST(SkinReader, RejectsDamagedPackagesWithoutTheOlderFileMessage) {
  Reported reported;
  TSkinReader reader(reported.reporter());
  // A reader that held a package loses it when a later load fails.
  ASSERT_TRUE(reader.ParsePackage(skinpack::BuildPackage(ThreeEntries())));

  const std::vector<uint8_t> good = skinpack::BuildPackage(ThreeEntries());
  std::vector<uint8_t> p = good;
  p.pop_back();  // entry sizes now exceed the data area
  EXPECT_FALSE(reader.ParsePackage(p));
  EXPECT_EQ(reader.Count(), 0u);

  p = good;
  PutU32(p, 4, 0x7FFFFFFF);  // name list longer than the package
  EXPECT_FALSE(reader.ParsePackage(p));

  p.assign(good.begin(), good.begin() + 16 + 69 + 36 + 4);  // ends inside the size table
  EXPECT_FALSE(reader.ParsePackage(p));

  p = good;
  PutU32(p, 16 + 69 + 36, 0xFFFFFFF0u);  // a huge entry size must not wrap the sum
  EXPECT_FALSE(reader.ParsePackage(p));

  const std::vector<uint8_t> stream = skinpack::EncodeSkinStream(good);
  EXPECT_FALSE(reader.LoadPackage(std::span(stream).first(stream.size() - 3)));
  EXPECT_NE(reader.LastError().find("truncated"), std::string::npos);
  EXPECT_TRUE(reported.messages.empty());
}

TEST(SkinReader, BoundsTheEntryCount) {
  std::vector<PackageEntry> entries;
  for (int i = 0; i < 1001; ++i) entries.push_back({"e" + std::to_string(i), {}});
  TSkinReader reader;
  EXPECT_TRUE(reader.ParsePackage(skinpack::BuildPackage(entries)));
  EXPECT_EQ(reader.Count(), 1001u);
  entries.push_back({"one too many", {}});
  EXPECT_FALSE(reader.ParsePackage(skinpack::BuildPackage(entries)));
}

TEST(SkinReader, ReadsTheTestSkinWithItsDefinitionLast) {
  const testskin::TestSkin skin;
  TSkinReader reader;
  ASSERT_TRUE(reader.LoadPackage(skin.Stream()));
  EXPECT_EQ(reader.Names().back(), "skin.ini");
  TMemoryStream bmp;
  reader.FindEntry("FrameTop.bmp", bmp);
  const skin::PixelBuffer top = streamtest::DecodeTestBmp(bmp.Bytes());
  ASSERT_EQ(top.width(), 632);
  ASSERT_EQ(top.height(), 56);
  EXPECT_EQ(top.Get(5, 5), skin.FrameColour("Top", 1));
  EXPECT_EQ(top.Get(5, 30), skin.FrameColour("Top", 2));  // stacked frames
}

TEST(SkinStreamProperty, FramesTheStreamWithItsCount) {
  const testskin::TestSkin skin;
  const std::vector<uint8_t> payload = skin.PropertyPayload();
  TMemoryStream stream;
  EXPECT_EQ(skin::ReadSkinStreamProperty(payload, stream), payload.size());
  EXPECT_EQ(stream.Bytes(), skin.Stream());
  EXPECT_EQ(skin::WriteSkinStreamProperty(stream), payload);

  // A count of 0 or below reads nothing more and keeps the stream; a short payload is refused.
  EXPECT_EQ(skin::ReadSkinStreamProperty(Bytes(std::string_view("\0\0\0\0", 4)), stream), 4u);
  EXPECT_EQ(skin::ReadSkinStreamProperty(Bytes("\xFF\xFF\xFF\xFF"), stream), 4u);
  EXPECT_EQ(skin::ReadSkinStreamProperty(Bytes(std::string_view("\x09\0\0\0abc", 7)), stream), 0u);
  EXPECT_EQ(stream.Bytes(), skin.Stream());
  EXPECT_EQ(skin::WriteSkinStreamProperty(TMemoryStream()), Bytes(std::string_view("\0\0\0\0", 4)));
}
