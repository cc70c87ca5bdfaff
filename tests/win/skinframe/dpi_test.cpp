// The skinned frame when its window moves to another DPI: the test sends WM_DPICHANGED itself
// (one monitor under Xvfb, so the system never does) and reads what the window painted.
#include <gtest/gtest.h>

#include <algorithm>

#include "FrameTestSupport.h"
#include "GdiCreations.h"
#include "SkinPack.h"
#include "ui/Application.h"

using frametest::PumpUntil;
using frametest::Rgb;
using frametest::TFrameTestForm;
using testskin::TestSkin;

namespace {

// The test skin's caption is 28 pixels high; its close button is 21 x 21, 25 pixels left of the
// right edge and 5 down.
constexpr int kCaption = 28;

// Larger art of one colour per frame: a colour the 96-dpi image has nowhere.
skin::Colour LargerColour(int frame) { return skin::MakeColour(200, 30 + frame, 90); }

skin::PixelBuffer Stacked(int width, int frameHeight, int frames) {
  skin::PixelBuffer image(width, frameHeight * frames, 24);
  for (int f = 0; f < frames; ++f)
    image.FillRect(0, f * frameHeight, width, (f + 1) * frameHeight, LargerColour(f + 1));
  return image;
}

// The test skin with art for 200 %: a caption image twice the 96-dpi one, and a left border
// whose larger art has the wrong size (it must be left out, the 96-dpi image scaled instead).
std::vector<uint8_t> PayloadWithLargerArt(const TestSkin& ts) {
  std::vector<skinpack::PackageEntry> entries = ts.Entries();
  entries.insert(entries.begin(), {"frametop@2x.bmp", skin::EncodeBmp(Stacked(1264, 56, 2))});
  entries.insert(entries.begin(), {"frameleft@2x.bmp", skin::EncodeBmp(Stacked(9, 200, 1))});
  const std::vector<uint8_t> stream = skinpack::EncodeSkinStream(skinpack::BuildPackage(entries));
  std::vector<uint8_t> out(4 + stream.size());
  const uint32_t n = static_cast<uint32_t>(stream.size());
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(n >> (8 * i));
  std::copy(stream.begin(), stream.end(), out.begin() + 4);
  return out;
}

struct DpiForm : frametest::SkinnedForm {
  using SkinnedForm::SkinnedForm;

