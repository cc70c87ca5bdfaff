// Message transparency: every gallery row's skinned control and its native twin are driven by the
// same user (real clicks, double clicks, a drag, keys, the wheel, focus in and out, disabling and
// enabling), and their parent hears the same notifications in the same order while each control
// answers the same queries after every step. The differences a skin may make are listed below,
// each with its reason.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "gallery/GalleryForm.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manager/WinSkinManage.h"
#include "support/WinTestSupport.h"
#include "ui/Application.h"
#include "ui/CheckCtrls.h"
#include "ui/ListCtrls.h"
#include "ui/RangeCtrls.h"
#include "ui/StdCtrls.h"
#include "ui/TabCtrls.h"
#include "ui/UpDown.h"

namespace {

// Marks in the log between the notifications: a step's end and the control's answers.
constexpr UINT kStep = WM_APP + 0x100;
constexpr UINT kAnswer = WM_APP + 0x101;

// Rows whose skinned control may differ from its twin, and why. None does today: a skinned
// push button tells its parent BN_CLICKED as its twin does.
const std::map<std::wstring, const char*>& AllowedDifferences() {
  static const std::map<std::wstring, const char*> allowed = {};
  return allowed;
}

// Notifications that come with a control's paints rather than with the user's input: the skin
// paints some controls itself (no custom-draw round of the system's paint) and repaints others
// more or less often than the system does. They are left out of both logs.
std::vector<UINT> PaintNotifications(const std::wstring& row) {
  std::vector<UINT> codes = {static_cast<UINT>(NM_CUSTOMDRAW), static_cast<UINT>(CBEN_GETDISPINFOW),
                             static_cast<UINT>(CBEN_GETDISPINFOA)};
  // The rich edit tells EN_UPDATE before every paint of its own.
  if (row == L"Rich edit") codes.push_back(EN_UPDATE);
  return codes;
}

// Ends whatever modal loop a step opened (a menu button's menu, a dropped list) from a timer.
void CALLBACK EndLoops(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND menu = FindWindowW(L"#32768", nullptr); menu && IsWindowVisible(menu)) EndMenu();
}

// What the control answers now, as marks in the log.
void Answers(wintest::MessageRecorder& log, ui::TWinControl* c) {
  HWND w = c->Handle();
  const auto answer = [&](UINT query, WPARAM wp = 0, LPARAM lp = 0) {
    log.mark(kAnswer, static_cast<WPARAM>(SendMessageW(w, query, wp, lp)));
  };
  answer(WM_GETDLGCODE);
  log.mark(kAnswer, GetFocus() == w);
  if (c->Is<ui::TButtonControl>()) answer(BM_GETSTATE);
  if (c->Is<ui::TCustomComboBox>()) {
    answer(CB_GETCURSEL);
    answer(CB_GETDROPPEDSTATE);
  }
  if (c->Is<ui::TListBox>()) answer(LB_GETCURSEL);
  if (c->Is<ui::TCustomTabControl>()) answer(TCM_GETCURSEL);
  if (c->Is<ui::TTrackBar>()) answer(TBM_GETPOS);
  if (c->Is<ui::TUpDown>()) answer(UDM_GETPOS32);
  if (c->Is<ui::TScrollBar>()) answer(SBM_GETPOS);
}

void Click(HWND w, int x, int y, bool twice = false) {
  POINT p{x, y};
  ClientToScreen(w, &p);
  SetCursorPos(p.x, p.y);
  INPUT in[4] = {};
  for (INPUT& i : in) i.type = INPUT_MOUSE;
  in[0].mi.dwFlags = in[2].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = in[3].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(twice ? 4 : 2, in, sizeof(INPUT));
}

void Key(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

// The first place where two logs part, for a readable failure.
std::string FirstDifference(const wintest::MessageRecorder& skinned,
                            const wintest::MessageRecorder& native) {
  const auto& a = skinned.messages();
  const auto& b = native.messages();
  WPARAM step = 0;
  for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    if (i < b.size() && b[i].msg == kStep) step = b[i].wParam;
    const auto show = [](const std::vector<wintest::RecordedMessage>& log, size_t at) {
      if (at >= log.size()) return std::string("(nothing)");
      char text[96];
      std::snprintf(text, sizeof text, "%s %lX", wintest::MessageName(log[at].msg).c_str(),
                    static_cast<unsigned long>(log[at].wParam));
      return std::string(text);
    };
    if (i >= a.size() || i >= b.size() || a[i].msg != b[i].msg || a[i].wParam != b[i].wParam)
      return "after step " + std::to_string(step) + ": skinned " + show(a, i) + ", native " +
             show(b, i);
  }
  return {};
}

