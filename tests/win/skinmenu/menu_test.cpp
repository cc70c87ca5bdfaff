// The skinned menus on a real window: the bar that replaces the window's menu (its pixels, hot and
// pressed buttons, layout both ways), pull-downs opened by mouse and keyboard and the moves between
// them, popup-menu windows seen by the manager, the skinned system menu, giving the menu back, and
// handle counts over many open/close cycles. Checks that must run inside a menu's modal loop run
// from a timer procedure, which the loop dispatches.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <vector>

#include "skinframe/FrameTestSupport.h"
#include "ui/Application.h"
#include "ui/ImgList.h"
#include "ui/StdCtrls.h"

using frametest::PumpUntil;
using frametest::Rgb;
using frametest::SkinnedForm;
using frametest::TFrameTestForm;
using skin::ImageRect;
using testskin::TestSkin;

UI_IMPLEMENT_CLASS(frametest::TFrameTestForm, ui::TForm)

namespace {

constexpr int kCaption = 28;

ui::TMenuItem* AddItem(ui::TComponent* owner, ui::TMenuItem* parent, const wchar_t* caption) {
  auto* item = new ui::TMenuItem(owner);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

// A main menu with what menus carry: sub-menus, a shortcut, an image, check and radio marks,
// separators, a disabled item, and a top-level item without a pull-down.
struct TestMenu {
  ui::TMainMenu* menu = nullptr;
  ui::TMenuItem *file = nullptr, *edit = nullptr, *view = nullptr, *go = nullptr, *help = nullptr;
  ui::TMenuItem *open = nullptr, *exit = nullptr, *radioA = nullptr;

  void Build(TFrameTestForm& form, bool rightToLeft = false) {
    menu = new ui::TMainMenu(&form);
    auto* images = new ui::TImageList(&form, 16, 16);
    ui::TBitmap glyph;
    glyph.SetSize(16, 16);
    glyph.Canvas()->Brush()->SetColor(static_cast<ui::TColor>(RGB(0, 160, 0)));
    RECT all{0, 0, 16, 16};
    glyph.Canvas()->FillRect(all);
    images->Add(&glyph, nullptr);
    menu->SetImages(images);
    if (rightToLeft) menu->SetBiDiMode(ui::TBiDiMode::bdRightToLeft);
    ui::TMenuItem* root = menu->Items();
    file = AddItem(&form, root, L"&File");
    edit = AddItem(&form, root, L"&Edit");
    view = AddItem(&form, root, L"&View");
    go = AddItem(&form, root, L"&Go");
    help = AddItem(&form, root, L"&Help");
    open = AddItem(&form, file, L"&Open");
    open->SetShortCut(static_cast<ui::TShortCut>(ui::scCtrl | 'O'));
    open->SetImageIndex(0);
    AddItem(&form, file, L"&Save")->SetChecked(true);
    AddItem(&form, file, L"-");
    ui::TMenuItem* recent = AddItem(&form, file, L"&Recent");
    AddItem(&form, recent, L"one.txt");
    AddItem(&form, file, L"");
    exit = AddItem(&form, file, L"E&xit");
    exit->SetEnabled(false);
    radioA = AddItem(&form, edit, L"Radio &A");
    radioA->SetRadioItem(true);
    radioA->SetChecked(true);
    AddItem(&form, edit, L"Radio &B")->SetRadioItem(true);
    AddItem(&form, view, L"&Status bar")->SetDefault(true);
    AddItem(&form, help, L"&About");
    form.SetMenu(menu);
    form.SetClientSize(606, 479);  // below the system's bar, as the window is made
  }
};

struct MenuForm : TestMenu, SkinnedForm {
  explicit MenuForm(const TestSkin& skin = TestSkin(), bool rightToLeft = false)
      : SkinnedForm(skin, [this, rightToLeft](TFrameTestForm& form) { Build(form, rightToLeft); }) {
  }
  skin::TWinSkinMenu* Bar() const { return Skinner() ? Skinner()->MenuBar() : nullptr; }
  const ImageRect& ButtonRect(int i) const { return Bar()->Button(i)->Rect; }
  POINT ButtonMiddle(int i) const {
    const ImageRect& r = ButtonRect(i);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  int BarMiddleY() const { return kCaption + GetSystemMetrics(SM_CYMENU) / 2; }
};
// Runs `step` from a timer procedure (inside whatever modal loop runs) until it answers false.
struct LoopProbe {
  static inline std::function<bool()> step;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    if (!step || !step()) {
      KillTimer(nullptr, id);
      step = nullptr;
    }
  }
  static void Start(std::function<bool()> s, UINT interval = 60) {
    step = std::move(s);
    SetTimer(nullptr, 0, interval, Tick);
  }
};

HWND MenuWindow() { return FindWindowW(L"#32768", nullptr); }

COLORREF WindowPixel(HWND wnd, int x, int y) {
  ui::WindowDC dc = ui::WindowDC::Whole(wnd);
  return dc ? GetPixel(dc.get(), x, y) & 0xFFFFFF : CLR_INVALID;
}

}  // namespace

TEST(SkinnedMenuBar, TakesTheWindowsMenuAndPaintsItsBarFromTheSkin) {
  TestSkin ts;
  MenuForm f(ts);
  ASSERT_NE(f.Bar(), nullptr);
  EXPECT_EQ(GetMenu(f.Handle()), nullptr);  // the system draws no bar of its own
  EXPECT_EQ(f.Bar()->ButtonCount(), 5);
  const int barHeight = GetSystemMetrics(SM_CYMENU);
  EXPECT_EQ(f.Skinner()->Metrics().MenuBarHeight, barHeight);
  // The client area keeps its size below the bar.
  EXPECT_EQ(f.form->ClientWidth(), 606);
  EXPECT_EQ(f.form->ClientHeight(), 479);
  POINT origin{0, 0};
  ClientToScreen(f.Handle(), &origin);
  EXPECT_EQ(origin.y - f.WindowRect().top, kCaption + barHeight);

  // Buttons run left to right from the element's end piece, each as wide as its caption + 10.
  const ImageRect first = f.ButtonRect(0);
  EXPECT_EQ(first.left, 4 + f.data->FindElement("MenuBar")->LeftWidth() + 4);
  EXPECT_EQ(first.top, kCaption);
  EXPECT_EQ(first.bottom, kCaption + barHeight - 1);
  for (int i = 1; i < 5; ++i) EXPECT_EQ(f.ButtonRect(i).left, f.ButtonRect(i - 1).right);

  // The bar beyond the last button shows the active image; the captions are drawn on it.
  EXPECT_EQ(f.Pixel(600, f.BarMiddleY()), Rgb(ts.FrameColour("MenuBar", 1)));
  int textPixels = 0;
  for (int x = first.left; x < first.right; ++x)
    for (int y = first.top; y < first.bottom; ++y)
      textPixels += f.Pixel(x, y) != Rgb(ts.FrameColour("MenuBar", 1));
  EXPECT_GT(textPixels, 5);
  // Below the caption lies the menu for the hit test.
  EXPECT_EQ(SendMessageW(f.Handle(), WM_NCHITTEST, 0, f.ScreenPoint(600, f.BarMiddleY())), HTMENU);
}

TEST(SkinnedMenuBar, AtAnotherDpiTheBarAndItsItemsGrowWithTheText) {
  MenuForm f;
  ASSERT_NE(f.Bar(), nullptr);
  if (f.Skinner()->Dpi() != 96) GTEST_SKIP() << "the move starts from a 96-dpi display";
  const auto itemHeight = [&] {
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, f.open->Command(), 0, 0, 0};
    SendMessageW(f.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    return static_cast<int>(mis.itemHeight);
  };
  const int bar96 = f.Skinner()->Metrics().MenuBarHeight, item96 = itemHeight();
  const int firstWidth96 = f.ButtonRect(0).width(), firstHeight96 = f.ButtonRect(0).height();

  const RECT w = f.WindowRect();
  RECT suggested{w.left, w.top, w.left + (w.right - w.left) * 3 / 2,
                 w.top + (w.bottom - w.top) * 3 / 2};
  SendMessageW(f.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  wintest::PumpUntilIdle();

  const int bar = f.Skinner()->Metrics().MenuBarHeight;
  EXPECT_GE(bar, bar96 * 3 / 2 - 1);
  // The bar lies below the taller caption and the client area below the bar.
  POINT origin{0, 0};
  ClientToScreen(f.Handle(), &origin);
  EXPECT_EQ(origin.y - f.WindowRect().top, 42 + bar);
  EXPECT_EQ(f.ButtonRect(0).top, 42);
  // Its buttons fill the taller bar as they filled the bar at 96 dpi.
  EXPECT_EQ(f.ButtonRect(0).height() - bar, firstHeight96 - bar96);
  // They and the items below them are measured in the larger text.
  EXPECT_GT(f.ButtonRect(0).width(), firstWidth96);
  EXPECT_GT(itemHeight(), item96);
  EXPECT_EQ(SendMessageW(f.Handle(), WM_NCHITTEST, 0,
                         f.ScreenPoint(f.ButtonMiddle(0).x, f.ButtonMiddle(0).y)),
            HTMENU);
}

namespace {

// The pixels of item `index` of an open pull-down, read from its window in one copy.
struct ItemPixels {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // The item's own background (it may be the selected one): beside its trailing edge, where
  // nothing is drawn.
  COLORREF Background() const { return At(width - 6, height / 2); }
};
ItemPixels ReadItem(HWND popup, HMENU menu, int index) {
  ItemPixels out;
  RECT item{}, w{};
  if (!GetMenuItemRect(nullptr, menu, index, &item) || !GetWindowRect(popup, &w)) return out;
  out.width = item.right - item.left;
  out.height = item.bottom - item.top;
  ui::WindowDC dc = ui::WindowDC::Whole(popup);
  ui::MemoryDC copy = ui::MakeMemoryDC();
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof bi.bmiHeader, out.width, -out.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  ui::GdiBitmap dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !copy || !dib || out.width <= 0 || out.height <= 0) return {};
  ui::SelectGuard select(copy.get(), dib.get());
  BitBlt(copy.get(), 0, 0, out.width, out.height, dc.get(), item.left - w.left, item.top - w.top,
         SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const uint32_t*>(bits);
  for (int i = 0; i < out.width * out.height; ++i)
    out.pixels.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
  return out;
}

// The leading mark of an item: the pixels unlike the background in the first columns that hold
// any, up to the first column of background again (the gap before the caption).
int MarkPixels(const ItemPixels& item) {
  if (item.width < 6) return 0;
  const COLORREF background = item.Background();
  int count = 0;
  bool started = false;
  for (int x = 0; x < item.width; ++x) {
    int column = 0;
    for (int y = 0; y < item.height; ++y) column += item.At(x, y) != background;
    if (column == 0 && started) break;
    started = started || column > 0;
    count += column;
  }
  return count;
}

// Columns between the item's trailing edge and its last drawn pixel, read along the middle row
// (the element's edge pieces, unlike the background, count as the item's edge).
int TrailingGap(const ItemPixels& item) {
  if (item.width < 6) return 0;
  const COLORREF background = item.Background();
  const int y = item.height / 2;
  int x = item.width - 1;
  while (x >= 0 && item.At(x, y) != background) --x;  // the edge piece
  while (x >= 0) {
    bool drawn = false;
    for (int row = 0; row < item.height && !drawn; ++row)
      drawn = row > 1 && row < item.height - 2 && item.At(x, row) != background;
    if (drawn) return item.width - 1 - x;
    --x;
  }
  return item.width;
}

}  // namespace

TEST(SkinnedMenus, AtAnotherDpiTheMarksAndTheItemsPaddingsGrowToo) {
  TestSkin ts;
  MenuForm f(ts);
  ASSERT_NE(f.Bar(), nullptr);
  if (f.Skinner()->Dpi() != 96) GTEST_SKIP() << "the move starts from a 96-dpi display";
  struct Seen {
    int check = 0, radio = 0, shortcutGap = -1;
  };
  // Opens File (its checked "Save", the shortcut of "Open") and then Edit (the chosen radio item)
  // by clicks on the bar, reading the items as the pull-downs painted them.
  const auto look = [&] {
    Seen seen;
    for (int button : {0, 1}) {
      LoopProbe::Start([&, button] {
        HWND menu = MenuWindow();
        if (!menu) return true;
        if (button == 0) {
          seen.check = MarkPixels(ReadItem(menu, f.file->Handle(), 1));
          seen.shortcutGap = TrailingGap(ReadItem(menu, f.file->Handle(), 0));
        } else {
          seen.radio = MarkPixels(ReadItem(menu, f.edit->Handle(), 0));
        }
        EndMenu();
        return false;
      });
      const POINT mid = f.ButtonMiddle(button);
      SendMessageW(f.Handle(), WM_NCLBUTTONDOWN, HTMENU, f.ScreenPoint(mid.x, mid.y));
      wintest::PumpUntilIdle();
    }
    return seen;
  };
  const Seen at96 = look();
  ASSERT_GT(at96.check, 4);
  ASSERT_GT(at96.radio, 4);
  ASSERT_GE(at96.shortcutGap, 10) << "check " << at96.check << " radio " << at96.radio;

  const RECT w = f.WindowRect();
  RECT suggested{w.left, w.top, w.left + (w.right - w.left) * 3 / 2,
                 w.top + (w.bottom - w.top) * 3 / 2};
  SendMessageW(f.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  wintest::PumpUntilIdle();
  const Seen at144 = look();
  // A mark 1.5 times as wide and high covers about 2.25 times the pixels.
  EXPECT_GE(at144.check * 10, at96.check * 18) << at96.check << " -> " << at144.check;
  EXPECT_GE(at144.radio * 10, at96.radio * 18) << at96.radio << " -> " << at144.radio;
  // The shortcut keeps 10 pixels (15 at 150 %) from the item's end; the larger text's trailing
  // bearing may differ by a pixel.
  EXPECT_GE(at144.shortcutGap, at96.shortcutGap + 3) << at96.shortcutGap;
}

// At 150 % the bar's gaps, and the item image's margin, are their 96-dpi lengths scaled: a
// pull-down opened by a real click opens below its button where the scaled gap puts it, and an
// item's glyph is painted past the scaled margin of the MenuItem image.
TEST(SkinnedMenuBar, At150PercentPullDownsOpenAndItemGlyphsSitAtTheScaledPlaces) {
  TestSkin ts;
  ts.SetIni("MenuItem", "LeftWidth", "8");
  MenuForm f(ts);
  ASSERT_NE(f.Bar(), nullptr);
  if (f.Skinner()->Dpi() != 96) GTEST_SKIP() << "the move starts from a 96-dpi display";
  ASSERT_EQ(GetForegroundWindow(), f.Handle());
  struct Seen {
    RECT popup{};
    int glyphLeft = -1;
  };
  // Clicks File on the bar, then reads where its pull-down is and the first glyph column of
  // "Open" (a green image) as the pull-down painted it.
  const auto open = [&] {
    Seen seen;
    LoopProbe::Start([&] {
      HWND menu = MenuWindow();
      if (!menu) return true;
      GetWindowRect(menu, &seen.popup);
      const ItemPixels item = ReadItem(menu, f.file->Handle(), 0);
      for (int x = 0; x < item.width && seen.glyphLeft < 0; ++x)
        for (int y = 0; y < item.height; ++y)
          if (item.At(x, y) == RGB(0, 160, 0)) {
            seen.glyphLeft = x;
            break;
          }
      EndMenu();
      return false;
    });
    const POINT at = f.ButtonMiddle(0);
    const RECT w = f.WindowRect();
    wintest::ClickScreen({w.left + at.x, w.top + at.y});
    PumpUntil([&] { return !LoopProbe::step; }, 3000);
    return seen;
  };
  const auto expectAt = [&](int dpi) {
    SCOPED_TRACE(dpi);
    const auto s = [dpi](int length96) {
      return skin::ScaleLength(length96, skin::Scale::FromDpi(dpi));
    };
    const Seen seen = open();
    const RECT w = f.WindowRect();
    const skin::FrameMetrics& m = f.Skinner()->Metrics();
    // The skin's MenuBar has no end pieces: the first button is a gap (4 at 96 dpi) in.
    EXPECT_EQ(seen.popup.left - w.left, m.LeftWidth + s(4));
    EXPECT_EQ(seen.popup.top - w.top, m.CaptionHeight + m.MenuBarHeight - 1);
    EXPECT_EQ(f.ButtonRect(0).width(), f.Bar()->Button(0)->TextWidth + s(10));
    // One pixel and the MenuItem image's left piece (8 at 96 dpi) in from the item's edge.
    EXPECT_EQ(seen.glyphLeft, s(1) + s(8));
  };
  expectAt(96);

  const RECT w = f.WindowRect();
  RECT suggested{w.left, w.top, w.left + (w.right - w.left) * 3 / 2,
                 w.top + (w.bottom - w.top) * 3 / 2};
  SendMessageW(f.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  wintest::PumpUntilIdle();
  Sleep(GetDoubleClickTime() + 10);  // the second click is not a double click
  expectAt(144);
}

TEST(SkinnedMenuBar, WithoutAMenuBarElementTheBarTakesTheMenubarColour) {
  MenuForm f(TestSkin().Omit("MenuBar"));
  ASSERT_NE(f.Bar(), nullptr);
  EXPECT_EQ(f.Pixel(600, f.BarMiddleY()), RGB(220, 232, 250));
  EXPECT_EQ(f.ButtonRect(0).left, 4 + 6);
}

TEST(SkinnedMenuBar, RightToLeftMenusRunFromTheRightEdge) {
  MenuForm f(TestSkin(), true);
  ASSERT_NE(f.Bar(), nullptr);
  const int frameWidth = f.WindowRect().right - f.WindowRect().left;
  const skin::TDataSkinObject* bar = f.data->FindElement("MenuBar");
  EXPECT_EQ(f.ButtonRect(0).right, frameWidth - 4 - (bar->RightWidth() + 8));
  for (int i = 1; i < 5; ++i) EXPECT_EQ(f.ButtonRect(i).right, f.ButtonRect(i - 1).left);
}

TEST(SkinnedMenuBar, HotAndPressedButtonsAreFramedAndThePullDownIsSkinned) {
  TestSkin ts;
  MenuForm f(ts);
  ASSERT_NE(f.Bar(), nullptr);
  const COLORREF barColour = Rgb(ts.FrameColour("MenuBar", 1));
  const COLORREF frameColour = RGB(254, 254, 255);  // ButtonHilight
  const ImageRect r = f.ButtonRect(0);
  const POINT mid = f.ButtonMiddle(0);
  SendMessageW(f.Handle(), WM_NCMOUSEMOVE, HTMENU, f.ScreenPoint(mid.x, mid.y));
  EXPECT_EQ(f.Bar()->Button(0)->State, skin::kStateHot);
  EXPECT_EQ(f.Pixel(r.left, mid.y), frameColour);
  // Moving on to the empty bar returns it to normal.
  SendMessageW(f.Handle(), WM_NCMOUSEMOVE, HTMENU, f.ScreenPoint(600, mid.y));
  EXPECT_EQ(f.Bar()->Button(0)->State, skin::kStateNormal);
  EXPECT_EQ(f.Pixel(r.left, mid.y), barColour);

  // A click opens the pull-down; inside its loop the button is pressed, the popup is skinned.
  struct Seen {
    int state = 0, open = -1;
    LRESULT skinned = 0;
    COLORREF border = 0, item = 0, buttonEdge = 0;
    size_t popups = 0;
  } seen;
  LoopProbe::Start([&] {
    HWND menu = MenuWindow();
    if (!menu) return true;
    seen.state = f.Bar()->Button(0)->State;
    seen.open = f.Skinner()->OpenMenuIndex();
    seen.skinned = SendMessageW(menu, skin::SM_ISSKINNED, 0, 0);
    seen.popups = f.Manager()->Menus().size();
    seen.buttonEdge = f.Pixel(r.left, mid.y);
    RECT item{};
    GetMenuItemRect(nullptr, f.file->Handle(), 1, &item);  // "Save", not selected
    RECT w{};
    GetWindowRect(menu, &w);
    seen.border = WindowPixel(menu, 1, (w.bottom - w.top) / 2);
    seen.item = WindowPixel(menu, item.right - w.left - 6, (item.top + item.bottom) / 2 - w.top);
    EndMenu();
    return false;
  });
  SendMessageW(f.Handle(), WM_NCLBUTTONDOWN, HTMENU, f.ScreenPoint(mid.x, mid.y));
  wintest::PumpUntilIdle();
  EXPECT_EQ(seen.state, skin::kStatePressed);
  EXPECT_EQ(seen.open, 0);
  EXPECT_EQ(seen.buttonEdge, frameColour);
  EXPECT_EQ(seen.skinned, 1);
  EXPECT_EQ(seen.popups, 1u);
  EXPECT_EQ(seen.border, Rgb(ts.FrameColour("MenuBackground", 1)));
  EXPECT_EQ(seen.item, Rgb(ts.FrameColour("MenuItem", 1)));
  // Closed: the popup's skinner, the hook and the pressed state are gone.
  EXPECT_TRUE(f.Manager()->Menus().empty());
  EXPECT_FALSE(skin::MenuFilterHookInstalled());
  EXPECT_FALSE(f.Skinner()->TrackingMenu());
  EXPECT_EQ(f.Bar()->Button(0)->State, skin::kStateNormal);
}

TEST(SkinnedMenuBar, AltOpensTheFirstPullDownAndTheArrowsWrapBothWays) {
  MenuForm f;
  ASSERT_NE(f.Bar(), nullptr);
  std::vector<int> opened;
  int step = 0;
  LoopProbe::Start([&] {
    HWND menu = MenuWindow();
    const int open = f.Skinner()->OpenMenuIndex();
    if (!menu || open < 0) return step < 40 && ++step;
    if (!opened.empty() && opened.back() == open) return ++step < 60;
    opened.push_back(open);
    // File → (left) Help → (right) File → Escape.
    const WPARAM key = opened.size() == 1 ? VK_LEFT : opened.size() == 2 ? VK_RIGHT : VK_ESCAPE;
    PostMessageW(menu, WM_KEYDOWN, key, 0);
    return opened.size() < 3;
  });
  SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
  wintest::PumpUntilIdle();
  EXPECT_EQ(opened, (std::vector<int>{0, 4, 0}));
  // Escape leaves nothing behind: no hook, no popup, no menu mode, no tracking.
  EXPECT_FALSE(skin::MenuFilterHookInstalled());
  EXPECT_TRUE(f.Manager()->Menus().empty());
  EXPECT_EQ(f.Manager()->MenuMode(), 0);
  EXPECT_FALSE(f.Manager()->PopupMenuUp());
  EXPECT_FALSE(f.Skinner()->TrackingMenu());
  EXPECT_EQ(f.Skinner()->OpenMenuIndex(), -1);
}

TEST(SkinnedMenuBar, ThePointerMovingAlongTheBarSwitchesToThePullDownUnderIt) {
  MenuForm f;
  ASSERT_NE(f.Bar(), nullptr);
  std::vector<int> opened;
  int waited = 0;
  LoopProbe::Start([&] {
    HWND menu = MenuWindow();
    const int open = f.Skinner()->OpenMenuIndex();
    if (!menu || open < 0 || (!opened.empty() && opened.back() == open)) return ++waited < 60;
    opened.push_back(open);
    if (opened.size() == 1) {
      // The pointer goes over "View"; the menu loop sees the move through the message filter.
      const POINT at = f.ButtonMiddle(2);
      const RECT w = f.WindowRect();
      SetCursorPos(w.left + at.x, w.top + at.y);
      PostMessageW(menu, WM_MOUSEMOVE, 0, 0);
      return true;
    }
    EndMenu();
    return false;
  });
  SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
  wintest::PumpUntilIdle();
  SetCursorPos(0, 0);
  EXPECT_EQ(opened, (std::vector<int>{0, 2}));
  EXPECT_FALSE(skin::MenuFilterHookInstalled());
}

TEST(SkinnedMenuBar, AltWithALetterOpensThatPullDownAndButtonsWithoutOneOnlyCommand) {
  MenuForm f;
  ASSERT_NE(f.Bar(), nullptr);
  int open = -1;
  LoopProbe::Start([&] {
    if (!MenuWindow()) return true;
    open = f.Skinner()->OpenMenuIndex();
    EndMenu();
    return false;
  });
  SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'v');
  wintest::PumpUntilIdle();
  EXPECT_EQ(open, 2);

  // "Go" has no pull-down: its command reaches the item's click handler.
  struct Clicks {
    int count = 0;
    void Click(ui::TObject*) { ++count; }
  } clicks;
  f.go->OnClick = ui::MethodOf<&Clicks::Click>(&clicks);
  SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'g');
  wintest::PumpUntilIdle();
  EXPECT_EQ(clicks.count, 1);
  EXPECT_FALSE(skin::MenuFilterHookInstalled());
}

TEST(SkinnedMenuBar, ItemChangesRebuildTheBarAndDetachGivesTheMenuBack) {
  MenuForm f;
  ASSERT_NE(f.Bar(), nullptr);
  f.file->SetCaption(L"&Document");
  auto* tools = AddItem(f.form, f.menu->Items(), L"&Tools");
  AddItem(f.form, tools, L"&Options");
  wintest::PumpUntilIdle();
  ASSERT_EQ(f.Bar()->ButtonCount(), 6);
  EXPECT_EQ(f.Bar()->Button(0)->Caption, L"&Document");
  EXPECT_EQ(f.Bar()->Button(5)->SubMenu, tools->Handle());
  EXPECT_EQ(GetMenu(f.Handle()), nullptr);

  f.Skinner()->Detach();
  EXPECT_EQ(GetMenu(f.Handle()), f.menu->Handle());
  EXPECT_EQ(f.form->ClientWidth(), 606);
  EXPECT_EQ(f.form->ClientHeight(), 479);
}

TEST(SkinnedSystemMenu, EachItemIsDrawnWithTheSkinAndItsEnabledState) {
  TestSkin ts;
  SkinnedForm f(ts);
  // What the menu's owner window is asked to draw.
  static std::map<UINT, UINT> drawn;
  drawn.clear();
  struct Recorder {
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
      if (msg == WM_DRAWITEM) {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        drawn[dis->itemID] = dis->itemState;
      }
      return DefSubclassProc(wnd, msg, wParam, lParam);
    }
  };
  HWND owner = ui::TPopupMenu::PopupWindow();
  ui::SubclassHandle record(owner, Recorder::Proc, 1, 0);
  COLORREF itemPixel = 0;
  LRESULT skinned = 0;
  LoopProbe::Start([&] {
    HWND menu = MenuWindow();
    if (!menu) return true;
    skinned = SendMessageW(menu, skin::SM_ISSKINNED, 0, 0);
    RECT w{};
    GetWindowRect(menu, &w);
    itemPixel = WindowPixel(menu, (w.right - w.left) - 8, 8);
    EndMenu();
    return false;
  });
  SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
  wintest::PumpUntilIdle();
  EXPECT_EQ(skinned, 1);
  EXPECT_EQ(itemPixel, Rgb(ts.FrameColour("MenuItem", 1)));
  ui::TPopupMenu* menu = f.Skinner()->SkinSystemMenu();
  ASSERT_NE(menu, nullptr);
  std::map<UINT, bool> enabledById;
  for (int i = 0; i < menu->Items()->Count(); ++i) {
    ui::TMenuItem* item = menu->Items()->Items(i);
    ASSERT_TRUE(drawn.count(item->Command())) << "item " << i << " not drawn";
    EXPECT_EQ(
        (drawn[item->Command()] & ODS_GRAYED) == 0 && (drawn[item->Command()] & ODS_DISABLED) == 0,
        item->Enabled());
    enabledById[static_cast<UINT>(item->Tag())] = item->Enabled();
  }
  // The form has a minimize box, no maximize box, and is in its normal state.
  EXPECT_TRUE(enabledById[SC_MINIMIZE]);
  EXPECT_FALSE(enabledById[SC_MAXIMIZE]);
  EXPECT_FALSE(enabledById[SC_RESTORE]);
  EXPECT_TRUE(enabledById[SC_CLOSE]);
  EXPECT_EQ(f.Manager()->MenuMode(), 0);
  EXPECT_TRUE(f.Manager()->Menus().empty());
}

TEST(SkinnedSystemMenu, ChoosingMinimiseMakesTheWindowIconic) {
  SkinnedForm f;
  LoopProbe::Start([&] {
    if (!MenuWindow()) return true;
    ui::TPopupMenu* menu = f.Skinner()->SkinSystemMenu();
    for (int i = 0; menu && i < menu->Items()->Count(); ++i)
      if (menu->Items()->Items(i)->Tag() == SC_MINIMIZE)
        PostMessageW(ui::TPopupMenu::PopupWindow(), WM_COMMAND, menu->Items()->Items(i)->Command(),
                     0);
    EndMenu();
    return false;
  });
  SendMessageW(f.Handle(), WM_NCRBUTTONDOWN, HTCAPTION, f.ScreenPoint(300, 14));
  EXPECT_TRUE(PumpUntil([&] { return IsIconic(f.Handle()) != FALSE; }));
}

TEST(SkinnedMenus, ASkinWithoutMenuImagesDrawsItemsInTheColourTable) {
  TestSkin ts;
  ts.Omit("MenuItem").Omit("MenuBackground");
  MenuForm f(ts);
  ASSERT_NE(f.Bar(), nullptr);
  COLORREF item = 0;
  LoopProbe::Start([&] {
    HWND menu = MenuWindow();
    if (!menu) return true;
    RECT r{}, w{};
    GetMenuItemRect(nullptr, f.file->Handle(), 1, &r);
    GetWindowRect(menu, &w);
    item = WindowPixel(menu, r.right - w.left - 6, (r.top + r.bottom) / 2 - w.top);
    EndMenu();
    return false;
  });
  SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
  wintest::PumpUntilIdle();
  EXPECT_EQ(item, RGB(250, 251, 253));  // Menu
}

TEST(SkinnedMenus, HundredsOfItemsEmptyCaptionsAndItemsRemovedWhileOpenAreSurvived) {
  MenuForm f;
  ASSERT_NE(f.Bar(), nullptr);
  for (int i = 0; i < 300; ++i) AddItem(f.form, f.help, i % 7 ? L"Item" : L"");
  // A raw item of foreign code in the same pull-down.
  AppendMenuW(f.help->Handle(), MF_STRING, 0x7001, L"Foreign");
  wintest::PumpUntilIdle();
  bool opened = false;
  LoopProbe::Start([&] {
    if (!MenuWindow()) return true;
    opened = true;
    for (int i = 0; i < 40; ++i) delete f.help->Items(f.help->Count() - 1);
    EndMenu();
    return false;
  });
  SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'h');
  wintest::PumpUntilIdle();
  EXPECT_TRUE(opened);
  EXPECT_TRUE(IsWindow(f.Handle()));
  EXPECT_FALSE(skin::MenuFilterHookInstalled());
}