  // The window moves to `dpi`: the system's suggestion is the window scaled about its corner.
  void MoveTo(int dpi, int from) {
    const RECT w = WindowRect();
    RECT suggested{w.left, w.top, w.left + MulDiv(w.right - w.left, dpi, from),
                   w.top + MulDiv(w.bottom - w.top, dpi, from)};
    SendMessageW(Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    wintest::PumpUntilIdle();
  }
  int CaptionHeight() const {
    POINT origin{0, 0};
    ClientToScreen(Handle(), &origin);
    return origin.y - WindowRect().top;
  }
  RECT CloseRect() const {
    for (const auto& b : Skinner()->SysButtons())
      if (b->Action() == skin::kActionClose) {
        const skin::ImageRect r = b->Rect;
        return {r.left, r.top, r.right, r.bottom};
      }
    return {};
  }
  LRESULT HitAt(int x, int y) const {
    return SendMessageW(Handle(), WM_NCHITTEST, 0, ScreenPoint(x, y));
  }
};

}  // namespace

TEST(SkinnedFrameDpi, TenRoundTripsTo150PercentScaleTheFrameAndGiveEveryHandleBack) {
  TestSkin ts;
  DpiForm f(PayloadWithLargerArt(ts));
  ASSERT_NE(f.Skinner(), nullptr);
  if (f.Skinner()->Dpi() != 96) GTEST_SKIP() << "the round trips start from a 96-dpi display";
  const RECT first = f.WindowRect();
  const int width96 = first.right - first.left;
  ASSERT_EQ(f.CaptionHeight(), kCaption);

  const auto at96 = [&](const char* when) {
    SCOPED_TRACE(when);
    const RECT w = f.WindowRect();
    const int width = w.right - w.left;
    EXPECT_EQ(width, width96);
    EXPECT_EQ(f.CaptionHeight(), kCaption);
    const RECT close = f.CloseRect();
    EXPECT_EQ(close.left, width - 25);
    EXPECT_EQ(close.right, width - 4);
    EXPECT_EQ(close.top, 5);
    EXPECT_EQ(close.bottom, 26);
    EXPECT_EQ(f.HitAt((close.left + close.right) / 2, 15), HTCLOSE);
    // The skin's own images again, not the larger art.
    EXPECT_EQ(f.Pixel(300, 14), Rgb(ts.FrameColour("Top", 1)));
    EXPECT_EQ(f.Pixel(close.left + 10, 15), Rgb(ts.FrameColour("BUTTON.CLOSE", 1)));
  };
  const auto at144 = [&](const char* when) {
    SCOPED_TRACE(when);
    const RECT w = f.WindowRect();
    const int width = w.right - w.left;
    EXPECT_EQ(width, MulDiv(width96, 3, 2));
    // round(28 x 1.5)
    EXPECT_EQ(f.CaptionHeight(), 42);
    EXPECT_EQ(f.Skinner()->Metrics().CaptionHeight, 42);
    // The left border (4 pixels) at 6, from its own image: its larger art has the wrong size.
    EXPECT_EQ(f.Skinner()->Metrics().LeftWidth, 6);
    EXPECT_EQ(f.Pixel(1, 200), Rgb(ts.FrameColour("Left", 1)));
    // Close: 25 - 21 = 4 from the right edge and 5 down, each edge scaled (half up).
    const RECT close = f.CloseRect();
    EXPECT_EQ(close.left, width - 38);
    EXPECT_EQ(close.right, width - 6);
    EXPECT_EQ(close.top, 8);
    EXPECT_EQ(close.bottom, 39);
    EXPECT_EQ(f.HitAt((close.left + close.right) / 2, (close.top + close.bottom) / 2), HTCLOSE);
    EXPECT_EQ(f.HitAt(close.left - 3, 20), HTCAPTION);
    // The caption comes from the skin's larger art, the close button scaled from its image; the
    // client area starts where the larger caption ends.
    EXPECT_EQ(f.Pixel(300, 14), Rgb(LargerColour(1)));
    EXPECT_EQ(f.Pixel(300, 40), Rgb(LargerColour(1)));
    EXPECT_EQ(f.Pixel(close.left + 15, 23), Rgb(ts.FrameColour("BUTTON.CLOSE", 1)));
  };

  f.MoveTo(144, 96);
  at144("first move to 144");
  f.MoveTo(96, 144);
  at96("first move back");
  const long handles = ui::HandleCounts::Total();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 10; ++i) {
    f.MoveTo(144, 96);
    if (i == 9) at144("tenth move to 144");
    f.MoveTo(96, 144);
  }
  at96("after ten round trips");
  EXPECT_EQ(ui::HandleCounts::Total(), handles);
  EXPECT_LE(wintest::LiveGdiObjects(), gdi + 2);
}

TEST(SkinnedFrameDpi, At150PercentKeyedButtonsShowTheCaptionAndRepaintsMakeNoGdiObject) {
  TestSkin ts;
  ts.KeyCorners("BUTTON.CLOSE", 4);
  DpiForm f(ts);
  ASSERT_NE(f.Skinner(), nullptr);
  if (f.Skinner()->Dpi() != 96) GTEST_SKIP() << "the move starts from a 96-dpi display";
  f.MoveTo(144, 96);
  ASSERT_EQ(f.Skinner()->Metrics().CaptionHeight, 42);
  skin::TWinSysButton* closeButton = nullptr;
  for (const auto& b : f.Skinner()->SysButtons())
    if (b->Action() == skin::kActionClose) closeButton = b.get();
  ASSERT_NE(closeButton, nullptr);
  // The key squares (4 pixels, 6 at 150 %) show the caption; the rest of the button its image.
  const auto looksRight = [&](const char* when) {
    SCOPED_TRACE(when);
    const RECT close = f.CloseRect();
    EXPECT_EQ(f.Pixel(close.left + 1, close.top + 1), Rgb(ts.FrameColour("Top", 1)));
    EXPECT_EQ(f.Pixel(close.right - 2, close.top + 1), Rgb(ts.FrameColour("Top", 1)));
    EXPECT_EQ(f.Pixel(close.left + 1, close.bottom - 2), Rgb(ts.FrameColour("BUTTON.CLOSE", 1)));
    EXPECT_EQ(f.Pixel(close.left + 15, close.top + 15), Rgb(ts.FrameColour("BUTTON.CLOSE", 1)));
  };
  looksRight("as the move painted it");

  // Whole repaints and a button changing state, as hovering does, make and free nothing.
  frametest::GdiCreations made;
  ASSERT_TRUE(made.Active());
  for (int i = 0; i < 20; ++i) {
    SendMessageW(f.Handle(), WM_NCPAINT, 1, 0);
    closeButton->State = i % 2 ? skin::kStateNormal : skin::kStateHot;
    closeButton->Paint();
  }
  EXPECT_EQ(made.Made(), 0);
  looksRight("after the repaints");
}