// One user's script on one control; the parent's notifications from it and its answers.
std::unique_ptr<wintest::MessageRecorder> Drive(gallery::TGalleryForm& form, ui::TWinControl* c,
                                                const std::wstring& row) {
  auto log = std::make_unique<wintest::MessageRecorder>(form.Handle());
  log->notificationsFrom(c->Handle());
  log->ignoreCodes(PaintNotifications(row));
  HWND w = c->Handle();
  RECT r{};
  GetClientRect(w, &r);
  const int cx = r.right / 2, cy = r.bottom / 2;
  const auto step = [&](int n) {
    wintest::PumpUntilIdle(10, 250);
    // A dropped list goes up again before the next step, as a user's click elsewhere would.
    if (c->Is<ui::TCustomComboBox>()) SendMessageW(w, CB_SHOWDROPDOWN, FALSE, 0);
    wintest::PumpUntilIdle(10, 100);
    log->mark(kStep, static_cast<WPARAM>(n));
    Answers(*log, c);
  };
  SetFocus(form.Handle());
  wintest::PumpUntilIdle(10, 200);
  Click(w, cx, cy);  // focus in
  step(1);
  Click(w, cx, cy, /*twice=*/true);
  step(2);
  // A drag across the control, from its left quarter to its right quarter.
  POINT from{r.right / 4, cy}, to{r.right * 3 / 4, cy};
  ClientToScreen(w, &from);
  ClientToScreen(w, &to);
  SetCursorPos(from.x, from.y);
  INPUT in[3] = {};
  in[0].type = in[1].type = in[2].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in[1].mi.dx = to.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
  in[1].mi.dy = to.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(3, in, sizeof(INPUT));
  step(3);
  if (GetFocus() != w) SetFocus(w);
  for (const WORD key : {VK_DOWN, VK_UP, VK_SPACE, VK_RETURN}) {
    Key(key);
    step(10 + key);
  }
  POINT centre{cx, cy};
  ClientToScreen(w, &centre);
  SetCursorPos(centre.x, centre.y);
  INPUT wheel{};
  wheel.type = INPUT_MOUSE;
  wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
  wheel.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
  SendInput(1, &wheel, sizeof(INPUT));
  step(4);
  Key(VK_TAB);  // focus out
  step(5);
  c->SetEnabled(false);
  Click(w, cx, cy);
  step(6);
  c->SetEnabled(true);
  step(7);
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  wintest::PumpUntilIdle(10, 200);
  return log;
}

// The rows from `first` up to `last` (indices of the gallery's rows), each driven twice.
void CompareRows(size_t first, size_t last) {
  ui::Application->Initialize();
  skin::SkinManagerScope scope;
  auto* form = new gallery::TGalleryForm(nullptr);
  ASSERT_TRUE(form->LoadSkin(gallery::EmbeddedSkinPayload()));
  form->Show();
  SetForegroundWindow(form->Handle());
  wintest::PumpUntil(
      [&] {
        skin::TWinSkinForm* s = skin::SkinManager()->FindForm(form->Handle());
        return s && s->LifecycleState() == skin::TWinSkinForm::kLive;
      },
      3000);
  wintest::PumpUntilIdle(10, 500);
  const UINT_PTR loops = SetTimer(nullptr, 0, 100, EndLoops);
  int compared = 0;
  for (size_t i = first; i < std::min(last, form->Rows().size()); ++i) {
    const auto& row = form->Rows()[i];
    auto* skinned = dynamic_cast<ui::TWinControl*>(row.skinned);
    auto* native = dynamic_cast<ui::TWinControl*>(row.native);
    if (!skinned || !native || !skinned->Enabled()) continue;
    const std::string title(row.title.begin(), row.title.end());
    const auto twin = Drive(*form, native, row.title);
    const auto skin = Drive(*form, skinned, row.title);
    ++compared;
    const bool same = skin->Compare(twin->AsExpected(), /*strict=*/true).empty();
    const auto allowed = AllowedDifferences().find(row.title);
    if (allowed != AllowedDifferences().end()) {
      EXPECT_FALSE(same) << title << ": listed as different (" << allowed->second
                         << ") but the same: take it off the list";
      continue;
    }
    EXPECT_TRUE(same) << title << ": " << FirstDifference(*skin, *twin);
  }
  KillTimer(nullptr, loops);
  EXPECT_GT(compared, 0);
  delete form;
}

}  // namespace

// The gallery's rows in three groups (each a process of its own under the test time limit).
TEST(MessageTransparency, FirstRowsTellTheParentWhatTheirNativeTwinsTell) { CompareRows(0, 15); }
TEST(MessageTransparency, MiddleRowsTellTheParentWhatTheirNativeTwinsTell) { CompareRows(15, 30); }
TEST(MessageTransparency, LastRowsTellTheParentWhatTheirNativeTwinsTell) { CompareRows(30, 99); }