TEST(SkinnedMenus, ThirtyOpenCloseCyclesGiveEveryHandleBack) {
  MenuForm f;
  ASSERT_NE(f.Bar(), nullptr);
  const auto cycle = [&] {
    for (WPARAM key : {WPARAM{0}, WPARAM{' '}}) {
      LoopProbe::Start(
          [] {
            if (!MenuWindow()) return true;
            EndMenu();
            return false;
          },
          20);
      SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(key));
      wintest::PumpUntilIdle(10);
      Sleep(GetDoubleClickTime() / 10);
    }
  };
  // The system menu refuses a second opening within the double-click time.
  const auto waitOut = [] { Sleep(GetDoubleClickTime() + 10); };
  cycle();
  waitOut();
  const long handles = ui::HandleCounts::Total();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 30; ++i) {
    cycle();
    waitOut();
  }
  EXPECT_EQ(ui::HandleCounts::Total(), handles);
  EXPECT_LE(wintest::LiveGdiObjects(), gdi + 2);
  EXPECT_TRUE(f.Manager()->Menus().empty());
}

// Not a check: holds the skinned pull-downs open on two forms (left to right and right to left)
// long enough for a screenshot of the screen (scripts/menu-screenshot).
TEST(SkinnedMenus, DISABLED_Showcase) {
  MenuForm rtl(TestSkin(), true);
  SetWindowPos(rtl.Handle(), nullptr, 660, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  MenuForm f;
  for (LPARAM key : {LPARAM{'f'}, LPARAM{'e'}}) {
    const DWORD start = GetTickCount();
    LoopProbe::Start([start] {
      if (GetTickCount() - start < 2500) return true;
      EndMenu();
      return false;
    });
    SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_KEYMENU, key);
    wintest::PumpUntilIdle();
  }
}

