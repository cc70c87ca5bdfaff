// Helpers of the frame and manager tests: a form carrying a skin data component loaded from a
// flat-colour test skin, skinned by the real manager, and pumping until something has happened.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "TestSkin.h"
#include "skin/data/WinSkinData.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/manager/WinSkinManage.h"
#include "support/WinTestSupport.h"
#include "ui/Forms.h"

namespace frametest {

// Pumps messages until `done` holds or `maxMs` passed; whether it held.
inline bool PumpUntil(const std::function<bool()>& done, DWORD maxMs = 2000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > maxMs) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

// A form the size of the main window (client 606 x 479, a system menu and a minimize box, no
// maximize box), or of whatever the test sets before showing it.
class TFrameTestForm : public ui::TForm {
  UI_CLASS(TFrameTestForm, ui::TForm)
 public:
  explicit TFrameTestForm(ui::TComponent* owner) : TForm(owner) {
    SetBorderStyle(ui::TFormBorderStyle::bsSingle);
    SetBorderIcons(ui::biSystemMenu | ui::biMinimize);
    SetBounds(40, 40, 10, 10);
    SetClientSize(606, 479);
    SetCaption(L"Frame test");
  }
};

// Loads a skin data component of `form` from a skin property's payload (u32 size + stream) the
// way the form reader does.
inline skin::TSkinData* AddSkinPayload(ui::TCustomForm* form, const std::vector<uint8_t>& payload,
                                       bool active = true) {
  auto* data = new skin::TSkinData(form);
  data->MessageReporter = [](std::string_view) {};
  data->SetLoading(true);
  data->SetActive(active);
  auto stream = std::make_unique<ui::TMemoryStream>();
  stream->WriteBuffer(payload.data(), static_cast<int64_t>(payload.size()));
  stream->SetPosition(0);
  data->ReadSkinStream(*stream);
  data->Loaded();
  return data;
}

inline skin::TSkinData* AddSkin(ui::TCustomForm* form, const testskin::TestSkin& skin,
                                bool active = true) {
  return AddSkinPayload(form, skin.PropertyPayload(), active);
}

// The manager, a skinned form and its skin, shown and activated.
struct SkinnedForm {
  skin::SkinManagerScope scope;
  TFrameTestForm* form = nullptr;
  skin::TSkinData* data = nullptr;

  explicit SkinnedForm(const testskin::TestSkin& skin = testskin::TestSkin(),
                       const std::function<void(TFrameTestForm&)>& setUp = {})
      : SkinnedForm(skin.PropertyPayload(), setUp) {}
  // A skin property's payload of the test's own making.
  explicit SkinnedForm(const std::vector<uint8_t>& payload,
                       const std::function<void(TFrameTestForm&)>& setUp = {}) {
    // The pointer, wherever an earlier test left it, must not hover over the new window.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    form = new TFrameTestForm(nullptr);
    if (setUp) setUp(*form);
    data = AddSkinPayload(form, payload);
    form->Show();
    SetForegroundWindow(form->Handle());
    PumpUntil(
        [&] { return Skinner() && Skinner()->LifecycleState() == skin::TWinSkinForm::kLive; });
    wintest::PumpUntilIdle();
  }
  ~SkinnedForm() { delete form; }
  SkinnedForm(const SkinnedForm&) = delete;
  SkinnedForm& operator=(const SkinnedForm&) = delete;

  HWND Handle() const { return form->Handle(); }
  skin::TSkinManage* Manager() const { return skin::SkinManager(); }
  skin::TWinSkinForm* Skinner() const {
    return Manager() ? Manager()->FindForm(Handle()) : nullptr;
  }
  RECT WindowRect() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return r;
  }
  // A point of the window (window coordinates) on the screen, as non-client messages carry it.
  LPARAM ScreenPoint(int x, int y) const {
    const RECT r = WindowRect();
    return MAKELPARAM(r.left + x, r.top + y);
  }
  // The window's pixels as they are on the screen.
  COLORREF Pixel(int x, int y) const {
    auto capture = wintest::CaptureWindowDC(Handle());
    return capture ? capture->Pixel(x, y) & 0xFFFFFF : CLR_INVALID;
  }
};

// The skinner of the dialog titled `title` once it is live, else null; `box` is the dialog.
inline skin::TWinSkinForm* LiveDialogSkinner(const wchar_t* title, HWND& box) {
  box = FindWindowW(L"#32770", title);
  skin::TWinSkinForm* skinner = box ? skin::SkinManager()->FindForm(box) : nullptr;
  return skinner && skinner->LifecycleState() == skin::TWinSkinForm::kLive ? skinner : nullptr;
}

inline COLORREF Rgb(skin::Colour c) { return static_cast<COLORREF>(c) & 0xFFFFFF; }

}  // namespace frametest
