// The skin gallery window: skinned beside its native twins, and freed without a trace after many
// create/show/paint/free cycles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <set>

#include "GalleryTestSupport.h"
#include "TestSkin.h"
#include "gallery/GalleryForm.h"
#include "gallery/GalleryLayout.h"
#include "skin/controls/SkinnerRegistry.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/WinSkinMenu.h"
#include "skin/manager/ControlClassifier.h"
#include "skin/manager/WinSkinManage.h"
#include "skinframe/FrameTestSupport.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/Buttons.h"
#include "ui/CheckCtrls.h"
#include "ui/DateTimeCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/HeaderCtrls.h"
#include "ui/ListCtrls.h"
#include "ui/MPlayer.h"
#include "ui/Menus.h"
#include "ui/RangeCtrls.h"
#include "ui/Spin.h"
#include "ui/StatusBar.h"
#include "ui/StdCtrls.h"
#include "ui/TabCtrls.h"
#include "ui/UpDown.h"

namespace {

using gallerytest::ShowGallery;

// SM_ISSKINNED through the window, or through the message handler of a window-less control.
LRESULT AskSkinned(ui::TControl* control) {
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control))
    return SendMessageW(windowed->Handle(), skin::SM_ISSKINNED, 0, 0);
  return control->Perform(skin::SM_ISSKINNED, 0, 0);
}

long Counters() { return ui::HandleCounts::Total() + ui::LiveFrameworkWindows(); }

}  // namespace

TEST(SkinGallery, EveryRowHasASkinnedControlAndANativeTwin) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  gallery::TGalleryForm* form = ShowGallery();
  skin::TWinSkinForm* skinner = skin::SkinManager()->FindForm(form->Handle());
  ASSERT_NE(skinner, nullptr);
  ASSERT_FALSE(form->Rows().empty());
  size_t withSkinner = 0;
  for (const auto& row : form->Rows()) {
    SCOPED_TRACE(std::string(row.title.begin(), row.title.end()));
    ASSERT_NE(row.native, nullptr);
    ASSERT_NE(row.skinned, nullptr);
    EXPECT_EQ(row.native->Tag(), 99);
    EXPECT_NE(AskSkinned(row.native), 1);
    // Every kind the rules give a skinner to wears it in the skinned column; plain boxes are
    // recoloured and listed, never hooked.
    const skin::ControlDecision decision =
        skin::DecideControl(skin::GatherFacts(row.skinned), skin::SwitchesOf(*form->SkinData1));
    if (row.skinned->Is<ui::TCustomPanel>()) {
      ++withSkinner;
      EXPECT_TRUE(skinner->IsControlSkinned(row.skinned));
      EXPECT_FALSE(skinner->IsControlSkinned(row.native));
    } else if (skin::HasSkinner(decision.kind)) {
      ++withSkinner;
      EXPECT_EQ(AskSkinned(row.skinned), 1);
    }
    // Controls with window scroll bars carry overlays over them.
    if (row.skinned->Is<ui::TListBox>() || row.skinned->Is<ui::TMemo>() ||
        row.skinned->Is<ui::TListView>() || row.skinned->Is<ui::TTreeView>()) {
      EXPECT_EQ(AskSkinned(row.skinned), 1);
      // Beside the control, in the rows area.
      EXPECT_TRUE(FindWindowExW(form->RowsArea()->Handle(), nullptr, L"TWScrollbar", nullptr));
    }
    // A spin edit's button is skinned with its edit, and stays native with its twin.
    if (auto* spin = dynamic_cast<ui::TSpinEdit*>(row.skinned)) {
      EXPECT_EQ(SendMessageW(spin->Button()->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
    }
    if (auto* spin = dynamic_cast<ui::TSpinEdit*>(row.native)) {
      EXPECT_NE(SendMessageW(spin->Button()->Handle(), skin::SM_ISSKINNED, 0, 0), 1);
    }
  }
  // The gallery shows what the engine skins: nearly every row has a skinner.
  EXPECT_GE(withSkinner * 4, form->Rows().size() * 3);
  delete form;
}

// Fifty cycles: each makes, skins, paints and frees every row of every family (under a second a
// cycle under Wine).
TEST(SkinGallery, FiftyCreateShowPaintFreeCyclesGiveEveryHandleBack) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  delete ShowGallery();  // warm-up: the system's caches
  const long counters = Counters();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 50; ++i) {
    gallery::TGalleryForm* form = ShowGallery();
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    delete form;
  }
  EXPECT_EQ(Counters(), counters);
  EXPECT_LE(wintest::LiveGdiObjects(), gdi + 2);
  EXPECT_EQ(FindWindowW(L"TWScrollbar", nullptr), nullptr);  // no overlay outlives its host
  EXPECT_TRUE(skin::SkinManager() == nullptr || skin::SkinManager()->Forms().empty());
}