TEST(SkinnedMenus, AWindowDestroyedWhileItsPullDownIsOpenLeavesNoHookOrPopup) {
  MenuForm f;
  ASSERT_NE(f.Bar(), nullptr);
  bool deleted = false;
  LoopProbe::Start([&] {
    if (!MenuWindow()) return true;
    delete f.form;  // the form, its window and its skinner go inside the menu's loop
    f.form = nullptr;
    deleted = true;
    return false;
  });
  SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
  wintest::PumpUntilIdle();
  ASSERT_TRUE(deleted);
  EXPECT_FALSE(skin::MenuFilterHookInstalled());
  EXPECT_TRUE(skin::SkinManager()->Menus().empty());
  EXPECT_EQ(skin::SkinManager()->MenuMode(), 0);
  EXPECT_FALSE(skin::SkinManager()->PopupMenuUp());
}

namespace {

// Real key strokes, down and up, in the order given.
void Press(std::initializer_list<WORD> keys) {
  std::vector<INPUT> input;
  for (WORD key : keys)
    for (DWORD flags : {0ul, static_cast<DWORD>(KEYEVENTF_KEYUP)}) {
      INPUT i{};
      i.type = INPUT_KEYBOARD;
      i.ki.wVk = key;
      i.ki.dwFlags = flags;
      input.push_back(i);
    }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// The shown popup-menu windows of this thread, with the menus they show.
std::map<HMENU, HWND> ShownMenus() {
  std::map<HMENU, HWND> shown;
  struct Walk {
    static BOOL CALLBACK One(HWND wnd, LPARAM param) {
      wchar_t name[16] = {};
      if (GetClassNameW(wnd, name, 16) && wcscmp(name, L"#32768") == 0 && IsWindowVisible(wnd))
        (*reinterpret_cast<std::map<HMENU, HWND>*>(
            param))[reinterpret_cast<HMENU>(SendMessageW(wnd, MN_GETHMENU, 0, 0))] = wnd;
      return TRUE;
    }
  };
  EnumThreadWindows(GetCurrentThreadId(), Walk::One, reinterpret_cast<LPARAM>(&shown));
  return shown;
}

bool Highlighted(HMENU menu, int position) {
  return (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_HILITE) != 0;
}

// The pixel one in from an item's top-left corner, as its popup window shows it.
COLORREF ItemCornerPixel(HWND popup, HMENU menu, int position) {
  RECT item{}, w{};
  GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &item);
  GetWindowRect(popup, &w);
  return WindowPixel(popup, item.left - w.left + 1, item.top - w.top + 1);
}

struct Clicks {
  int count = 0;
  void Click(ui::TObject*) { ++count; }
};

}  // namespace

