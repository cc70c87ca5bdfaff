// Skinners whose control's own handling frees them, and skinners that fault: a skinner freed in
// the middle of one of its messages touches nothing of itself afterwards (freed memory is
// scribbled over, so a use shows as a stopped process), and a fault of the skin leaves the
// control its own handling of the message exactly once.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <stdexcept>

#include "PoisonedFrees.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinComboBox.h"
#include "skinframe/FrameTestSupport.h"
#include "ui/Controls.h"

using frametest::SkinnedForm;
using testskin::TestSkin;

namespace {

HWND Child(HWND parent, const wchar_t* cls, DWORD style, int x, int y, int w, int h, int id) {
  return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

// Calls `action` once, the first time `wnd` receives `msg` (with `lParam`, when given) while armed.
struct OnMessage {
  UINT msg;
  std::function<void()> action;
  LPARAM only = 0;
  bool armed = false;
  ui::SubclassHandle hook;

  OnMessage(HWND wnd, UINT m, std::function<void()> a, LPARAM l = 0)
      : msg(m), action(std::move(a)), only(l) {
    hook = ui::SubclassHandle(wnd, Proc, 0x4F4E4D53, reinterpret_cast<DWORD_PTR>(this));
  }
  static LRESULT CALLBACK Proc(HWND wnd, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<OnMessage*>(ref);
    if (m == self->msg && self->armed && (!self->only || l == self->only)) {
      self->armed = false;
      self->action();
    }
    return DefSubclassProc(wnd, m, w, l);
  }
};

}  // namespace

TEST(SkinnerLifetime, AComboChildsMessageWhoseHandlingFreesTheSkinnerEndsThere) {
  SkinnedForm f;
  HWND combo = Child(f.Handle(), WC_COMBOBOXW, CBS_DROPDOWN, 20, 20, 140, 200, 101);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  HWND edit = info.hwndItem;
  // A handler in the edit's own handling of a click (put there before the skin came) frees the
  // combo's skinner, as an application's handler of what the edit tells it may.
  skin::TSkinComBox* skinner = nullptr;
  OnMessage freeing(edit, WM_LBUTTONDOWN, [&] { skinner->Free(); });
  skinner = new skin::TSkinComBox(nullptr);
  skinner->AttachHandle(combo, f.data, f.Skinner());
  ASSERT_EQ(skinner->ChildWindow(), edit);
  wintest::PumpUntilIdle();

  {
    poison::PoisonFreesScope poisoned;
    freeing.armed = true;
    PostMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    wintest::PumpUntilIdle();
    EXPECT_FALSE(freeing.armed);
    EXPECT_TRUE(poison::FreedBlocksUntouched());
  }
  EXPECT_EQ(f.Skinner()->FindSkinnerByWindow(combo), nullptr);
  // The child is left with its own procedure and still works.
  SendMessageW(edit, WM_CHAR, L'a', 0);
  wchar_t text[8] = {};
  GetWindowTextW(combo, text, 8);
  EXPECT_STREQ(text, L"a");
  DestroyWindow(combo);
}

TEST(SkinnerLifetime, APushButtonWhoseFocusChangeFreesItsSkinnerTouchesNothingAfterIt) {
  SkinnedForm f;
  HWND button = Child(f.Handle(), WC_BUTTONW, BS_PUSHBUTTON, 20, 20, 90, 25, 102);
  HWND edit = Child(f.Handle(), WC_EDITW, WS_BORDER, 20, 60, 90, 21, 103);
  auto* skinner = new skin::TSkinButton(nullptr);
  skinner->AttachHandle(button, f.data, f.Skinner());
  SetFocus(edit);
  wintest::PumpUntilIdle();

  // Leaving the edit frees the button's skinner, inside the button's own mouse-down.
  OnMessage freeing(edit, WM_KILLFOCUS, [&] { skinner->Free(); });
  poison::PoisonFreesScope poisoned;
  freeing.armed = true;
  PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  wintest::PumpUntilIdle();
  EXPECT_FALSE(freeing.armed);
  EXPECT_TRUE(poison::FreedBlocksUntouched());
  EXPECT_EQ(GetFocus(), button);
  EXPECT_EQ(f.Skinner()->FindSkinnerByWindow(button), nullptr);
}

// ---- A skin that faults

namespace {

constexpr UINT kProbe = WM_APP + 7;
constexpr LRESULT kOwnAnswer = 42;

// A skinner that throws at the chosen message, before or after the control's own handling.
class TFaultySkinner : public skin::TSkinControl {
 public:
  using skin::TSkinControl::TSkinControl;
  bool throwBefore = false;

 protected:
  bool BeforeMessage(ui::TMessage& m) override {
    if (m.Msg == kProbe && throwBefore) throw std::runtime_error("skin fault");
    return skin::TSkinControl::BeforeMessage(m);
  }
  void AfterMessage(ui::TMessage& m) override {
    if (m.Msg == kProbe && !throwBefore) throw std::runtime_error("skin fault");
    skin::TSkinControl::AfterMessage(m);
  }
};

int g_bareProbes = 0;
LRESULT CALLBACK CountingProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == kProbe) {
    ++g_bareProbes;
    return kOwnAnswer;
  }
  return DefWindowProcW(wnd, msg, w, l);
}

// A framework control that counts the probe in its own handler.
class TCountingControl : public ui::TCustomControl {
 public:
  using ui::TCustomControl::TCustomControl;
  int probes = 0;
  void WndProc(ui::TMessage& m) override {
    if (m.Msg == kProbe) {
      ++probes;
      m.Result = kOwnAnswer;
      return;
    }
    ui::TCustomControl::WndProc(m);
  }
};

}  // namespace

TEST(SkinnerLifetime, AFaultOfTheSkinLeavesTheControlItsOwnHandlingExactlyOnce) {
  SkinnedForm f;
  WNDCLASSW wc{};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"CountingWindow";
  RegisterClassW(&wc);
  HWND bare = Child(f.Handle(), L"CountingWindow", 0, 20, 20, 50, 20, 104);
  auto* control = new TCountingControl(f.form);
  control->SetParent(f.form);
  control->SetBounds(20, 60, 50, 20);

  for (const bool before : {false, true}) {
    SCOPED_TRACE(before ? "thrown before the control's handling" : "thrown after it");
    // A bare window, subclassed.
    auto* bareSkinner = new TFaultySkinner(nullptr);
    bareSkinner->throwBefore = before;
    bareSkinner->AttachHandle(bare, f.data, nullptr);
    g_bareProbes = 0;
    EXPECT_EQ(SendMessageW(bare, kProbe, 0, 0), kOwnAnswer);
    EXPECT_EQ(g_bareProbes, 1);
    bareSkinner->Free();
    // A framework control, through its handler chain.
    auto* linked = new TFaultySkinner(control);
    linked->throwBefore = before;
    linked->Attach(nullptr, f.data, false);
    control->probes = 0;
    EXPECT_EQ(SendMessageW(control->Handle(), kProbe, 0, 0), kOwnAnswer);
    EXPECT_EQ(control->probes, 1);
    linked->Free();
  }
  DestroyWindow(bare);
}