namespace {
skin::TWinSkinForm* LiveSkinner(HWND wnd) {
  skin::TWinSkinForm* s = skin::SkinManager()->FindForm(wnd);
  return s && s->LifecycleState() == skin::TWinSkinForm::kLive ? s : nullptr;
}
}  // namespace

// The gallery's own menu switches the skin off and on: the bar goes back to a real menu and
// returns as a drawn one, and the switches give back every handle.
TEST(SkinGallery, MenuBarSwitchesTheSkinOffAndOnCleanly) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  gallery::TGalleryForm* form = ShowGallery();
  const HWND wnd = form->Handle();
  ui::TMenuItem* galleryMenu = form->Menu()->Items()->Items(0);
  ui::TMenuItem* skinOn = galleryMenu->Items(0);
  ui::TMenuItem* skinOff = galleryMenu->Items(1);
  ASSERT_NE(LiveSkinner(wnd), nullptr);
  ASSERT_NE(LiveSkinner(wnd)->MenuBar(), nullptr);
  EXPECT_EQ(LiveSkinner(wnd)->MenuBar()->ButtonCount(), form->Menu()->Items()->Count());
  EXPECT_EQ(GetMenu(wnd), nullptr);  // the frame draws the bar itself

  auto switchTo = [&](ui::TMenuItem* item, bool skinned) {
    item->Click();
    EXPECT_TRUE(wintest::PumpUntil([&] { return (LiveSkinner(wnd) != nullptr) == skinned; }, 3000));
    wintest::PumpUntilIdle(400);  // the controls follow their window after the manager's delay
    EXPECT_TRUE(item->Checked());
  };
  switchTo(skinOff, false);
  EXPECT_EQ(GetMenu(wnd), form->Menu()->Handle());
  switchTo(skinOn, true);
  EXPECT_EQ(GetMenu(wnd), nullptr);
  // A second round first: a control given its own colour back keeps the brush it then makes.
  switchTo(skinOff, false);
  switchTo(skinOn, true);

  const long counters = Counters();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 5; ++i) {
    switchTo(skinOff, false);
    switchTo(skinOn, true);
  }
  EXPECT_EQ(Counters(), counters);
  EXPECT_LE(wintest::LiveGdiObjects(), gdi + 2);
  delete form;
}

// The right-to-left switch lays the drawn bar out again from the right edge.
TEST(SkinGallery, RightToLeftMenuRunsFromTheRightEdge) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  gallery::TGalleryForm* form = ShowGallery();
  const HWND wnd = form->Handle();
  ui::TMenuItem* rightToLeft = form->Menu()->Items()->Items(1)->Items(1);
  auto firstButtonLeft = [&] {
    skin::TWinSkinForm* s = LiveSkinner(wnd);
    return s && s->MenuBar() && s->MenuBar()->ButtonCount() > 0 ? s->MenuBar()->Button(0)->Rect.left
                                                                : -1;
  };
  RECT window;
  GetWindowRect(wnd, &window);
  const int width = window.right - window.left;
  ASSERT_GE(firstButtonLeft(), 0);
  EXPECT_LT(firstButtonLeft(), width / 2);
  rightToLeft->Click();
  EXPECT_TRUE(wintest::PumpUntil([&] { return firstButtonLeft() > width / 2; }, 3000));
  rightToLeft->Click();
  EXPECT_TRUE(wintest::PumpUntil(
      [&] { return firstButtonLeft() >= 0 && firstButtonLeft() < width / 2; }, 3000));
  delete form;
}