TEST(SkinnedMenuBar, ADoubleClickOnABarButtonOpensItsPullDownAsAClickDoes) {
  MenuForm f;
  ASSERT_NE(f.Bar(), nullptr);
  std::vector<int> opened;
  LoopProbe::Start([&] {
    if (!MenuWindow()) return opened.size() < 40 && (opened.push_back(-1), true);
    opened.push_back(f.Skinner()->OpenMenuIndex());
    EndMenu();
    return false;
  });
  const POINT at = f.ButtonMiddle(1);
  PostMessageW(f.Handle(), WM_NCLBUTTONDBLCLK, HTMENU, f.ScreenPoint(at.x, at.y));
  wintest::PumpUntilIdle();
  ASSERT_TRUE(IsWindow(f.Handle()));
  ASSERT_FALSE(opened.empty());
  EXPECT_EQ(opened.back(), 1);
  EXPECT_FALSE(skin::MenuFilterHookInstalled());
  EXPECT_EQ(f.Bar()->Button(1)->State, skin::kStateNormal);
}

// The keyboard through nested pull-downs, with items whose corners let the popup's own picture
// show: Right opens a sub-menu, Left and Escape close it (one level only), Right on a plain item
// moves to the next bar menu, and a letter picks the item it underlines. Every item repainted on
// the way lies on its own popup's picture, also after a sub-menu came and went.
TEST(SkinnedMenuBar, TheKeyboardWalksThroughNestedPullDowns) {
  TestSkin ts;
  ts.KeyCorners("MenuItem", 3).SetIni("MenuItem", "Trans", "1");
  MenuForm f(ts);
  ASSERT_NE(f.Bar(), nullptr);
  ui::TMenuItem* recent = f.file->Items(3);
  ui::TMenuItem* radioB = f.edit->Items(1);
  Clicks clicks;
  radioB->OnClick = ui::MethodOf<&Clicks::Click>(&clicks);
  const COLORREF background = Rgb(ts.FrameColour("MenuBackground", 1));

  struct Seen {
    bool openedSub = false, stayedInFile = false, leftClosedSub = false, escapeClosedSub = false;
    bool rightMovedOn = false;
    COLORREF subItem = 0, parentItem = 0, parentAfterSub = 0;
  } seen;
  int step = 0, waited = 0;
  LoopProbe::Start([&] {
    if (++waited > 100) {
      EndMenu();  // stuck: the menu goes, the checks below tell where
      return false;
    }
    const std::map<HMENU, HWND> shown = ShownMenus();
    const HMENU file = f.file->Handle(), sub = recent->Handle();
    switch (step) {
      case 0:  // File is open with "Open" selected: down to "Recent" (past the separator)
        if (!shown.count(file) || !Highlighted(file, 0)) return true;
        Press({VK_DOWN, VK_DOWN});
        break;
      case 1:
        if (!Highlighted(file, 3)) return true;
        Press({VK_RIGHT});
        break;
      case 2:  // the sub-menu opened, File is still the open bar menu
        if (!shown.count(sub)) return true;
        seen.openedSub = true;
        seen.stayedInFile = f.Skinner()->OpenMenuIndex() == 0 && shown.count(file);
        seen.subItem = ItemCornerPixel(shown.at(sub), sub, 0);
        Press({VK_LEFT});
        break;
      case 3:
        if (shown.count(sub)) return true;
        seen.leftClosedSub = shown.count(file) && f.Skinner()->OpenMenuIndex() == 0;
        Press({VK_RIGHT});
        break;
      case 4:
        if (!shown.count(sub)) return true;
        Press({VK_ESCAPE});
        break;
      case 5:
        if (shown.count(sub)) return true;
        seen.escapeClosedSub = shown.count(file) && f.Skinner()->OpenMenuIndex() == 0;
        Press({VK_UP});  // "Recent" is drawn again, unselected, after its sub-menu went
        break;
      case 6:
        if (!Highlighted(file, 1)) return true;
        seen.parentAfterSub = ItemCornerPixel(shown.at(file), file, 3);
        seen.parentItem = ItemCornerPixel(shown.at(file), file, 0);
        Press({VK_RIGHT});  // "Save" has no sub-menu: on to Edit
        break;
      case 7:
        if (f.Skinner()->OpenMenuIndex() != 1 || !shown.count(f.edit->Handle())) return true;
        seen.rightMovedOn = true;
        Press({'B'});
        ++step;
        return false;
      default:
        return false;
    }
    ++step;
    waited = 0;
    return true;
  });
  SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
  PumpUntil([&] { return clicks.count > 0; }, 3000);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(seen.openedSub);
  EXPECT_TRUE(seen.stayedInFile);
  EXPECT_TRUE(seen.leftClosedSub);
  EXPECT_TRUE(seen.escapeClosedSub);
  EXPECT_TRUE(seen.rightMovedOn);
  EXPECT_EQ(clicks.count, 1);
  EXPECT_EQ(seen.subItem, background);
  EXPECT_EQ(seen.parentItem, background);
  EXPECT_EQ(seen.parentAfterSub, background);
  EXPECT_TRUE(ShownMenus().empty());
  EXPECT_FALSE(skin::MenuFilterHookInstalled());
  EXPECT_EQ(f.Manager()->MenuMode(), 0);
}