namespace {

// A 16 x 16 icon: red left half, green right half, its bottom half masked out.
ui::IconHandle HalfMaskedIcon() {
  HDC screen = GetDC(nullptr);
  ui::GdiBitmap colour(CreateCompatibleBitmap(screen, 16, 16));
  ReleaseDC(nullptr, screen);
  WORD maskRows[16];
  for (int y = 0; y < 16; ++y) maskRows[y] = y < 8 ? 0x0000 : 0xFFFF;
  ui::GdiBitmap mask(CreateBitmap(16, 16, 1, 1, maskRows));
  ui::MemoryDC dc = ui::MakeMemoryDC();
  {
    ui::SelectGuard select(dc.get(), colour.get());
    const RECT red{0, 0, 8, 8}, green{8, 0, 16, 8}, below{0, 8, 16, 16};
    SetDCBrushColor(dc.get(), RGB(255, 0, 0));
    FillRect(dc.get(), &red, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc.get(), RGB(0, 255, 0));
    FillRect(dc.get(), &green, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    FillRect(dc.get(), &below, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
  return ui::IconHandle(CreateIconIndirect(&info));
}

}  // namespace

// The icon at 150 %: drawn at the scaled small-icon size where the skin places it, the caption
// showing through its mask, by repaints that make nothing (no icon drawn by the system each time).
TEST(SkinnedFrameDpi, At150PercentTheIconIsDrawnAtItsScaledSizeFromOnePicture) {
  TestSkin ts;
  DpiForm f(ts);
  ASSERT_NE(f.Skinner(), nullptr);
  if (f.Skinner()->Dpi() != 96) GTEST_SKIP() << "the move starts from a 96-dpi display";
  const ui::IconHandle icon = HalfMaskedIcon();
  ASSERT_TRUE(icon);
  // The frame shows the application's icon where it has one, else the window's: both get it.
  const HWND app = ui::Application ? ui::Application->Handle() : nullptr;
  const auto appIcon = [&](WPARAM kind) {
    return app ? reinterpret_cast<LPARAM>(SendMessageW(app, WM_GETICON, kind, 0)) : 0;
  };
  const LPARAM appSmall = appIcon(ICON_SMALL), appBig = appIcon(ICON_BIG);
  for (WPARAM kind : {ICON_SMALL, ICON_BIG}) {
    if (app) SendMessageW(app, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon.get()));
    SendMessageW(f.Handle(), WM_SETICON, kind, reinterpret_cast<LPARAM>(icon.get()));
  }
  f.MoveTo(144, 96);
  RECT r{};
  for (const auto& b : f.Skinner()->SysButtons())
    if (b->ShowsIcon()) r = {b->Rect.left, b->Rect.top, b->Rect.right, b->Rect.bottom};
  const auto looksRight = [&](const char* when) {
    SCOPED_TRACE(when);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSMICON) * 3 / 2);
    EXPECT_EQ(f.Pixel(r.left + 2, r.top + 2), RGB(255, 0, 0));
    EXPECT_EQ(f.Pixel(r.left + 9, r.top + 9), RGB(255, 0, 0));
    EXPECT_EQ(f.Pixel(r.right - 3, r.top + 2), RGB(0, 255, 0));
    EXPECT_EQ(f.Pixel(r.left + 2, r.bottom - 3), Rgb(ts.FrameColour("Top", 1)));
    EXPECT_EQ(f.Pixel(r.right - 3, r.top + 13), Rgb(ts.FrameColour("Top", 1)));
  };
  looksRight("as the move painted it");
  frametest::GdiCreations made;
  for (int i = 0; i < 10; ++i) SendMessageW(f.Handle(), WM_NCPAINT, 1, 0);
  EXPECT_EQ(made.Made(), 0);
  looksRight("after the repaints");