namespace {
// A skin file in the temporary folder, removed with the object.
struct TempSkinFile {
  explicit TempSkinFile(const char* name, const std::vector<uint8_t>& bytes) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    path =
        std::wstring(dir) + L"tarvimo-gallery-" + std::wstring(name, name + strlen(name)) + L".skn";
    std::ofstream(std::filesystem::path(path), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  ~TempSkinFile() { DeleteFileW(path.c_str()); }
  std::wstring path;
};

// Every pixel of a control as on screen; a window-less one read from its parent's window.
std::vector<COLORREF> PictureOf(ui::TControl* control) {
  RECT area{0, 0, control->Width(), control->Height()};
  HWND wnd = nullptr;
  if (auto* windowed = dynamic_cast<ui::TWinControl*>(control)) {
    wnd = windowed->Handle();
  } else {
    wnd = control->Parent()->Handle();
    POINT client{0, 0};
    ClientToScreen(wnd, &client);
    RECT window;
    GetWindowRect(wnd, &window);
    OffsetRect(&area, control->Left() + client.x - window.left,
               control->Top() + client.y - window.top);
  }
  auto capture = wintest::CaptureWindowDC(wnd);
  std::vector<COLORREF> pixels;
  for (int y = area.top; capture && y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) pixels.push_back(capture->Pixel(x, y));
  return pixels;
}

// The picture of the skinned control of each row whose kind has a skinner.
std::vector<std::pair<std::string, std::vector<COLORREF>>> SkinnedPictures(
    const gallery::TGalleryForm& form) {
  std::vector<std::pair<std::string, std::vector<COLORREF>>> pictures;
  for (const auto& row : form.Rows()) {
    const skin::ControlDecision decision =
        skin::DecideControl(skin::GatherFacts(row.skinned), skin::SwitchesOf(*form.SkinData1));
    if (!skin::HasSkinner(decision.kind)) continue;  // keeps the native look in every skin
    pictures.emplace_back(std::string(row.title.begin(), row.title.end()), PictureOf(row.skinned));
  }
  return pictures;
}

// Which windows a stretch of the message loop painted (WM_PAINT, WM_NCPAINT or WM_ERASEBKGND),
// seen by a hook on the thread's sent messages.
class PaintWatch {
 public:
  PaintWatch() : hook_(SetWindowsHookExW(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId())) {
    current_ = this;
  }
  ~PaintWatch() { current_ = nullptr; }
  bool Painted(HWND wnd) const { return painted_.count(wnd) > 0; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && current_ &&
        (sent->message == WM_PAINT || sent->message == WM_NCPAINT ||
         sent->message == WM_ERASEBKGND))
      current_->painted_.insert(sent->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline PaintWatch* current_ = nullptr;
  ui::HookHandle hook_;
  std::set<HWND> painted_;
};

BOOL CALLBACK CollectWindow(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

// A windowed control's window and every window inside it.
std::vector<HWND> WindowsOf(ui::TControl* control) {
  auto* windowed = dynamic_cast<ui::TWinControl*>(control);
  if (!windowed || !windowed->HandleAllocated()) return {};
  std::vector<HWND> windows{windowed->Handle()};
  EnumChildWindows(windowed->Handle(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

COLORREF CaptionPixel(HWND wnd) {
  auto capture = wintest::CaptureWindowDC(wnd);
  return capture ? capture->Pixel(300, 3) & 0xFFFFFF : CLR_INVALID;
}
}  // namespace

// The Skin menu's switch: every control kind changes look, a bad file changes nothing and says
// why, and ten switches back and forth give every handle back.
TEST(SkinGallery, SwitchingSkinsAtRunTimeRepaintsEveryKindAndLeavesNoTrace) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  gallery::TGalleryForm* form = ShowGallery();
  const HWND wnd = form->Handle();
  std::vector<std::wstring> errors;
  form->OnSkinError = [&](const std::wstring& why) { errors.push_back(why); };
  const testskin::TestSkin flat;
  TempSkinFile flatFile("flat", flat.Stream());
  TempSkinFile corrupt(
      "corrupt", testskin::TestSkin().Corrupt("Top", testskin::Corruption::kGarbage).Stream());
  const COLORREF flatCaption = static_cast<COLORREF>(flat.FrameColour("Top", 1)) & 0xFFFFFF;

  const auto embedded = SkinnedPictures(*form);
  const COLORREF embeddedCaption = CaptionPixel(wnd);
  ASSERT_NE(embeddedCaption, flatCaption);
  // A flat test skin: the frame takes it at once (its control colours may match the default's).
  ASSERT_TRUE(form->UseSkinFile(flatFile.path));
  ASSERT_TRUE(wintest::PumpUntil([&] { return CaptionPixel(wnd) == flatCaption; }, 3000));
  wintest::PumpUntilIdle(400);  // longer than the manager's request delay

  EXPECT_FALSE(form->UseSkinFile(corrupt.path));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find(L"corrupt"), std::wstring::npos);
  EXPECT_FALSE(form->UseSkinFile(L"Z:\\no\\such\\skin.skn"));
  EXPECT_EQ(errors.size(), 2u);
  wintest::PumpUntilIdle(300);  // longer than the manager's request delay
  EXPECT_EQ(CaptionPixel(wnd), flatCaption);

  // The shipped second skin (the build puts it beside the tests) changes every kind's look.
  const std::vector<std::wstring> shipped = gallery::TGalleryForm::ShippedSkinFiles();
  const auto dark = std::find_if(shipped.begin(), shipped.end(), [](const std::wstring& f) {
    return f.size() >= 8 && f.compare(f.size() - 8, 8, L"dark.skn") == 0;
  });
  ASSERT_NE(dark, shipped.end());
  ASSERT_TRUE(form->UseSkinFile(*dark));
  ASSERT_TRUE(wintest::PumpUntil([&] { return CaptionPixel(wnd) != flatCaption; }, 3000));
  wintest::PumpUntilIdle(400);  // longer than the manager's request delay
  const auto darkPictures = SkinnedPictures(*form);
  for (size_t i = 0; i < embedded.size(); ++i)
    EXPECT_FALSE(embedded[i] == darkPictures[i])
        << "row " << i << " looks the same in the dark skin";

  // Back to the first skin, whose frame has another size: the client area moves, yet the only
  // native twins painted again are those whose colour follows the form's.
  {
    PaintWatch watch;
    ASSERT_TRUE(form->UseEmbeddedSkin());
    ASSERT_TRUE(wintest::PumpUntil([&] { return CaptionPixel(wnd) == embeddedCaption; }, 3000));
    wintest::PumpUntilIdle(400);  // longer than the manager's request delay
    int ownColoured = 0;
    for (const auto& row : form->Rows()) {
      if (!row.native || row.native->ParentColor()) continue;
      for (HWND native : WindowsOf(row.native)) {
        ++ownColoured;
        EXPECT_FALSE(watch.Painted(native))
            << std::string(row.title.begin(), row.title.end()) << ": the native twin was repainted";
      }
    }
    EXPECT_GE(ownColoured, 10);
  }
  // Back in the first skin, nothing of the other two is left on any control.
  const auto back = SkinnedPictures(*form);
  for (size_t i = 0; i < embedded.size(); ++i)
    EXPECT_TRUE(embedded[i] == back[i]) << back[i].first << " keeps pixels of another skin";

  // The same frame again: every skinned window is painted once more, no native twin at all.
  {
    PaintWatch watch;
    ASSERT_TRUE(form->UseEmbeddedSkin());
    wintest::PumpUntilIdle(400);  // longer than the manager's request delay
    for (const auto& row : form->Rows()) {
      const std::string title(row.title.begin(), row.title.end());
      const skin::ControlDecision decision =
          skin::DecideControl(skin::GatherFacts(row.skinned), skin::SwitchesOf(*form->SkinData1));
      if (!skin::HasSkinner(decision.kind)) continue;
      for (HWND native : WindowsOf(row.native))
        EXPECT_FALSE(watch.Painted(native)) << title << ": the native twin was repainted";
      const std::vector<HWND> skinned = WindowsOf(row.skinned);
      if (!skinned.empty() && IsWindowVisible(skinned[0])) {
        EXPECT_TRUE(watch.Painted(skinned[0]))
            << title << ": the skinned control was not repainted";
      }
    }
  }
  const long counters = Counters();
  const long gdi = wintest::LiveGdiObjects();
  for (int i = 0; i < 10; ++i) {
    ASSERT_TRUE(form->UseSkinFile(flatFile.path));
    ASSERT_TRUE(wintest::PumpUntil([&] { return CaptionPixel(wnd) == flatCaption; }, 3000));
    ASSERT_TRUE(form->UseEmbeddedSkin());
    ASSERT_TRUE(wintest::PumpUntil([&] { return CaptionPixel(wnd) == embeddedCaption; }, 3000));
  }
  wintest::PumpUntilIdle(400);  // the last request runs
  EXPECT_EQ(Counters(), counters);
  EXPECT_LE(wintest::LiveGdiObjects(), gdi + 2);
  delete form;
}

// ---- Layout and accelerators

namespace {

RECT ScreenRectOf(ui::TControl* control) {
  RECT r = control->BoundsRect();
  MapWindowPoints(control->Parent()->Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// The letter after a single '&' of a caption, lowered; 0 when there is none.
wchar_t Mnemonic(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {
      ++i;
      continue;
    }
    return static_cast<wchar_t>(towlower(caption[i + 1]));
  }
  return 0;
}

}  // namespace

// On the tests' screen every row lies whole inside the skinned window's client area, and the
// window on the screen; the same rows planned for a 1680 x 1050 screen fit it too.
TEST(SkinGallery, EveryRowIsSeenWholeOnTheScreen) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  gallery::TGalleryForm* form = ShowGallery();
  RECT client{};
  GetClientRect(form->Handle(), &client);
  MapWindowPoints(form->Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  RECT window{};
  GetWindowRect(form->Handle(), &window);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  EXPECT_TRUE(Inside(window, screen));
  for (const auto& row : form->Rows()) {
    SCOPED_TRACE(std::string(row.title.begin(), row.title.end()));
    EXPECT_TRUE(Inside(ScreenRectOf(row.skinned), client));
    EXPECT_TRUE(Inside(ScreenRectOf(row.native), client));
    EXPECT_TRUE(Inside(ScreenRectOf(row.label), client));
  }
  // The frame the skin put around the client area, planned for the larger screen.
  std::vector<int> heights;
  for (const auto& row : form->Rows()) heights.push_back(row.height);
  const int frameW = (window.right - window.left) - (client.right - client.left);
  const int frameH = (window.bottom - window.top) - (client.bottom - client.top);
  const gallery::GalleryPlan plan = gallery::PlanGallery(heights, 1680 - frameW, 1050 - frameH);
  EXPECT_TRUE(plan.fits);
  EXPECT_LE(plan.clientWidth + frameW, 1680);
  EXPECT_LE(plan.clientHeight + frameH, 1050);
  delete form;
}

// No control of the gallery takes a letter of the menu bar for itself (the push button took
// Alt+S from the Skin menu).
TEST(SkinGallery, ControlAcceleratorsLeaveTheMenuBarsLettersToIt) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  gallery::TGalleryForm* form = ShowGallery();
  std::set<wchar_t> bar;
  ui::TMenuItem* items = form->MainMenu()->Items();
  for (int i = 0; i < items->Count(); ++i)
    if (const wchar_t m = Mnemonic(items->Items(i)->Caption())) bar.insert(m);
  ASSERT_TRUE(bar.count(L's'));  // the Skin menu
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* control = dynamic_cast<ui::TControl*>(form->Components(i));
    if (!control) continue;
    const wchar_t m = Mnemonic(control->Caption());
    EXPECT_FALSE(m && bar.count(m)) << "a control takes Alt+" << static_cast<char>(m);
  }
  // The bar's S is the Skin menu's (the third on the bar): the system's keyboard access to the
  // bar opens it. Its loop is ended from a timer.
  static int open;
  static HWND gallery;
  open = -1;
  gallery = form->Handle();
  struct Probe {
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
      HWND popup = FindWindowW(L"#32768", nullptr);
      if (!popup || !IsWindowVisible(popup)) return;
      KillTimer(nullptr, id);
      if (skin::TWinSkinForm* s = skin::SkinManager()->FindForm(gallery)) open = s->OpenMenuIndex();
      EndMenu();
    }
  };
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, Probe::Tick);
  SendMessageW(gallery, WM_SYSCOMMAND, SC_KEYMENU, 's');
  wintest::PumpUntil([] { return open != -1; }, 2000);
  KillTimer(nullptr, timer);
  EXPECT_EQ(open, 2);
  wintest::PumpUntilIdle();
  delete form;
}

namespace {
// Inside the file dialog's loop: reads its caption as the dialog painted it, then cancels it.
struct FileDialogProbe {
  static inline COLORREF textColour = 0;
  static inline std::vector<COLORREF> mainLeftEdge;  // the main window's left border, downwards
  static inline int edgeTop = 0;                     // from this row
  static inline int textPixels = -1, edgeMatches = 0;
  static inline bool skinned = false, iconShown = true;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = nullptr;
    skin::TWinSkinForm* s = frametest::LiveDialogSkinner(L"Open skin file", box);
    if (!s || !IsWindowVisible(box)) return;
    KillTimer(nullptr, id);
    skinned = s->FrameSkinned();
    iconShown = false;
    for (const auto& b : s->SysButtons())
      if (b->ShowsIcon() && b->Visible) iconShown = true;
    auto capture = wintest::CaptureWindowDC(box);
    // The text's first letters lie where the icon would be.
    textPixels = 0;
    for (int y = 0; y < s->Metrics().CaptionHeight; ++y)
      for (int x = 0; x < 40; ++x) textPixels += (capture->Pixel(x, y) & 0xFFFFFF) == textColour;
    // Below the caption, the left border is the main window's: the same image.
    edgeMatches = 0;
    for (size_t y = 0; y < mainLeftEdge.size(); ++y)
      edgeMatches +=
          (capture->Pixel(1, edgeTop + static_cast<int>(y)) & 0xFFFFFF) == mainLeftEdge[y];
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
  }
};
}  // namespace