namespace {
// A thread of its own that makes a popup-menu window when asked: another program's menu, as far as
// this thread can tell.
class ForeignMenuThread {
 public:
  ForeignMenuThread() {
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, Run, this, 0, &id_);
    WaitForSingleObject(ready_, 5000);
  }
  ~ForeignMenuThread() {
    PostThreadMessageW(id_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
    CloseHandle(ready_);
  }
  // Makes the window (once) and waits until it exists.
  HWND MakeMenuWindow() { return reinterpret_cast<HWND>(SendMessageW(control_, WM_APP, 0, 0)); }

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_APP) {
      static HWND made = nullptr;
      if (!made || !IsWindow(made))
        made = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"#32768", nullptr,
                               WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr, nullptr,
                               nullptr);
      return reinterpret_cast<LRESULT>(made);
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
  }
  static DWORD WINAPI Run(LPVOID param) {
    auto* self = static_cast<ForeignMenuThread*>(param);
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ForeignMenuMaker";
    RegisterClassW(&wc);
    self->control_ = CreateWindowExW(0, L"ForeignMenuMaker", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE,
                                     nullptr, nullptr, nullptr);
    SetEvent(self->ready_);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    DestroyWindow(self->control_);
    return 0;
  }
  HANDLE ready_ = nullptr, thread_ = nullptr;
  DWORD id_ = 0;
  HWND control_ = nullptr;
};

