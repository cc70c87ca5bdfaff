// TSkinData as a component: published switches and defaults, the SkinStream property, what it asks
// of the skin manager, the window query, damaged input and handle balance.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "SkinDataTestSupport.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/Forms.h"
#include "ui/TypInfo.h"

namespace {

using skin::TSkinData;
using skindatatest::Component;
using skindatatest::FakeManager;
using testskin::TestSkin;

using Calls = std::vector<std::string>;

TEST(SkinDataProperties, PublishedInOrderWithTheirDefaults) {
  Component c;
  std::vector<std::string> names;
  for (const ui::TPropInfo& p : TSkinData::StaticClassInfo().OwnProps()) names.push_back(p.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Active", "DisableTag", "SkinControls", "Options",
                                             "Skin3rd", "SkinFile", "SkinStore", "SkinFormtype",
                                             "Version", "MenuUpdate", "MenuMerge"}));
  TSkinData* d = c.data.get();
  EXPECT_EQ(ui::GetEnumProp(d, "Active"), "False");
  EXPECT_EQ(ui::GetOrdProp(d, "DisableTag"), 99);
  // All 22 kinds but xcMenuItem and xcFastReport; options xoPreview, xoToolbarBK,
  // xoCaptionButtonHint.
  EXPECT_EQ(ui::GetOrdProp(d, "SkinControls"), 0x1FFFFB);
  EXPECT_EQ(ui::GetOrdProp(d, "Options"), 0x448);
  EXPECT_EQ(ui::GetEnumProp(d, "SkinFormtype"), "sfMainform");
  EXPECT_EQ(ui::GetStrProp(d, "SkinFile"), L"");
  EXPECT_EQ(ui::GetStrProp(d, "SkinStore"), L"(none)");
  EXPECT_EQ(ui::GetStrProp(d, "Version"), L"5.40.07.15");
  EXPECT_EQ(ui::GetEnumProp(d, "MenuUpdate"), "True");
  EXPECT_EQ(ui::GetEnumProp(d, "MenuMerge"), "False");
  EXPECT_TRUE(c->NoSkin());
  EXPECT_TRUE(c->PaintFrame);
  EXPECT_EQ(c->MaximizedSize().cx, GetSystemMetrics(SM_CXMAXIMIZED));
  EXPECT_EQ(ui::GetPropInfo(d, "SkinControls")->EnumType->Identifiers.size(), 22u);
  EXPECT_EQ(ui::GetPropInfo(d, "Options")->EnumType->Identifiers.size(), 12u);
  static_assert(sizeof(skin::TSkinControlTypes) == 4 && sizeof(skin::TSkinOptions) == 2);
}

TEST(SkinDataProperties, VersionAndSkinStoreAreReadOnlyEvenWithASkin) {
  Component c;
  c.Read(TestSkin());
  ASSERT_FALSE(c->NoSkin());
  ui::SetStrProp(c.data.get(), "Version", L"1.0");
  ui::SetStrProp(c.data.get(), "SkinStore", L"(Good)");
  EXPECT_EQ(c->Version(), L"5.40.07.15");
  EXPECT_EQ(c->SkinStore(), L"(none)");
}

TEST(SkinDataProperties, Skin3rdHoldsTheDefaultMapInItsOrder) {
  Component c;
  ui::TStrings* map = ui::GetObjectProperty<ui::TStrings>(c.data.get(), "Skin3rd");
  ASSERT_NE(map, nullptr);
  ASSERT_EQ(map->Count(), 118);
  EXPECT_EQ(map->Get(47), L"TLMDGroupBox=Groupbox");
  EXPECT_EQ(map->Get(54), L"TLMDGROUPBOX=panel");
  int comboboxex = 0, fontSize = 0, eh = 0, wwCombo = 0;
  for (int i = 0; i < map->Count(); ++i) {
    const std::wstring line = map->Get(i);
    ASSERT_NE(line.find(L'='), std::wstring::npos) << i;
    comboboxex += line == L"TComboboxex=combobox";
    fontSize += line.rfind(L"TLMDFontSizeCombobox=", 0) == 0;
    eh += line.rfind(L"TDBCheckboxEh=", 0) == 0;
    wwCombo += line.rfind(L"TWWDBCombobox=", 0) == 0;
  }
  EXPECT_EQ(comboboxex, 1);
  EXPECT_EQ((std::vector<int>{fontSize, eh, wwCombo}), (std::vector<int>{2, 2, 2}));

  ui::TStringList replacement;
  replacement.Add(L"TFoo=nil");
  ui::SetObjectProp(c.data.get(), "Skin3rd", &replacement);
  ASSERT_EQ(c->Skin3rd()->Count(), 1);
  EXPECT_NE(c->Skin3rd(), &replacement);  // assigned, not taken
}

