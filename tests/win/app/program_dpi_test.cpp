// The program's windows at other DPIs (made at the screen's DPI, moved between DPIs by
// WM_DPICHANGED) and under the system's high-contrast scheme (native while it is on).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Artwork.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "skin/frame/SkinMessages.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manager/WinSkinManage.h"
#include "support/LoopbackListener.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/DpiScale.h"

namespace {

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// The program's hosts point at a local listener for the test's lifetime.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::Application->Initialize();
    SetEnvironmentVariableW(L"TARVIMO_QUERY_HOST", Widen(service_.host()).c_str());
    SetEnvironmentVariableW(L"TARVIMO_SHOP_HOST", Widen(service_.host()).c_str());
  }
  void TearDown() override {
    skin::TSkinManage::SetHighContrastQuery(nullptr);
    SetEnvironmentVariableW(L"TARVIMO_QUERY_HOST", nullptr);
    SetEnvironmentVariableW(L"TARVIMO_SHOP_HOST", nullptr);
  }

  static bool SkinnedLive(HWND wnd) {
    skin::TWinSkinForm* s = skin::SkinManager()->FindForm(wnd);
    return s && s->LifecycleState() == skin::TWinSkinForm::kLive;
  }
  // Shows a form as the user gets it: active and skinned.
  static void ShowSkinned(ui::TCustomForm* form) {
    form->Show();
    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(wintest::PumpUntil([&] { return SkinnedLive(form->Handle()); }, 3000));
    wintest::PumpUntilIdle();
  }

 private:
  wintest::LoopbackListener service_;
};

