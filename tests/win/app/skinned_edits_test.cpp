// The main window's keyword edit and its two price spin edits wear the default skin's edit band
// and spin strip, and still type, step and clamp as before.
#include <gtest/gtest.h>

#include <set>

#include "app/FilterLists.h"
#include "app/Unit1.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manager/WinSkinManage.h"
#include "skinframe/FrameTestSupport.h"
#include "support/LoopbackListener.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"

namespace {

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

COLORREF PixelOf(HWND wnd, int x, int y) {
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
  auto capture = wintest::CaptureWindowDC(wnd);
  return capture ? capture->Pixel(x, y) & 0xFFFFFF : CLR_INVALID;
}

std::set<COLORREF> ColoursOf(ui::TBitmap& bitmap) {
  const skin::PixelBuffer pixels = skin::PixelsOf(bitmap);
  std::set<COLORREF> colours;
  for (int y = 0; y < pixels.height(); ++y)
    for (int x = 0; x < pixels.width(); ++x)
      colours.insert(static_cast<COLORREF>(pixels.Get(x, y) & 0xFFFFFF));
  return colours;
}

}  // namespace

TEST(SkinnedProgram, KeywordAndPriceEditsWearTheSkinAndBehaveAsBefore) {
  wintest::LoopbackListener service;
  ui::Application->Initialize();
  SetEnvironmentVariableW(L"TARVIMO_QUERY_HOST", Widen(service.host()).c_str());
  SetEnvironmentVariableW(L"TARVIMO_SHOP_HOST", Widen(service.host()).c_str());
  {
    skin::SkinManagerScope scope;
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    auto* form = new app::TForm1(nullptr);
    form->Show();
    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(frametest::PumpUntil(
        [&] {
          skin::TWinSkinForm* s = skin::SkinManager()->FindForm(form->Handle());
          return s && s->LifecycleState() == skin::TWinSkinForm::kLive;
        },
        3000));
    wintest::PumpUntilIdle();
    skin::TWinSkinForm* skinner = skin::SkinManager()->FindForm(form->Handle());
    form->m_soso->SetFocus();  // no edit has the focus: every band at rest
    wintest::PumpUntilIdle();

    const COLORREF shadow = static_cast<COLORREF>(form->SkinData1->GetRGB(skin::ciButtonShadow));
    auto* strip = form->SkinData1->Element<skin::TDataSkinBorder>("UpDown.Vert");
    ASSERT_NE(strip, nullptr);
    const std::set<COLORREF> spinColours = ColoursOf(*strip->Bitmap);
    for (ui::TCustomEdit* edit :
         {static_cast<ui::TCustomEdit*>(form->m_keyword), static_cast<ui::TCustomEdit*>(form->m_sp),
          static_cast<ui::TCustomEdit*>(form->m_ep)}) {
      SCOPED_TRACE(edit->Name());
      HWND wnd = edit->Handle();
      EXPECT_EQ(SendMessageW(wnd, skin::SM_ISSKINNED, 0, 0), 1);
      EXPECT_EQ(PixelOf(wnd, 0, edit->Height() / 2), shadow & 0xFFFFFF);
      EXPECT_EQ(PixelOf(wnd, 1, edit->Height() / 2), RGB(255, 255, 255));
    }
    for (ui::TSpinEdit* spin : {form->m_sp, form->m_ep}) {
      SCOPED_TRACE(spin->Name());
      HWND button = spin->Button()->Handle();
      int skinners = 0;
      for (skin::IControlSkinner* s : skinner->Controls()) skinners += s->SkinnedWindow() == button;
      EXPECT_EQ(skinners, 1);
      auto* upDown = dynamic_cast<skin::TSkinUpDown*>(skinner->FindSkinnerByWindow(button));
      ASSERT_NE(upDown, nullptr);
      EXPECT_TRUE(upDown->Embedded());
      EXPECT_TRUE(spinColours.count(PixelOf(button, 1, 4)));
      EXPECT_TRUE(spinColours.count(PixelOf(button, 1, 13)));
    }

    // Typing, and the spin buttons clamping at the top of the price range.
    form->m_keyword->SetFocus();
    form->m_keyword->SetText(L"");
    for (wchar_t c : std::wstring(L"abc")) SendMessageW(form->m_keyword->Handle(), WM_CHAR, c, 1);
    EXPECT_EQ(form->m_keyword->Text(), L"abc");
    HWND up = form->m_ep->Button()->Handle();
    ASSERT_EQ(form->m_ep->Value(), app::kPriceMax);
    SendMessageW(up, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 3));
    SendMessageW(up, WM_LBUTTONUP, 0, MAKELPARAM(7, 3));
    EXPECT_EQ(form->m_ep->Value(), app::kPriceMax);
    SendMessageW(up, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 15));
    SendMessageW(up, WM_LBUTTONUP, 0, MAKELPARAM(7, 15));
    EXPECT_EQ(form->m_ep->Value(), app::kPriceMax - 1);
    delete form;
  }
  SetEnvironmentVariableW(L"TARVIMO_QUERY_HOST", nullptr);
  SetEnvironmentVariableW(L"TARVIMO_SHOP_HOST", nullptr);
}
