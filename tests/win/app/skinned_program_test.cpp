// The program's main window under the skin manager, as the program runs it: skinned from its
// first activation with the embedded default skin.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "TestSkin.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "skin/frame/PaintPrimitives.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manager/WinSkinManage.h"
#include "support/LoopbackListener.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"

namespace {

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

bool PumpUntil(const std::function<bool()>& done, DWORD maxMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > maxMs) return false;
    ui::Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

}  // namespace

TEST(SkinnedProgram, MainWindowWearsTheDefaultSkin) {
  wintest::LoopbackListener service;
  ui::Application->Initialize();
  SetEnvironmentVariableW(L"TARVIMO_QUERY_HOST", Widen(service.host()).c_str());
  SetEnvironmentVariableW(L"TARVIMO_SHOP_HOST", Widen(service.host()).c_str());
  {
    skin::SkinManagerScope scope;
    auto* form = new app::TForm1(nullptr);
    form->Show();
    SetForegroundWindow(form->Handle());
    skin::TSkinManage* manager = skin::SkinManager();
    ASSERT_NE(manager, nullptr);
    ASSERT_TRUE(PumpUntil(
        [&] {
          skin::TWinSkinForm* s = manager->FindForm(form->Handle());
          return s && s->LifecycleState() == skin::TWinSkinForm::kLive;
        },
        3000));
    wintest::PumpUntilIdle();
    RECT w{};
    GetWindowRect(form->Handle(), &w);
    EXPECT_EQ(w.right - w.left, 614);
    EXPECT_EQ(w.bottom - w.top, 512);
    EXPECT_EQ(form->ClientWidth(), 606);
    EXPECT_EQ(form->ClientHeight(), 479);

    // The caption's middle shows colours of the skin's active caption image at that height.
    skin::TDataSkinBorder* top = form->SkinData1->Top();
    const skin::PixelBuffer image = skin::PixelsOf(*top->Bitmap);
    std::set<COLORREF> row;
    for (int x = 0; x < image.width(); ++x)
      row.insert(static_cast<COLORREF>(image.Get(x, 20) & 0xFFFFFF));
    auto capture = wintest::CaptureWindowDC(form->Handle());
    ASSERT_NE(capture, nullptr);
    EXPECT_TRUE(row.count(capture->Pixel(400, 20) & 0xFFFFFF));

    // Search is drawn from the skin's button strip: its face shows colours of the strip.
    EXPECT_EQ(SendMessageW(form->m_soso->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
    const skin::PixelBuffer strip = skin::PixelsOf(*form->SkinData1->Buttons()->Bitmap);
    std::set<COLORREF> stripColours;
    for (int y = 0; y < strip.height(); ++y)
      for (int x = 0; x < strip.width(); ++x)
        stripColours.insert(static_cast<COLORREF>(strip.Get(x, y) & 0xFFFFFF));
    auto button = wintest::CaptureWindowDC(form->m_soso->Handle());
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(stripColours.count(button->Pixel(5, button->height() / 2) & 0xFFFFFF));

    // The category, credit, location and sort lists wear the skin's edge and drop-down button.
    const skin::PixelBuffer comboStrip =
        skin::PixelsOf(*form->SkinData1->FindElement("ComboButton")->Bitmap);
    std::set<COLORREF> comboColours;
    for (int y = 0; y < comboStrip.height(); ++y)
      for (int x = 0; x < comboStrip.width(); ++x)
        comboColours.insert(static_cast<COLORREF>(comboStrip.Get(x, y) & 0xFFFFFF));
    const COLORREF shadow =
        static_cast<COLORREF>(form->SkinData1->GetRGB(skin::ciButtonShadow)) & 0xFFFFFF;
    for (ui::TWinControl* list : std::initializer_list<ui::TWinControl*>{
             form->m_cid, form->m_ec, form->m_loc, form->m_sc, form->m_sort}) {
      EXPECT_EQ(SendMessageW(list->Handle(), skin::SM_ISSKINNED, 0, 0), 1) << list->Name();
      auto combo = wintest::CaptureWindowDC(list->Handle());
      ASSERT_NE(combo, nullptr);
      EXPECT_EQ(combo->Pixel(0, 0) & 0xFFFFFF, shadow) << list->Name();
      EXPECT_EQ(combo->Pixel(combo->width() - 1, combo->height() - 1) & 0xFFFFFF, shadow)
          << list->Name();
      // The button image's middle column, a third of the way down.
      EXPECT_TRUE(comboColours.count(combo->Pixel(combo->width() - 2 - 8, 7) & 0xFFFFFF))
          << list->Name();
    }

    // The advanced-search window is skinned at its first activation, its client kept.
    form->m_soso2->Click();
    app::TForm2* advanced = form->AdvancedSearch();
    ASSERT_NE(advanced, nullptr);
    ASSERT_TRUE(PumpUntil(
        [&] {
          skin::TWinSkinForm* s = manager->FindForm(advanced->Handle());
          return s && s->LifecycleState() == skin::TWinSkinForm::kLive;
        },
        3000));
    wintest::PumpUntilIdle();
    GetWindowRect(advanced->Handle(), &w);
    EXPECT_EQ(advanced->ClientWidth(), 983);
    EXPECT_EQ(advanced->ClientHeight(), 653);
    EXPECT_EQ(w.right - w.left, 983 + 8);
    EXPECT_EQ(w.bottom - w.top, 653 + 28 + 5);
    EXPECT_EQ(manager->Forms().size(), 2u);
    delete form;
    EXPECT_TRUE(manager->Forms().empty());
  }
  EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::Hook), 0);
  SetEnvironmentVariableW(L"TARVIMO_QUERY_HOST", nullptr);
  SetEnvironmentVariableW(L"TARVIMO_SHOP_HOST", nullptr);
}

// A skin file given at start (the program's --skin) is loaded right after the main window is
// made, before the first activation: the window must come up in that skin, not the embedded one.
TEST(SkinnedProgram, ASkinFileLoadedBeforeTheFirstActivationIsTheOneShown) {
  wintest::LoopbackListener service;
  ui::Application->Initialize();
  SetEnvironmentVariableW(L"TARVIMO_QUERY_HOST", Widen(service.host()).c_str());
  SetEnvironmentVariableW(L"TARVIMO_SHOP_HOST", Widen(service.host()).c_str());
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  const std::wstring path = std::wstring(dir) + L"tarvimo-start-skin.skn";
  const testskin::TestSkin flat;
  const std::vector<uint8_t> bytes = flat.Stream();
  std::ofstream(std::filesystem::path(path), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  {
    skin::SkinManagerScope scope;
    auto* form = new app::TForm1(nullptr);
    ASSERT_TRUE(form->SkinData1->LoadSkinFile(path)) << form->SkinData1->LastError();
    form->Show();
    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(PumpUntil(
        [&] {
          skin::TWinSkinForm* s = skin::SkinManager()->FindForm(form->Handle());
          return s && s->LifecycleState() == skin::TWinSkinForm::kLive;
        },
        3000));
    wintest::PumpUntilIdle();
    auto capture = wintest::CaptureWindowDC(form->Handle());
    ASSERT_NE(capture, nullptr);
    EXPECT_EQ(capture->Pixel(400, 3) & 0xFFFFFF,
              static_cast<COLORREF>(flat.FrameColour("Top", 1)) & 0xFFFFFF);
    delete form;
  }
  DeleteFileW(path.c_str());
  SetEnvironmentVariableW(L"TARVIMO_QUERY_HOST", nullptr);
  SetEnvironmentVariableW(L"TARVIMO_SHOP_HOST", nullptr);
}