RECT RectIn(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  MapWindowPoints(nullptr, GetParent(wnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string Text(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

std::string Text(const ui::DesignRect& d, int ppi) {
  const ui::DesignRect r = ui::ScaleRect(d, ppi);
  return Text(RECT{r.left, r.top, r.left + r.width, r.top + r.height});
}

LONG FontHeightOf(HWND wnd) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(wnd, WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  return font && GetObjectW(font, sizeof lf, &lf) ? lf.lfHeight : 0;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

// Where the form's window and each of its child windows are, and their fonts, as text.
std::string LayoutOf(ui::TCustomForm* form) {
  RECT w{};
  GetWindowRect(form->Handle(), &w);
  std::string out = "window " + Text(w) + "\n";
  std::vector<HWND> children;
  EnumChildWindows(form->Handle(), CollectChild, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) {
    wchar_t cls[64] = {};
    GetClassNameW(child, cls, 64);
    out += std::string(cls, cls + wcslen(cls)) + " " + Text(RectIn(child)) + " font " +
           std::to_string(FontHeightOf(child)) + "\n";
  }
  return out;
}

void SendDpiChanged(HWND wnd, int ppi, RECT suggested) {
  SendMessageW(wnd, WM_DPICHANGED, MAKEWPARAM(ppi, ppi), reinterpret_cast<LPARAM>(&suggested));
  wintest::PumpUntilIdle();
}

// The live count of every kind of handle, readably.
std::string Counters() {
  std::string out;
  for (int k = 0; k < static_cast<int>(ui::HandleKind::Count_); ++k)
    out += std::string(ui::HandleKindName(static_cast<ui::HandleKind>(k))) + " " +
           std::to_string(ui::HandleCounts::Live(static_cast<ui::HandleKind>(k))) + "\n";
  return out + "framework windows " + std::to_string(ui::LiveFrameworkWindows()) + "\n";
}

bool g_highContrast = false;
bool TestHighContrast() { return g_highContrast; }

// The system's settings changed: what every top-level window hears.
void SettingChanged(skin::TSkinManage* manager) {
  SendMessageW(manager->Window(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  wintest::PumpUntilIdle();
}

bool Skinned(HWND wnd) { return SendMessageW(wnd, skin::SM_ISSKINNED, 0, 0) == 1; }

// The frame the system gives a window of this style around its client area.
SIZE SystemFrame(HWND wnd) {
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_EXSTYLE)));
  return {r.right - r.left, r.bottom - r.top};
}

SIZE FrameOf(HWND wnd) {
  RECT w{}, c{};
  GetWindowRect(wnd, &w);
  GetClientRect(wnd, &c);
  return {(w.right - w.left) - c.right, (w.bottom - w.top) - c.bottom};
}

// How many pixels of the left half of a button, as it shows itself now, differ from a system
// button of the same style, size, font and focus painting itself.
int UnlikeNativeTwin(ui::TWinControl* button) {
  HWND wnd = button->Handle();
  RECT r{};
  GetClientRect(wnd, &r);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE));
  HWND twin =
      CreateWindowExW(0, L"BUTTON", L"", (style & ~WS_VISIBLE) | WS_CHILD, 0, 0, r.right, r.bottom,
                      GetParent(wnd), nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(twin, WM_SETFONT, SendMessageW(wnd, WM_GETFONT, 0, 0), FALSE);
  auto own = wintest::CaptureWindowDC(wnd);
  auto native = wintest::CapturePrint(twin);
  DestroyWindow(twin);
  int unlike = 0;
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right / 4; ++x)
      if ((own->Pixel(x, y) & 0xFFFFFF) != (native->Pixel(x, y) & 0xFFFFFF)) ++unlike;
  return unlike;
}

// Image `index` of `list` drawn on magenta: every other colour is the image's own.
std::unique_ptr<wintest::Dib32> Drawn(ui::TCustomImageList& list, int index) {
  auto dib = std::make_unique<wintest::Dib32>(list.Width(), list.Height());
  dib->Fill(RGB(255, 0, 255));
  ImageList_Draw(list.Handle(), index, dib->dc(), 0, 0, ILD_TRANSPARENT);
  return dib;
}

// Where in `shot` (within `area`) every opaque pixel of the left `columns` of `image` is found
// as it is, or {-1, -1}.
POINT FindImage(const wintest::Dib32& shot, const RECT& area, const wintest::Dib32& image,
                int columns) {
  for (int y = area.top; y + image.height() <= area.bottom; ++y)
    for (int x = area.left; x + image.width() <= area.right; ++x) {
      bool all = true;
      for (int j = 0; all && j < image.height(); ++j)
        for (int i = 0; all && i < columns; ++i) {
          const COLORREF c = image.Pixel(i, j) & 0xFFFFFF;
          if (c != RGB(255, 0, 255)) all = (shot.Pixel(x + i, y + j) & 0xFFFFFF) == c;
        }
      if (all) return {x, y};
    }
  return {-1, -1};
}

}  // namespace

TEST_F(ProgramTest, TenDpiRoundTripsLeaveBothWindowsAsTheyWere) {
  skin::SkinManagerScope scope;
  auto* form = new app::TForm1(nullptr);
  ShowSkinned(form);
  form->m_soso2->Click();
  app::TForm2* advanced = form->AdvancedSearch();
  ASSERT_NE(advanced, nullptr);
  ShowSkinned(advanced);
  const int base = form->CurrentPPI();
  const int high = base * 3 / 2;
  for (ui::TCustomForm* f : std::initializer_list<ui::TCustomForm*>{form, advanced}) {
    SCOPED_TRACE(f->Name());
    const std::string start = LayoutOf(f);
    std::string counters;
    RECT w{};
    GetWindowRect(f->Handle(), &w);
    const RECT scaled{w.left, w.top, w.left + ui::ScaleValue(w.right - w.left, high, base),
                      w.top + ui::ScaleValue(w.bottom - w.top, high, base)};
    // The advanced-search window at 150 % is wider than the test's screen: the system (and the
    // skin's frame) keep a window within the largest size they track.
    const bool fits = scaled.right - scaled.left <= GetSystemMetrics(SM_CXSCREEN) &&
                      scaled.bottom - scaled.top <= GetSystemMetrics(SM_CYSCREEN);
    for (int round = 0; round < 10; ++round) {
      SCOPED_TRACE(round);
      SendDpiChanged(f->Handle(), high, scaled);
      RECT now{};
      GetWindowRect(f->Handle(), &now);
      if (fits) {
        EXPECT_EQ(Text(now), Text(scaled));
      } else {
        EXPECT_EQ(now.left, scaled.left);
        EXPECT_EQ(now.top, scaled.top);
        EXPECT_GT(now.right - now.left, w.right - w.left);
      }
      if (f == form && base == ui::kDesignPpi) {
        EXPECT_EQ(Text(RectIn(form->m_soso->Handle())), Text({538, 4, 63, 24}, high));
        EXPECT_EQ(Text(RectIn(form->m_keyword->Handle())), Text({45, 5, 113, 21}, high));
        EXPECT_EQ(Text(RectIn(form->m_web->Handle())), Text({5, 56, 596, 417}, high));
        EXPECT_EQ(FontHeightOf(form->m_soso->Handle()), ui::ScaleFontHeight(-11, high));
        EXPECT_EQ(FontHeightOf(form->m_keyword->Handle()), ui::ScaleFontHeight(-11, high));
        // The skin still paints the buttons at the new size.
        EXPECT_TRUE(Skinned(form->m_soso->Handle()));
      }
      SendDpiChanged(f->Handle(), base, w);
      EXPECT_EQ(LayoutOf(f), start);
      // After a first round (brushes and images the skin makes once per window and state),
      // every round gives back what it took.
      if (round == 0) counters = Counters();
    }
    EXPECT_EQ(Counters(), counters);
  }
  delete form;
}

TEST_F(ProgramTest, HighContrastLeavesEveryWindowNativeUntilItIsSwitchedOff) {
  skin::SkinManagerScope scope;
  auto* form = new app::TForm1(nullptr);
  ShowSkinned(form);
  skin::TSkinManage* manager = skin::SkinManager();
  ASSERT_NE(manager, nullptr);
  // The manager's window is a top-level one: the system's broadcasts reach it.
  ASSERT_NE(manager->Window(), nullptr);
  EXPECT_EQ(GetAncestor(manager->Window(), GA_PARENT), GetDesktopWindow());
  const SIZE skinnedFrame = FrameOf(form->Handle());
  ASSERT_TRUE(Skinned(form->m_soso->Handle()));
  ASSERT_GT(UnlikeNativeTwin(form->m_soso), 0);  // the skin's face is not the system's

  g_highContrast = true;
  skin::TSkinManage::SetHighContrastQuery(TestHighContrast);
  SettingChanged(manager);
  EXPECT_TRUE(manager->Forms().empty());
  EXPECT_FALSE(Skinned(form->Handle()));
  // The system's frame around the same client area.
  EXPECT_EQ(FrameOf(form->Handle()).cx, SystemFrame(form->Handle()).cx);
  EXPECT_EQ(FrameOf(form->Handle()).cy, SystemFrame(form->Handle()).cy);
  EXPECT_EQ(form->ClientWidth(), ui::ScaleValue(606, form->CurrentPPI()));
  for (ui::TWinControl* c : std::initializer_list<ui::TWinControl*>{
           form->m_soso, form->m_keyword, form->m_cid, form->m_sc, form->m_sp})
    EXPECT_FALSE(Skinned(c->Handle())) << c->Name();
  // The push button painted itself as the system draws one: as a plain button of the same style
  // beside it, along its left half (away from the caption).
  EXPECT_EQ(UnlikeNativeTwin(form->m_soso), 0);

  // A window opened meanwhile (and activated) is left native too, as is the program's Active.
  form->m_soso2->Click();
  app::TForm2* advanced = form->AdvancedSearch();
  ASSERT_NE(advanced, nullptr);
  SetForegroundWindow(advanced->Handle());
  wintest::PumpUntil([] { return false; }, 600);  // past the manager's request delay
  EXPECT_FALSE(Skinned(advanced->Handle()));
  EXPECT_TRUE(manager->Forms().empty());
  EXPECT_TRUE(form->SkinData1->Active());

  // Switched off: both windows wear the skin again, without a restart.
  g_highContrast = false;
  SettingChanged(manager);
  ASSERT_TRUE(wintest::PumpUntil(
      [&] { return SkinnedLive(form->Handle()) && SkinnedLive(advanced->Handle()); }, 3000));
  wintest::PumpUntilIdle();
  EXPECT_TRUE(Skinned(form->m_soso->Handle()));
  EXPECT_EQ(FrameOf(form->Handle()).cx, skinnedFrame.cx);
  EXPECT_EQ(FrameOf(form->Handle()).cy, skinnedFrame.cy);

  // The program switches the skin off and the scheme comes and goes before that request ran:
  // the request is not lost.
  form->SkinData1->SetActive(false);
  g_highContrast = true;
  SettingChanged(manager);
  g_highContrast = false;
  SettingChanged(manager);
  wintest::PumpUntil([] { return false; }, 600);
  EXPECT_TRUE(manager->Forms().empty());
  EXPECT_FALSE(Skinned(form->Handle()));
  delete form;
}

// Run again in prefixes whose screen is at 120, 144 and 192 dpi (scripts/test).
TEST_F(ProgramTest, Form1AtSystemDpiIsTheScaledSizeWithItsControlsInPlace) {
  skin::SkinManagerScope scope;
  auto* form = new app::TForm1(nullptr);
  ShowSkinned(form);
  const int ppi = ui::SystemPPI();
  EXPECT_EQ(form->CurrentPPI(), ppi);
  RECT w{};
  GetWindowRect(form->Handle(), &w);
  // 614 x 512 at 96 dpi, as the skin frames it.
  EXPECT_NEAR(w.right - w.left, ui::ScaleValue(614, ppi), 2);
  EXPECT_NEAR(w.bottom - w.top, ui::ScaleValue(512, ppi), 2);
  EXPECT_EQ(form->ClientWidth(), ui::ScaleValue(606, ppi));
  EXPECT_EQ(form->ClientHeight(), ui::ScaleValue(479, ppi));
  EXPECT_EQ(Text(RectIn(form->m_soso->Handle())), Text({538, 4, 63, 24}, ppi));
  EXPECT_EQ(Text(RectIn(form->m_soso2->Handle())), Text({538, 28, 63, 24}, ppi));
  EXPECT_EQ(Text(RectIn(form->m_keyword->Handle())), Text({45, 5, 113, 21}, ppi));
  EXPECT_EQ(Text(RectIn(form->m_web->Handle())), Text({5, 56, 596, 417}, ppi));
  EXPECT_EQ(FontHeightOf(form->m_soso->Handle()), ui::ScaleFontHeight(-11, ppi));
  delete form;
}

// The credit badges follow the window's DPI: the list paints them at the scaled size, and at a
// whole factor each art pixel becomes a square of equal pixels (no blur).
TEST_F(ProgramTest, CreditBadgesArePaintedAtTheWindowsDpiAndStayCrisp) {
  skin::SkinManagerScope scope;
  auto* form = new app::TForm1(nullptr);
  ShowSkinned(form);
  const int base = form->CurrentPPI();
  ui::TImageList art(nullptr, 1, 1);
  app::LoadCreditBadges(art, GetModuleHandleW(nullptr), ui::kDesignPpi);
  ASSERT_EQ(art.Count(), app::kCreditLevelCount);
  const auto art5 = Drawn(art, app::kCreditLevelCount - 1);  // five golden crowns
  RECT w{};
  GetWindowRect(form->Handle(), &w);
  for (const int ppi : {base * 3 / 2, base * 2, base}) {
    SCOPED_TRACE(ppi);
    SendDpiChanged(form->Handle(), ppi,
                   {w.left, w.top, w.left + ui::ScaleValue(w.right - w.left, ppi, base),
                    w.top + ui::ScaleValue(w.bottom - w.top, ppi, base)});
    ASSERT_EQ(form->ImageList2->Width(), ui::ScaleValue(88, ppi));
    ASSERT_EQ(form->ImageList2->Height(), ui::ScaleValue(16, ppi));
    ASSERT_EQ(form->ImageList2->Count(), app::kCreditLevelCount);
    const auto badge = Drawn(*form->ImageList2, app::kCreditLevelCount - 1);
    if (ppi % ui::kDesignPpi == 0) {
      const int k = ppi / ui::kDesignPpi;
      for (int y = 0; y < badge->height(); ++y)
        for (int x = 0; x < badge->width(); ++x)
          ASSERT_EQ(badge->Pixel(x, y) & 0xFFFFFF, art5->Pixel(x / k, y / k) & 0xFFFFFF)
              << x << "," << y;
    }
    // The upper credit list shows the five golden crowns as the window painted them.
    wintest::PumpUntilIdle();
    const auto shot = wintest::CaptureWindowDC(form->Handle());
    RECT list{}, now{};
    GetWindowRect(form->m_ec->Handle(), &list);
    GetWindowRect(form->Handle(), &now);
    OffsetRect(&list, -now.left, -now.top);
    // The whole badge: nothing of the skinned list's drop button from before the change lies
    // over its last crowns.
    const POINT at = FindImage(*shot, list, *badge, badge->width());
    EXPECT_GE(at.x, 0) << "the badge at " << ppi << " dpi is not painted in the list";
  }
  delete form;
}