// The gallery's "Open skin file" dialog, opened from its Skin menu, wears the skin's frame with
// its whole caption text: no icon over the first letters.
TEST(SkinGallery, TheOpenSkinFileDialogShowsItsWholeCaptionInTheSkinsFrame) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  gallery::TGalleryForm* form = ShowGallery();
  ui::TMenuItem* skins = form->MainMenu()->Items()->Items(2);
  ui::TMenuItem* open = skins->Items(skins->Count() - 1);
  ASSERT_EQ(open->Caption().rfind(L"&Open skin file", 0), 0u);
  skin::TWinSkinForm* main = skin::SkinManager()->FindForm(form->Handle());
  ASSERT_NE(main, nullptr);
  FileDialogProbe::textColour = main->SkinData()->GetRGB(skin::ciTitleTextActive) & 0xFFFFFF;
  auto mainCapture = wintest::CaptureWindowDC(form->Handle());
  const int caption = main->Metrics().CaptionHeight;
  FileDialogProbe::mainLeftEdge.clear();
  FileDialogProbe::edgeTop = caption + 4;
  for (int y = caption + 4; y < caption + 100; ++y)
    FileDialogProbe::mainLeftEdge.push_back(mainCapture->Pixel(1, y) & 0xFFFFFF);
  const UINT_PTR timer = SetTimer(nullptr, 0, 80, FileDialogProbe::Tick);
  open->Click();
  KillTimer(nullptr, timer);
  EXPECT_TRUE(FileDialogProbe::skinned);
  EXPECT_FALSE(FileDialogProbe::iconShown);
  EXPECT_GT(FileDialogProbe::textPixels, 0);
  EXPECT_GT(FileDialogProbe::edgeMatches, 80);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  delete form;
}