ForeignMenuThread* g_foreign = nullptr;
HHOOK g_filter = nullptr;
HWND g_foreignMenu = nullptr;
LRESULT CALLBACK MakeForeignMenuOnFirstFilter(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_MENU && g_foreign && !g_foreignMenu) g_foreignMenu = g_foreign->MakeMenuWindow();
  return CallNextHookEx(g_filter, code, wParam, lParam);
}
}  // namespace

// Another thread's menu window, made while the pull-down opens and above it on the screen, is not
// the one whose first item gets selected.
TEST(SkinnedMenuBar, ThePullDownsFirstItemIsSelectedInThisThreadsOwnMenuWindow) {
  MenuForm f;
  ASSERT_NE(f.Bar(), nullptr);
  ForeignMenuThread foreign;
  g_foreign = &foreign;
  g_foreignMenu = nullptr;
  g_filter =
      SetWindowsHookExW(WH_MSGFILTER, MakeForeignMenuOnFirstFilter, nullptr, GetCurrentThreadId());
  bool firstSelected = false;
  int waited = 0;
  LoopProbe::Start([&] {
    if (!MenuWindow() || !g_foreignMenu) return ++waited < 40;
    if (!Highlighted(f.file->Handle(), 0) && ++waited < 20) return true;
    firstSelected = Highlighted(f.file->Handle(), 0);
    EndMenu();
    return false;
  });
  SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
  wintest::PumpUntilIdle();
  UnhookWindowsHookEx(g_filter);
  g_foreign = nullptr;
  EXPECT_NE(g_foreignMenu, nullptr);
  EXPECT_TRUE(firstSelected);
}

