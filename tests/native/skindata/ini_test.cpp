#include <gtest/gtest.h>

#include "skin/data/WinSkinIni.h"

using skin::TQuickIni;

namespace {
TQuickIni Ini(std::string_view text) {
  TQuickIni ini;
  ini.LoadFromText(text);
  return ini;
}
}  // namespace

TEST(QuickIni, SectionsMatchIgnoringCaseButNotBlanks) {
  const TQuickIni ini =
      Ini("[buttons]\r\nLeftWidth = 4\r\n[ Spaced ]\r\nk=1\r\n[Buttons]\r\nLeftWidth=9\r\n");
  EXPECT_EQ(ini.ReadInteger("BUTTONS", "leftwidth", -1), 4);  // first occurrence wins
  EXPECT_EQ(ini.ReadInteger("Spaced", "k", -1), -1);
  EXPECT_EQ(ini.ReadInteger(" Spaced ", "k", -1), 1);
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"buttons", "Spaced", "Buttons"}));
}

TEST(QuickIni, KeysValuesAndComments) {
  const TQuickIni ini =
      Ini("  ; a comment\n"
          "[S]\n"
          "Empty=\n"
          "empty = later value\n"
          "#hash=3\n"
          "  Spaced Key  =  spaced value  \n"
          "noequals\n"
          "a=b=c\n"
          "[T]\n"
          "x=1\n");
  // A matching key with an empty value ends the search with the default.
  EXPECT_EQ(ini.ReadString("S", "EMPTY", "def"), "def");
  EXPECT_EQ(ini.ReadString("S", "#hash", ""), "3");
  EXPECT_EQ(ini.ReadString("S", "spaced key", ""), "spaced value");
  EXPECT_EQ(ini.ReadString("S", "a", ""), "b=c");
  EXPECT_EQ(ini.ReadString("S", "x", "none"), "none");  // the next section ends the walk
  EXPECT_EQ(ini.ReadString("Missing", "x", "none"), "none");
  EXPECT_EQ(ini.Lines().size(), 9u);  // comment and blank lines are not stored
}

TEST(QuickIni, IntegersInDecimalAndHex) {
  const TQuickIni ini = Ini(
      "[I]\na=0x1F\nb=$ff\nc=-12\nd=12px\ne=0x\nf=+7\ng=0XFFFFFFFF\nh=2147483648\ni=-2147483648\n"
      "j=0x100000000\nk= 3 \n");
  EXPECT_EQ(ini.ReadInteger("I", "a", 0), 31);
  EXPECT_EQ(ini.ReadInteger("I", "b", 0), 255);
  EXPECT_EQ(ini.ReadInteger("I", "c", 0), -12);
  EXPECT_EQ(ini.ReadInteger("I", "d", 5), 5);
  EXPECT_EQ(ini.ReadInteger("I", "e", 5), 5);
  EXPECT_EQ(ini.ReadInteger("I", "f", 0), 7);
  EXPECT_EQ(ini.ReadInteger("I", "g", 0), -1);
  EXPECT_EQ(ini.ReadInteger("I", "h", 5), 5);
  EXPECT_EQ(ini.ReadInteger("I", "i", 0), INT32_MIN);
  EXPECT_EQ(ini.ReadInteger("I", "j", 5), 5);
  EXPECT_EQ(ini.ReadInteger("I", "k", 0), 3);
  EXPECT_EQ(ini.ReadInteger("I", "missing", 42), 42);
}

TEST(QuickIni, LineEndsAndNul) {
  static constexpr char kText[] = "[A]\rx=1\r\n\ny=2\n[B]\rz=3\0[C]\rw=4";
  const TQuickIni ini = Ini(std::string_view(kText, sizeof kText - 1));
  EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
  EXPECT_EQ(ini.ReadInteger("A", "y", 0), 2);
  EXPECT_EQ(ini.ReadInteger("B", "z", 0), 3);
  EXPECT_EQ(ini.ReadSections().size(), 2u);  // the NUL ended the text

  const TQuickIni empty = Ini("");
  EXPECT_EQ(empty.ReadString("A", "x", "d"), "d");
  EXPECT_TRUE(empty.ReadSections().empty());
  EXPECT_THROW(empty.ReadSections(nullptr), std::logic_error);
}

TEST(QuickIni, LoadFromStreamReadsFromThePosition) {
  skin::TMemoryStream s;
  const std::string text = "garbage[A]\nx=5\n";
  s.Assign(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  s.Seek(7);
  TQuickIni ini;
  ini.LoadFromStream(s);
  EXPECT_EQ(ini.ReadInteger("A", "x", 0), 5);
}

TEST(ValueFormats, ColourTriples) {
  using skin::MakeColour;
  using skin::ParseColourTriple;
  EXPECT_EQ(ParseColourTriple("227 238 253"), MakeColour(227, 238, 253));
  EXPECT_EQ(ParseColourTriple("227,238,253"), MakeColour(227, 238, 253));
  EXPECT_EQ(ParseColourTriple(" 1 ; 2 x 3 "), MakeColour(1, 2, 3));
  EXPECT_EQ(ParseColourTriple("255"), 0);                        // a single number gives black
  EXPECT_EQ(ParseColourTriple("255 9"), MakeColour(255, 0, 0));  // the last run is dropped
  EXPECT_EQ(ParseColourTriple("255 9,"), MakeColour(255, 9, 0));
  EXPECT_EQ(ParseColourTriple("1 2 3 4"), MakeColour(1, 2, 3));
  EXPECT_EQ(ParseColourTriple("256 511 99999999999999999999"), MakeColour(0, 255, 255));
  EXPECT_EQ(ParseColourTriple("red"), 0);
}

TEST(ValueFormats, ImageReferences) {
  EXPECT_EQ(skin::ImageEntryName("buttons.bmp"), "buttons.bmp");
  EXPECT_EQ(skin::ImageEntryName("C:\\skins\\blue\\Top.bmp"), "Top.bmp");
  EXPECT_EQ(skin::ImageEntryName("images/top.bmp"), "top.bmp");
  EXPECT_EQ(skin::ImageEntryName("Top.BMP"), "");
  EXPECT_EQ(skin::ImageEntryName("top.png"), "");
  EXPECT_EQ(skin::ImageEntryName(".bmp"), ".bmp");
  EXPECT_EQ(skin::ImageEntryName(""), "");
}

TEST(QuickIni, OddTextDoesNotConfuseIt) {
  std::string text = "no section at all=1\r\n[A]\r\nlong=" + std::string(1 << 20, 'x') + "\r\n";
  text += "[]\r\n=empty key\r\n[[B]]\r\nk=2\r\n]x[\r\n";
  const TQuickIni ini = Ini(text);
  EXPECT_EQ(ini.ReadString("A", "long", "").size(), 1u << 20);
  EXPECT_EQ(ini.ReadString("", "", "d"), "empty key");
  EXPECT_EQ(ini.ReadInteger("[B]", "k", 0), 2);
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"A", "", "[B]"}));
  EXPECT_EQ(ini.ReadString("x", "no section at all", "d"), "d");  // lines before any section
}