TEST(SkinDataStream, PropertyFramingReadsLoadsAtOnceAndWritesBack) {
  Component c;
  const std::vector<uint8_t> payload = TestSkin().PropertyPayload();
  c.Read(payload);
  EXPECT_FALSE(c->NoSkin());

  ui::TMemoryStream written;
  c->WriteSkinStream(written);
  EXPECT_EQ(written.Bytes(), payload);

  // A count of 0 (or one that reads negative) leaves the stream as it was.
  c.Read(std::vector<uint8_t>{0, 0, 0, 0});
  c.Read(std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3});
  EXPECT_EQ(c->SkinStream().Size(), static_cast<int64_t>(payload.size() - 4));
  EXPECT_FALSE(c->NoSkin());

  // The form reader finds the property by name.
  struct Filer : ui::TFiler {
    std::string name;
    bool hasData = false;
    BinaryReader read;
    void DefineBinaryProperty(const std::string& n, const BinaryReader& r, const BinaryWriter&,
                              bool data) override {
      name = n;
      read = r;
      hasData = data;
    }
  } filer;
  Component fresh;
  fresh->DefineProperties(filer);
  EXPECT_EQ(filer.name, "SkinStream");
  EXPECT_FALSE(filer.hasData);
  filer.read(*skindatatest::PayloadStream(payload));
  EXPECT_FALSE(fresh->NoSkin());
}

TEST(SkinDataLifecycle, LoadedRegistersHooksAndSchedulesTheMainSkin) {
  FakeManager manager;
  Component c;
  c->SetLoading(true);
  c->SetActive(true);  // only stored while the form is read
  c.Read(TestSkin());
  EXPECT_TRUE(manager.calls.empty());
  c->Loaded();
  EXPECT_EQ(manager.calls, (Calls{"Create", "AddSkinData", "InstallHook", "SetCurrentSkinData",
                             "Schedule(1,250)"}));
  EXPECT_TRUE(c->Active());
  ASSERT_NE(c->CaptionFont(), nullptr);
  // xcMainMenu is set: menu items are left to the main menu's skinner.
  EXPECT_FALSE(skin::InSet(c->SkinControls(), skin::xcMenuItem));
  EXPECT_TRUE(skin::InSet(c->SkinControls(), skin::xcSystemMenu));
  c.data.reset();
  EXPECT_EQ(manager.calls.back(), "RemoveSkinData");
  EXPECT_TRUE(manager.registered.empty());
}

TEST(SkinDataLifecycle, LoadedWithoutASkinSwitchesActiveOffAndDropsTheSystemMenu) {
  FakeManager manager;
  Component c;
  c->SetLoading(true);
  c->SetActive(true);
  c->SetSkinControls(c->SkinControls() & ~skin::SetBit(skin::xcMainMenu));
  c->Loaded();
  EXPECT_FALSE(c->Active());
  EXPECT_EQ(manager.calls, (Calls{"Create", "AddSkinData", "InstallHook"}));
  EXPECT_FALSE(skin::InSet(c->SkinControls(), skin::xcSystemMenu));
}