// Alt+F typed in a skinned window beside the main form (not modal, without a bar of its own) opens
// the main form's File pull-down, as the main form's own Alt+F would.
TEST(SkinnedMenuBar, AnAltLetterInAnotherWindowOpensTheMainFormsPullDown) {
  MenuForm f;
  ASSERT_NE(f.Bar(), nullptr);
  ui::Application->SetMainForm(f.form);
  auto* other = new TFrameTestForm(nullptr);
  other->SetBounds(200, 200, 10, 10);
  other->SetClientSize(240, 120);
  auto* button = new ui::TButton(other);
  button->SetParent(other);
  button->SetBounds(10, 10, 80, 24);
  button->SetCaption(L"Button");
  other->Show();
  SetForegroundWindow(other->Handle());
  ASSERT_TRUE(PumpUntil([&] { return f.Manager()->FindForm(other->Handle()) != nullptr; }));
  button->SetFocus();
  wintest::PumpUntilIdle();

  int opened = -1;
  LoopProbe::Start([&] {
    if (!MenuWindow()) return true;
    opened = f.Skinner()->OpenMenuIndex();
    EndMenu();
    return false;
  });
  std::vector<INPUT> altF(4);
  for (INPUT& i : altF) i.type = INPUT_KEYBOARD;
  altF[0].ki.wVk = VK_MENU;
  altF[1].ki.wVk = 'F';
  altF[2].ki.wVk = 'F';
  altF[2].ki.dwFlags = KEYEVENTF_KEYUP;
  altF[3].ki.wVk = VK_MENU;
  altF[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, altF.data(), sizeof(INPUT));
  const DWORD start = GetTickCount();
  while (opened < 0 && GetTickCount() - start < 2000) {
    ui::Application->ProcessMessages();  // the framework's loop: keys reach the focused control
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  ui::Application->SetMainForm(nullptr);
  delete other;
  wintest::PumpUntilIdle();
  EXPECT_EQ(opened, 0);
}

// With menu items in the skin's switches the main menu is owner-drawn by the framework: its items
// take the skin's look, but an item the application draws itself keeps its own drawing; skinning
// off gives the menu back as it was.
TEST(SkinnedMenuBar, MenuItemsSwitchDrawsTheMainMenuButLeavesTheApplicationsOwnDrawing) {
  TestSkin ts;
  MenuForm f(ts);
  ASSERT_NE(f.Bar(), nullptr);
  struct OwnDrawing {
    void Draw(ui::TObject*, ui::TCanvas* canvas, RECT rect, bool) {
      canvas->Brush()->SetColor(static_cast<ui::TColor>(RGB(200, 0, 200)));
      canvas->FillRect(rect);
    }
  } own;
  f.open->OnDrawItem = ui::MethodOf<&OwnDrawing::Draw>(&own);
  ASSERT_FALSE(f.menu->OwnerDraw());
  // The switch is read when a window is skinned: the skin goes off and on with it.
  f.data->SetActive(false);
  f.Manager()->RunAction();
  f.data->SetSkinControls(f.data->SkinControls() | skin::SetBit(skin::xcMenuItem));
  f.data->SetActive(true);
  f.Manager()->RunAction();
  ASSERT_TRUE(PumpUntil(
      [&] { return f.Skinner() && f.Skinner()->LifecycleState() == skin::TWinSkinForm::kLive; }));
  wintest::PumpUntilIdle();
  EXPECT_TRUE(f.menu->OwnerDraw());
  ui::TMenuItem* save = f.file->Items(1);
  EXPECT_TRUE(static_cast<bool>(save->OnDrawItem));

  COLORREF ownItem = 0, skinItem = 0;
  LoopProbe::Start([&] {
    const std::map<HMENU, HWND> shown = ShownMenus();
    if (!shown.count(f.file->Handle())) return true;
    HWND menu = shown.at(f.file->Handle());
    RECT open{}, saved{}, w{};
    GetMenuItemRect(nullptr, f.file->Handle(), 0, &open);
    GetMenuItemRect(nullptr, f.file->Handle(), 1, &saved);
    GetWindowRect(menu, &w);
    ownItem = WindowPixel(menu, open.right - w.left - 6, (open.top + open.bottom) / 2 - w.top);
    skinItem = WindowPixel(menu, saved.right - w.left - 6, (saved.top + saved.bottom) / 2 - w.top);
    EndMenu();
    return false;
  });
  SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
  wintest::PumpUntilIdle();
  EXPECT_EQ(ownItem, RGB(200, 0, 200));
  EXPECT_EQ(skinItem, Rgb(ts.FrameColour("MenuItem", 1)));

  f.data->SetActive(false);
  f.Manager()->RunAction();
  wintest::PumpUntilIdle();
  EXPECT_FALSE(f.menu->OwnerDraw());
  EXPECT_FALSE(static_cast<bool>(save->OnDrawItem));
  EXPECT_TRUE(static_cast<bool>(f.open->OnDrawItem));
  f.open->OnDrawItem = {};
}

// The skin changes while the user is in the middle of something: a pull-down open, the system
// menu open, a caption button held down. Nothing crashes, each ends as it would have, and every
// handle comes back.
TEST(SkinnedMenus, ASkinSwitchWhileAMenuOrAButtonPressIsInProgress) {
  TestSkin first;
  TestSkin second;
  second.SetFrameSize("Top", 632, 32).SetFrameSize("Left", 6, 100);
  MenuForm f(first);
  ASSERT_NE(f.Bar(), nullptr);
  const std::vector<uint8_t> streams[2] = {second.Stream(), first.Stream()};
  int which = 0;
  const auto switchSkin = [&] {
    f.data->LoadSkinStream(streams[which++ % 2]);
    f.Manager()->RunAction();
  };
  const auto inMenu = [&](WPARAM sysCommand, LPARAM key) {
    // A second system menu within the double-click time would be taken for a double click.
    if (key == ' ') Sleep(GetDoubleClickTime() + 10);
    bool switched = false;
    LoopProbe::Start([&] {
      if (!MenuWindow()) return true;
      if (!switched) {
        switched = true;
        switchSkin();
        return true;
      }
      EndMenu();
      return false;
    });
    SendMessageW(f.Handle(), WM_SYSCOMMAND, sysCommand, key);
    wintest::PumpUntilIdle();
    return switched;
  };
  // A warm-up round, then counted rounds.
  ASSERT_TRUE(inMenu(SC_KEYMENU, 'f'));
  ASSERT_TRUE(inMenu(SC_KEYMENU, ' '));
  const long handles = ui::HandleCounts::Total();
  const long gdi = wintest::LiveGdiObjects();
  for (int round = 0; round < 4; ++round) {
    EXPECT_TRUE(inMenu(SC_KEYMENU, 'f'));
    EXPECT_TRUE(inMenu(SC_KEYMENU, ' '));
    // The close button held down through a switch, then released away from it: nothing closes.
    const RECT w = f.WindowRect();
    SetCursorPos(w.right - 25 + 10, w.top + 15);
    wintest::PumpUntilIdle();
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &press, sizeof press);
    wintest::PumpUntilIdle();
    switchSkin();
    wintest::PumpUntilIdle();
    SetCursorPos(w.left + 300, w.top + 200);
    INPUT release = press;
    release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &release, sizeof release);
    wintest::PumpUntilIdle();
    ASSERT_TRUE(IsWindowVisible(f.Handle()));
  }
  EXPECT_FALSE(skin::MenuFilterHookInstalled());
  EXPECT_TRUE(f.Manager()->Menus().empty());
  EXPECT_EQ(f.Manager()->MenuMode(), 0);
  EXPECT_EQ(ui::HandleCounts::Total(), handles);
  EXPECT_LE(wintest::LiveGdiObjects(), gdi + 2);
  EXPECT_EQ(f.form->ClientWidth(), 606);
  EXPECT_EQ(f.form->ClientHeight(), 479);
}

