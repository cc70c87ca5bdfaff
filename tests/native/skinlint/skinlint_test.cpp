// The skin lint against skins with one planted fault each: every fault must come out as exactly the
// finding a skin author needs, at the line of the definition that causes it; a sound skin (the
// flat-colour test skin and both shipped skins, drawn here and as the build packed them) must give
// none.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "DefaultSkin.h"
#include "SkinLint.h"
#include "SkinPack.h"
#include "SkinStyle.h"
#include "TestSkin.h"
#include "ui/Text.h"

namespace {

using Lines = std::vector<std::string>;
using testskin::TestSkin;

void ExpectLines(const Lines& found, const Lines& expected) { EXPECT_EQ(found, expected); }

std::vector<std::string> Lint(const std::vector<skinpack::PackageEntry>& entries,
                              uint32_t version = 70000) {
  const auto stream = skinpack::EncodeSkinStream(skinpack::BuildPackage(entries, version));
  std::vector<std::string> out;
  for (const auto& f : skinpack::LintSkinStream(stream, "t.skn")) out.push_back(f.Format());
  return out;
}

std::vector<std::string> Lint(const TestSkin& skin) { return Lint(skin.Entries()); }

// The line of `key` in the first [section] of the test skin's definition (the header's line when
// key is empty), counted as an editor counts.
int LineOf(const std::string& text, const std::string& section, const std::string& key = "") {
  std::istringstream in(text);
  std::string line;
  bool inside = false;
  for (int n = 1; std::getline(in, line); ++n) {
    const std::string t(ui::Trim(line));
    if (t.starts_with("[")) {
      if (inside) break;
      inside = ui::EqualsNoCase(t, "[" + section + "]");
      if (inside && key.empty()) return n;
      continue;
    }
    const auto eq = t.find('=');
    if (inside && eq != std::string::npos && ui::EqualsNoCase(ui::Trim(t.substr(0, eq)), key))
      return n;
  }
  ADD_FAILURE() << "no [" << section << "] " << key;
  return 0;
}

std::string At(const TestSkin& skin, const std::string& section, const std::string& key) {
  return "t.skn:skin.ini:" + std::to_string(LineOf(skin.IniText(), section, key)) + ": [" +
         section + "] " + key + ": ";
}

std::vector<skinpack::PackageEntry> WithDefinition(std::vector<skinpack::PackageEntry> entries,
                                                   const std::string& text) {
  for (auto& e : entries)
    if (e.name == TestSkin::kIniName) e.bytes.assign(text.begin(), text.end());
  return entries;
}

TEST(SkinLint, TheFlatColourTestSkinIsClean) { EXPECT_EQ(Lint(TestSkin()), Lines{}); }

TEST(SkinLint, ImagesThatAreMissingOrDoNotDecode) {
  TestSkin missing;
  missing.OmitEntry("Scrollbar");
  const std::string entry = missing.ImageDef("Scrollbar").entry;
  ExpectLines(Lint(missing), {At(missing, "Scrollbar", "Image") + "names " + entry +
                              ", which the package does not hold"});

  TestSkin garbage;
  garbage.Corrupt("Headerbar", testskin::Corruption::kGarbage);
  const auto found = Lint(garbage);
  ASSERT_EQ(found.size(), 1u) << ::testing::PrintToString(found);
  EXPECT_EQ(
      found[0].rfind(
          "t.skn:" + garbage.ImageDef("Headerbar").entry + ": does not decode as a BMP image: ", 0),
      0u)
      << found[0];

  // An upper-case extension is no image reference: the element gets nothing, and the entry it
  // meant is left unused.
  TestSkin upper;
  const std::string track = upper.ImageDef("Track").entry;
  std::string shouting = track;
  shouting.replace(shouting.size() - 3, 3, "BMP");
  upper.SetIni("Track", "Image", shouting);
  ExpectLines(Lint(upper), {At(upper, "Track", "Image") + "'" + shouting +
                                "' is not an image reference (the name must end in lower-case "
                                ".bmp); the element gets no image",
                            "t.skn:" + track +
                                ": not named by the definition; the engine never "
                                "loads it"});
}

TEST(SkinLint, FramesThatDoNotDivideAndMarginsThatDoNotFit) {
  TestSkin frames;
  frames.SetFrameSize("Track", 8, 4).SetIni("Track", "Frame", "3");
  ExpectLines(Lint(frames), {At(frames, "Track", "Frame") +
                             "the 8x4 image does not divide into 3 frames side by side"});

  // The engine fixes some counts whatever the key says: the key is reported as ignored.
  TestSkin fixed;
  fixed.SetIni("MenuItem", "Frame", "4");
  ExpectLines(Lint(fixed), {At(fixed, "MenuItem", "Frame") +
                            "4 is ignored: the engine always cuts MenuItem into 5 "
                            "frames"});

  TestSkin margins;
  const int width = margins.ImageDef("Headerbar").frameWidth;
  margins.SetIni("Headerbar", "LeftWidth", std::to_string(width))
      .SetIni("Headerbar", "RightWidth", "1");
  ExpectLines(Lint(margins), {At(margins, "Headerbar", "LeftWidth") +
                              "the left and right margins (" + std::to_string(width) +
                              " + 1) are wider than a frame (" + std::to_string(width) + ")"});

  // A caption button's place beyond any image is clamped by the engine: the lint names the key.
  TestSkin places;
  places.SetIni("BUTTON.CLOSE", "Xcoord", "99999").SetIni("BUTTON.MINIMIZE", "Ycoord", "-20000");
  ExpectLines(
      Lint(places),
      {At(places, "BUTTON.CLOSE", "Xcoord") +
           "99999 is out of range -16384..16384 (the button's place across): the engine takes "
           "16384",
       At(places, "BUTTON.MINIMIZE", "Ycoord") +
           "-20000 is out of range -16384..16384 (the button's place down): the engine takes "
           "-16384"});

  // The bar painter cuts both thumbs by the horizontal thumb's count.
  TestSkin thumbs;
  thumbs.SetFrames("VertScrollThumb", 4).SetIni("VertScrollThumb", "FrameCount", "4");
  ExpectLines(Lint(thumbs), {At(thumbs, "VertScrollThumb", "FrameCount") +
                             "4 differs from HorzScrollThumb's 3; the bar painter cuts "
                             "the vertical thumb by the horizontal thumb's count"});
}

TEST(SkinLint, MagentaOnlyWhereTransparencyIsMeant) {
  TestSkin keyed;
  keyed.KeyCorners("StatusBarEdges", 2).SetIni("StatusBarEdges", "Trans", "0");
  const int frames = keyed.ImageDef("StatusBarEdges").frames;
  ExpectLines(Lint(keyed), {At(keyed, "StatusBarEdges", "Trans") + std::to_string(frames * 2 * 4) +
                            " pixels are pure magenta, but the element is drawn opaque "
                            "(Trans 0): they show as magenta"});
  // The same corners where the element is drawn keyed are what rounded corners need.
  keyed.SetIni("StatusBarEdges", "Trans", "1");
  EXPECT_EQ(Lint(keyed), Lines{});
}

TEST(SkinLint, NamesTheEngineNeverReadsWithTheNearestItDoes) {
  TestSkin key;
  key.SetIni("Scrollbar", "Trnas", "1");
  ExpectLines(Lint(key), {At(key, "Scrollbar", "Trnas") +
                          "unknown key, never read in this section; did you mean "
                          "Trans?"});

  TestSkin section;
  section.SetIni("Scrolbar", "Frame", "23");
  ExpectLines(Lint(section),
              {"t.skn:skin.ini:" + std::to_string(LineOf(section.IniText(), "Scrolbar")) +
               ": [Scrolbar]: unknown section, never read; did you mean Scrollbar?"});

  // A second value of a key is never read: the first one wins, even when it is the wrong
  // one.
  const TestSkin twice;
  std::string text = twice.IniText();
  const int line = LineOf(text, "Headerbar", "LeftWidth");
  text.insert(text.find("\n", text.find("[Headerbar]")) + 1, "LeftWidth=1\r\n");
  ExpectLines(Lint(WithDefinition(twice.Entries(), text)),
              {"t.skn:skin.ini:" + std::to_string(line + 1) +
               ": [Headerbar] LeftWidth: the key appears again; only the first is read"});
}

TEST(SkinLint, PackageVersionAndEntryOrder) {
  const TestSkin skin;
  ExpectLines(Lint(skin.Entries(), 10000),
              {"t.skn: package version 10000 is not one the engine reads (20000, "
               "30000, ... 70000); it shows the older-file message and loads nothing"});

  auto entries = skin.Entries();
  ASSERT_EQ(entries.back().name, TestSkin::kIniName);
  std::rotate(entries.begin(), entries.end() - 1, entries.end());
  ExpectLines(Lint(entries), {"t.skn:skin.ini: the definition is not the last entry; a "
                              "package keeps its images first and the definition "
                              "last"});

  entries = skin.Entries();
  entries.insert(entries.begin(), entries[entries.size() - 2]);
  ExpectLines(Lint(entries), {"t.skn:" + entries.front().name +
                              ": the package holds this entry twice; only the first "
                              "is read"});

  entries = skin.Entries();
  entries.insert(entries.end() - 1, {"spare.bmp", entries.front().bytes});
  ExpectLines(Lint(entries),
              {"t.skn:spare.bmp: not named by the definition; the engine never loads it"});
}

std::filesystem::path TempDir(const std::string& name) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("skinlint_" + name + "_" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

TEST(SkinLint, AFolderIsLintedAsSkinpackWouldPackIt) {
  const TestSkin skin;
  const auto dir = TempDir("folder");
  std::ofstream order(dir / "order.txt");
  for (const auto& e : skin.Entries()) {
    std::ofstream(dir / e.name, std::ios::binary)
        .write(reinterpret_cast<const char*>(e.bytes.data()),
               static_cast<std::streamsize>(e.bytes.size()));
    order << e.name << "\n";
  }
  order.close();
  EXPECT_TRUE(skinpack::LintPath(dir.string()).empty());
  std::ofstream(dir / "forgotten.bmp") << "x";
  const auto found = skinpack::LintPath(dir.string());
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].Format(),
            (dir / "forgotten.bmp").string() + ": not listed in order.txt, so it is not packed");
  std::filesystem::remove(dir / skin.Entries().front().name);
  EXPECT_THROW(skinpack::LintPath(dir.string()), std::runtime_error);
  std::filesystem::remove_all(dir);
}

TEST(SkinLint, BothShippedSkinsAreClean) {
  for (const skin::art::SkinStyle* style : skin::art::ShippedStyles()) {
    std::vector<skinpack::PackageEntry> entries;
    for (const auto& e : skin::art::BuildSkin(*style)) entries.push_back({e.name, e.bytes});
    EXPECT_EQ(Lint(entries), Lines{}) << style->name;
  }
}

// What the build drew and packed (<build>/assets; this binary lives in <build>/tests/native), when
// it is there: the files that ship, not only what this binary draws.
TEST(SkinLint, TheBuiltSkinFoldersAndStreamsAreClean) {
  const auto assets =
      std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path().parent_path() /
      "assets";
  if (!std::filesystem::exists(assets / "dark.skn")) GTEST_SKIP() << "no built skins in " << assets;
  for (const char* name : {"default", "dark"}) {
    for (const auto& path :
         {assets / (std::string(name) + "-skin"), assets / (std::string(name) + ".skn")}) {
      std::vector<std::string> found;
      for (const auto& f : skinpack::LintPath(path.string())) found.push_back(f.Format());
      EXPECT_EQ(found, Lines{}) << path;
    }
  }
}

}  // namespace