TEST(SkinDataLifecycle, OtherFormTypesEnableTheManagerWithoutHook) {
  FakeManager manager;
  ui::TForm* form = new ui::TForm(nullptr);
  auto* data = new TSkinData(form);
  data->SetSkinFormtype(skin::TSkinFormType::sfOnlyThisForm);
  data->SetLoading(true);
  data->SetActive(true);
  data->Loaded();
  EXPECT_EQ(manager.calls, (Calls{"Create", "AddSkinData", "EnableForSkin", "SkinFormIfVisible"}));
  // The set edits belong to the main skin only.
  EXPECT_TRUE(skin::InSet(data->SkinControls(), skin::xcSystemMenu));
  delete form;  // frees the component with it
  EXPECT_TRUE(manager.registered.empty());
}

TEST(SkinDataLifecycle, ActiveSchedulesActivationOnlyWithASkin) {
  FakeManager manager;
  Component c;
  c->Loaded();
  manager.calls.clear();
  c->SetActive(true);  // no skin yet: ignored
  EXPECT_FALSE(c->Active());
  EXPECT_TRUE(manager.calls.empty());

  c.Read(TestSkin());
  c->SetActive(true);
  EXPECT_EQ(manager.calls, (Calls{"SetCurrentSkinData", "Schedule(1,250)", "SetRunning"}));
  EXPECT_EQ(manager.current, c.data.get());
  manager.calls.clear();
  c->SetActive(true);  // unchanged
  EXPECT_TRUE(manager.calls.empty());
  c->SetActive(false);
  EXPECT_EQ(manager.calls, (Calls{"SetCurrentSkinData", "Schedule(2,250)"}));

  manager.calls.clear();
  c->SetSkinFormtype(skin::TSkinFormType::sfDialog);
  c->SetActive(true);
  EXPECT_TRUE(c->Active());
  EXPECT_TRUE(manager.calls.empty());

  Component own;
  own->SetSkinFormtype(skin::TSkinFormType::sfOnlyThisForm);
  own->SetActive(true);  // no skin: made current, nothing scheduled
  EXPECT_EQ(manager.calls, (Calls{"SetCurrentSkinData"}));
  own.Read(TestSkin());
  own->SetActive(true);
  EXPECT_EQ(manager.calls.back(), "Schedule(1,250)");
}

TEST(SkinDataLifecycle, FormSkinQueryRules) {
  Component c;
  HWND window = reinterpret_cast<HWND>(0x1234);
  bool doSkin = true;
  c->FormSkinQuery(window, "SysMonthCal32", doSkin);
  EXPECT_FALSE(doSkin);
  EXPECT_EQ(c->LastQueriedWindow(), window);
  doSkin = true;
  c->FormSkinQuery(window, "sysmonthcal32", doSkin);
  EXPECT_TRUE(doSkin);
  c->FormSkinQuery(window, "TfrPreviewForm", doSkin);
  EXPECT_TRUE(doSkin);  // xcFastReport is off by default
  c->SetSkinControls(c->SkinControls() | skin::SetBit(skin::xcFastReport));
  c->FormSkinQuery(window, "TfrPreviewForm", doSkin);
  EXPECT_FALSE(doSkin);

  // The handler has the final say, also against the built-in rules.
  struct Handler {
    std::string seen;
    void Query(ui::TObject*, const std::string& name, bool& skinIt) {
      seen = name;
      skinIt = true;
    }
  } handler;
  c->OnFormSkin = ui::MethodOf<&Handler::Query>(&handler);
  doSkin = false;
  c->FormSkinQuery(window, "SysMonthCal32", doSkin);
  EXPECT_TRUE(doSkin);
  EXPECT_EQ(handler.seen, "SysMonthCal32");
}