namespace {

// The pull-downs and system menus a probe saw opening, each closed again once seen; the probe
// keeps watching for `quietTicks` ticks after the last one closed so that a menu opened late is
// seen (and closed) too.
struct OpenedMenus {
  std::vector<HMENU> menus;
  std::vector<LRESULT> skinned;
  int quiet = 0;
  void Watch(int quietTicks, std::function<void()> onFirst = {}) {
    LoopProbe::Start([this, quietTicks, onFirst] {
      HWND menu = MenuWindow();
      if (!menu || !IsWindowVisible(menu)) return ++quiet < quietTicks;
      quiet = 0;
      const auto shown = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
      if (!menus.empty() && menus.back() == shown) return true;
      menus.push_back(shown);
      skinned.push_back(SendMessageW(menu, skin::SM_ISSKINNED, 0, 0));
      if (menus.size() == 1 && onFirst) return onFirst(), true;
      EndMenu();
      return menus.size() < 5;
    });
  }
};

}  // namespace

// The system menu from the mouse and the keyboard, as a user opens it: a real click on the
// caption's icon, then a real Alt+Space. Each time the skinned popup shows.
TEST(SkinnedSystemMenu, ARealClickOnTheIconAndARealAltSpaceOpenIt) {
  SkinnedForm f;
  ASSERT_EQ(GetForegroundWindow(), f.Handle());
  OpenedMenus seen;
  seen.Watch(8);
  const RECT w = f.WindowRect();
  wintest::ClickScreen({w.left + 12, w.top + 12});
  PumpUntil([&] { return !seen.menus.empty() && !LoopProbe::step; });
  ASSERT_EQ(seen.menus.size(), 1u);
  EXPECT_EQ(seen.skinned[0], 1);
  EXPECT_TRUE(IsWindowVisible(f.Handle()));

  Sleep(GetDoubleClickTime() + 10);  // a second request within that time would close the window
  OpenedMenus keyboard;
  keyboard.Watch(8);
  wintest::PressKey(VK_SPACE, true);
  PumpUntil([&] { return !keyboard.menus.empty() && !LoopProbe::step; });
  ASSERT_EQ(keyboard.menus.size(), 1u);
  EXPECT_EQ(keyboard.skinned[0], 1);
  EXPECT_TRUE(f.Manager()->Menus().empty());
  EXPECT_EQ(f.Manager()->MenuMode(), 0);
}

// Alt pressed while a pull-down opened by a real click is up ends the whole menu: no other
// pull-down opens (neither the next one nor, from Alt's release, the first), the bar is back to
// normal and the frame no longer tracks.
TEST(SkinnedMenuBar, AltInAnOpenPullDownClosesTheMenusAndOpensNoOther) {
  MenuForm f;
  ASSERT_NE(f.Bar(), nullptr);
  ASSERT_EQ(GetForegroundWindow(), f.Handle());
  OpenedMenus seen;
  bool trackingInside = false;
  seen.Watch(10, [&] {
    trackingInside = f.Skinner()->TrackingMenu();
    Press({VK_MENU});
  });
  const POINT at = f.ButtonMiddle(2);
  const RECT w = f.WindowRect();
  wintest::ClickScreen({w.left + at.x, w.top + at.y});
  PumpUntil([&] { return !LoopProbe::step; }, 5000);
  ASSERT_EQ(seen.menus.size(), 1u) << "a pull-down opened after Alt";
  EXPECT_EQ(seen.menus[0], f.view->Handle());
  EXPECT_TRUE(trackingInside);
  EXPECT_FALSE(f.Skinner()->TrackingMenu());
  EXPECT_EQ(f.Skinner()->OpenMenuIndex(), -1);
  EXPECT_FALSE(skin::MenuFilterHookInstalled());
  for (int i = 0; i < f.Bar()->ButtonCount(); ++i)
    EXPECT_EQ(f.Bar()->Button(i)->State, skin::kStateNormal) << "button " << i;
}