  if (app) {
    SendMessageW(app, WM_SETICON, ICON_SMALL, appSmall);
    SendMessageW(app, WM_SETICON, ICON_BIG, appBig);
  }
}

// Run at 96 dpi with the rest, and by `scripts/wintest --dpi N` in a prefix whose display has N
// dots per inch: the window opens at the system's DPI and its frame is made for it.
TEST(SkinnedFrameDpi, TheFrameIsMadeForTheDisplayItOpensOnAtSystemDpi) {
  TestSkin ts;
  DpiForm f(PayloadWithLargerArt(ts));
  ASSERT_NE(f.Skinner(), nullptr);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(f.Skinner()->Dpi(), dpi);
  // round(28 x dpi / 96), half up.
  const int caption = (kCaption * dpi * 2 + 96) / (2 * 96);
  EXPECT_EQ(f.CaptionHeight(), caption);
  // The client area the form asked for lies inside the frame made for this DPI.
  const RECT w = f.WindowRect();
  EXPECT_EQ(w.bottom - w.top,
            f.form->ClientHeight() + caption + f.Skinner()->Metrics().BottomHeight);
  // Above 100 % the caption comes from the larger art; at 100 % from the image itself.
  EXPECT_EQ(f.Pixel(300, caption / 2), Rgb(dpi > 96 ? LargerColour(1) : ts.FrameColour("Top", 1)));
}

// The skin taken off after a move to 150 %: the window keeps the client area it had, in the
// system's own frame for the window's DPI (each of its sizes rounded on its own, not the 96-dpi
// frame scaled). The system's DPI of the window is the one a real move's WM_DPICHANGED carries;
// here, where the test sends the message, it may have stayed the display's.
TEST(SkinnedFrameDpi, TheSkinTakenOffAt150PercentKeepsTheClientAreaInTheSystemsFrame) {
  using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  using DpiForWindowFn = UINT(WINAPI*)(HWND);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const auto adjust = reinterpret_cast<AdjustForDpiFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "AdjustWindowRectExForDpi")));
  const auto dpiOf = reinterpret_cast<DpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
  if (!adjust || !dpiOf) GTEST_SKIP() << "the system tells no frame for another DPI";
  TestSkin ts;
  DpiForm f(ts);
  ASSERT_NE(f.Skinner(), nullptr);
  if (f.Skinner()->Dpi() != 96) GTEST_SKIP() << "the move starts from a 96-dpi display";
  f.MoveTo(144, 96);
  RECT skinned{};
  GetClientRect(f.Handle(), &skinned);
  EXPECT_NEAR(skinned.right, 606 * 3 / 2, 1);
  EXPECT_NEAR(skinned.bottom, 479 * 3 / 2, 1);

  f.data->SetActive(false);
  f.Manager()->RunAction();
  wintest::PumpUntilIdle();
  ASSERT_EQ(f.Skinner(), nullptr);
  RECT client{};
  GetClientRect(f.Handle(), &client);
  EXPECT_EQ(client.right, skinned.right);
  EXPECT_EQ(client.bottom, skinned.bottom);
  RECT frame{0, 0, 0, 0};
  ASSERT_TRUE(adjust(&frame, static_cast<DWORD>(GetWindowLongPtrW(f.Handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(f.Handle(), GWL_EXSTYLE)),
                     dpiOf(f.Handle())));
  const RECT w = f.WindowRect();
  EXPECT_EQ(w.right - w.left, skinned.right + (frame.right - frame.left));
  EXPECT_EQ(w.bottom - w.top, skinned.bottom + (frame.bottom - frame.top));
}