TEST(SkinDataLifecycle, CaptionFontGlyphListAndApplicationIconBitmap) {
  // A 16 x 16 icon, red on its left half and transparent on its right half.
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  std::vector<uint32_t> colour(static_cast<size_t>(cx) * cy, 0x00FF0000);  // BGRA red
  std::vector<uint8_t> mask(static_cast<size_t>((cx + 15) / 16 * 2) * cy, 0);
  const size_t maskStride = static_cast<size_t>((cx + 15) / 16 * 2);
  for (int y = 0; y < cy; ++y)
    for (int x = cx / 2; x < cx; ++x) {
      mask[y * maskStride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
      colour[static_cast<size_t>(y) * cx + x] = 0;  // transparent pixels are black in the image
    }
  ui::GdiBitmap colourBits(CreateBitmap(cx, cy, 1, 32, colour.data()));
  ui::GdiBitmap maskBits(CreateBitmap(cx, cy, 1, 1, mask.data()));
  ICONINFO info{TRUE, 0, 0, maskBits.get(), colourBits.get()};
  ui::Application->Icon()->SetHandle(CreateIconIndirect(&info));
  ui::Application->IconChanged();

  Component c;
  // Test programs carry no "SKINMENUGLYPHS" resource: the list is there and empty.
  ASSERT_NE(c->MenuGlyphs(), nullptr);
  EXPECT_EQ(c->MenuGlyphs()->Count(), 0);
  EXPECT_EQ(c->MenuGlyphs()->Width(), 16);
  EXPECT_EQ(c->CaptionFont(), nullptr);
  c->Loaded();

  ASSERT_NE(c->CaptionFont(), nullptr);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  EXPECT_EQ(c->CaptionFont()->Name(), std::wstring(metrics.lfCaptionFont.lfFaceName));

  ui::TBitmap* icon = c->AppIconBitmap();
  ASSERT_EQ(icon->Width(), cx);
  ASSERT_EQ(icon->Height(), cy);
  EXPECT_EQ(skindatatest::PixelAt(*icon, 1, cy / 2), skin::MakeColour(255, 0, 0));
  EXPECT_EQ(skindatatest::PixelAt(*icon, cx - 2, cy / 2), skin::kMagenta);
  EXPECT_EQ(icon->TransparentColor(), ui::clFuchsia);
}

// ---- Damaged input ------------------------------------------------------------------------------

TEST(SkinDataBadInput, UnknownVersionReportsTheOlderFileMessageAndLoadsNothing) {
  Component c;
  c.Read(TestSkin().SetVersion(10000));
  EXPECT_TRUE(c->NoSkin());
  ASSERT_EQ(c.messages.size(), 1u);
  EXPECT_EQ(c.messages[0], "This is Older Skin File\rPlease update to new version !");
  EXPECT_TRUE(c->Buttons()->Empty());
  EXPECT_EQ(c->ComboxArrow(), nullptr);
}

TEST(SkinDataBadInput, AnUndecodableImageAbandonsTheLoadWithoutLeaks) {
  const long handlesBefore = ui::HandleCounts::Total();
  for (testskin::Corruption how : {testskin::Corruption::kGarbage, testskin::Corruption::kTruncated,
                                   testskin::Corruption::kBadMagic}) {
    Component c;
    c.Read(TestSkin().Corrupt("Scrollbar", how));
    EXPECT_TRUE(c->NoSkin());
    EXPECT_NE(c->LastError().find("scrollbararrow.bmp"), std::string::npos) << c->LastError();
    EXPECT_TRUE(c->Buttons()->Empty());
    EXPECT_TRUE(c->Elements().empty());
    EXPECT_TRUE(c.messages.empty());
  }
  EXPECT_EQ(ui::HandleCounts::Total(), handlesBefore);
  // An empty entry is only a missing image.
  Component empty;
  empty.Read(TestSkin().Corrupt("Scrollbar", testskin::Corruption::kEmpty));
  EXPECT_FALSE(empty->NoSkin());
  EXPECT_TRUE(empty->FindElement("Scrollbar")->Empty());
}

TEST(SkinDataBadInput, TruncatedStreamsNeverCrash) {
  const std::vector<uint8_t> stream = TestSkin().Stream();
  for (size_t keep : {size_t{1}, size_t{4}, size_t{5}, stream.size() / 3, stream.size() - 1}) {
    Component c;
    c.Read(skindatatest::Framed(std::vector<uint8_t>(stream.begin(), stream.begin() + keep)));
    EXPECT_TRUE(c->NoSkin()) << keep;
  }
}

class SkinFileTest : public ::testing::Test {
 protected:
  std::wstring Write(const char* name, const std::vector<uint8_t>& bytes) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    std::wstring path = std::wstring(dir) + L"tarvimo-skindata-" +
                        std::wstring(name, name + strlen(name)) + L".skn";
    std::ofstream(std::filesystem::path(path), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    files_.push_back(path);
    return path;
  }
  ~SkinFileTest() override {
    for (const auto& f : files_) DeleteFileW(f.c_str());
  }
  std::vector<std::wstring> files_;
};

TEST_F(SkinFileTest, AValidFileReplacesTheSkinAndTellsTheManager) {
  FakeManager manager;
  Component c;
  c.Read(TestSkin());
  c->Loaded();
  manager.running = true;
  manager.calls.clear();
  const std::vector<uint8_t> other =
      TestSkin().SetIni("TitlebarSkin", "SkinName", "From file").Stream();
  c->SetSkinFile(Write("valid", other));
  EXPECT_EQ(c->SkinName(), "From file");
  EXPECT_EQ(c->SkinStream().Bytes(), other);
  EXPECT_EQ(manager.calls, (Calls{"SetCurrentSkinData", "RefreshForms", "Schedule(3,250)"}));
}

TEST_F(SkinFileTest, AMissingOrCorruptFileLeavesThePreviousSkinInPlace) {
  Component c;
  TestSkin skin;
  c.Read(skin);
  const std::vector<uint8_t> stream = c->SkinStream().Bytes();
  skin::TDataSkinButton* buttons = c->Buttons();

  c->SetSkinFile(L"Z:\\no\\such\\skin.skn");
  EXPECT_FALSE(c->NoSkin());
  EXPECT_EQ(c->SkinFile(), L"Z:\\no\\such\\skin.skn");
  // A run-time load says that it failed and why, naming the file.
  EXPECT_FALSE(c->LoadSkinFile(L"Z:\\no\\such\\skin.skn"));
  EXPECT_NE(c->LastError().find("not found"), std::string::npos);
  EXPECT_NE(c->LastError().find("skin.skn"), std::string::npos);

  c->SetSkinFile(Write("corrupt", TestSkin()
                                      .Corrupt("Buttons", testskin::Corruption::kGarbage)
                                      .SetIni("TitlebarSkin", "SkinName", "Broken")
                                      .Stream()));
  EXPECT_FALSE(c->NoSkin());
  EXPECT_NE(c->LastError().find("corrupt"), std::string::npos);  // the file's name
  EXPECT_EQ(c->SkinName(), "Test skin");
  EXPECT_EQ(c->Buttons(), buttons);
  EXPECT_EQ(skindatatest::FrameMiddle(buttons, 2), skin.FrameColour("Buttons", 2));
  EXPECT_EQ(c->SkinStream().Bytes(), stream);

  c->SetSkinFile(Write("old", TestSkin().SetVersion(1).Stream()));
  EXPECT_FALSE(c->NoSkin());
  EXPECT_EQ(c.messages.size(), 1u);
}

// ---- Handles
// -------------------------------------------------------------------------------------

TEST(SkinDataHandles, RepeatedLoadsAndDestructionGiveEveryHandleBack) {
  std::vector<uint8_t> payload = skindatatest::DefaultSkinStream();
  payload = payload.empty() ? TestSkin().Include("SunkEdge").PropertyPayload()
                            : skindatatest::Framed(payload);
  {  // warm up GDI and the system's own caches
    Component c;
    c.Read(payload);
    c->Loaded();
  }
  const long handles = ui::HandleCounts::Total();
  const long gdi = wintest::LiveGdiObjects();
  {
    Component c;
    for (int i = 0; i < 100; ++i) {
      c.Read(payload);
      ASSERT_FALSE(c->NoSkin()) << i << ": " << c->LastError();
    }
    c->Loaded();
  }
  EXPECT_EQ(ui::HandleCounts::Total(), handles);
  if (gdi >= 0) {
    EXPECT_EQ(wintest::LiveGdiObjects(), gdi);
  }
}

}  // namespace
