// TSkinManage: the one object of the process that decides which windows are skinned and with which
// skin. It watches window creation and activation on the GUI thread through a WH_CBT hook,
// attaches a form skinner to each top-level window that qualifies, and runs the activation,
// deactivation and re-skin requests of the skin data components on a timer (a new request
// replaces a pending one).
//
// The program installs it once (SkinManagerScope) before its forms are read: the skin data
// components find it through the scheduler interface they know, and the first one made creates it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/data/SkinScheduler.h"
#include "skin/data/WinSkinData.h"
#include "skin/frame/FrameHost.h"
#include "skin/frame/WinSkinForm.h"
#include "skin/frame/WinSkinPopMenu.h"
#include "ui/Handles.h"

namespace skin {

class TSkinManage : public ISkinScheduler, public IFormSkinnerHost, public IPopupMenuHost {
 public:
  // Whether the user's high-contrast scheme is on. The system's answer by default; a test may put
  // its own in (Wine cannot switch the scheme), null gives the system's back.
  using HighContrastQuery = bool (*)();
  static void SetHighContrastQuery(HighContrastQuery query);

  enum Action : int {
    kNone = 0,
    kActivate = 1,
    kDeactivate = 2,
    kReskin = 3,
    kFree = 6,
    kReattach = 7
  };
  enum RunState : int { kNotStarted = 0, kRunning = 1, kDestroying = 4 };

  TSkinManage();
  ~TSkinManage();
  TSkinManage(const TSkinManage&) = delete;
  TSkinManage& operator=(const TSkinManage&) = delete;

  // ---- What the skin data components ask ----
  void AddSkinData(TSkinData* skin) override;
  void RemoveSkinData(TSkinData* skin) override;
  void SetCurrentSkinData(TSkinData* skin) override { current_ = skin; }
  void Schedule(int action, int delayMs) override;
  bool Running() const override { return state_ != kNotStarted; }
  void SetRunning() override { state_ = kRunning; }
  void EnableForSkin() override;
  void InstallHook() override;
  void SkinFormIfVisible(ui::TCustomForm* form) override;
  void RefreshForms(TSkinData* skin) override;

  // ---- What the form skinners ask ----
  void FormAttached() override { state_ = kRunning; }
  bool HideWhileSkinning() const override { return hideWhileSkinning_; }
  void ClearHideWhileSkinning() override { hideWhileSkinning_ = false; }
  void SetMenuMode(int kind) override { menuMode_ = kind; }
  bool PopupMenuUp() const override { return currentPopup_ != nullptr; }
  TWinSkinPopMenu* CurrentPopup() const override { return currentPopup_; }
  TWinSkinPopMenu* PopupOfMenu(HMENU menu) override;
  void AttachControls(TWinSkinForm& form) override;
  void FormSkinnerGone(TWinSkinForm* form) override;

  // ---- What the popup-menu skinners ask ----
  bool SkinningEnabled() const override { return enabled_ && !highContrast_; }
  void PopupShowing(TWinSkinPopMenu* popup) override { currentPopup_ = popup; }
  const ImageDC& PopupBackgroundImage(TSkinData* skin) override;

  // ---- Popup menus (WinSkinManageMenus.cpp) ----
  // A popup-menu window is being created: it gets a skinner if the kind of menu opening (MenuMode)
  // is one the skin covers.
  void SkinPopupMenu(HWND wnd);
  // Its window is being destroyed: the skinner gives it back and goes.
  void MenuDestroyed(HWND wnd);
  bool IsMenuSkinned(HWND wnd) const;
  void SetMenusFlagged(bool on) { menusFlagged_ = on; }
  const std::vector<std::unique_ptr<TWinSkinPopMenu>>& Menus() const { return menus_; }

  // ---- The manager's own work ----
  // Attaches a form skinner if the window qualifies; true when it did.
  bool SkinWindow(HWND wnd);
  TSkinData* ChooseSkinData(HWND wnd, const std::string& className) const;
  bool ShouldSkin(HWND wnd, const std::string& className) const;
  TWinSkinForm* FindForm(HWND wnd) const;
  // The framework form of a window, or its framework control, or null.
  ui::TComponent* FindControlObject(HWND wnd) const;
  // Frees the skinners whose windows are gone (never one with a message of its window on the
  // stack).
  void PurgeForms();
  // The timer's work: the pending action.
  void RunAction();
  // Asks for one window to be skinned from scratch (after its window was re-created, say).
  void ScheduleReattach(HWND wnd, int delayMs = kActionDelayMs);
  // The system's settings changed (WM_SETTINGCHANGE): with high contrast on every window gets
  // its native look back, as with Active false; off again, the skin returns if Active is true.
  void SettingsChanged();

  // ---- State, for the tests ----
  int State() const { return state_; }
  bool Enabled() const { return enabled_; }
  int PendingAction() const { return pending_; }
  TSkinData* CurrentSkinData() const { return current_; }
  TSkinData* MainSkinData() const { return main_; }
  int MenuMode() const { return menuMode_; }
  bool HookInstalled() const { return static_cast<bool>(hook_); }
  bool HighContrast() const { return highContrast_; }
  // The hidden window that hears the system's broadcasts.
  HWND Window() const { return window_.get(); }
  const std::vector<TWinSkinForm*>& Forms() const { return forms_; }
  const std::vector<TSkinData*>& SkinDatas() const { return skinDatas_; }

 private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
  void Hook(int code, WPARAM wParam, LPARAM lParam);
  // Detaches and frees one skinner (or leaves it finished for the next purge while one of its
  // messages is on the stack).
  void DetachAndFree(TWinSkinForm* form);
  // The skinner is still in the list (not freed by a handler since the list was copied).
  bool Listed(const TWinSkinForm* form) const;
  void RunOnlyThisForm(int action, TSkinData* skin);
  void UpdateMainSkin();
  // What Active true and false do to the windows.
  void SkinScreenForms();
  void DetachAllForms();
  static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

  ui::HookHandle hook_;
  ui::TimerHandle timer_;
  ui::WindowHandle window_;
  bool highContrast_ = false;
  std::vector<TWinSkinForm*> forms_;
  std::vector<TSkinData*> skinDatas_;
  bool enabled_ = false;
  bool forcing_ = false;
  int state_ = kNotStarted;
  int menuMode_ = 0;
  bool hideWhileSkinning_ = false;
  int pending_ = kNone;
  TSkinData* current_ = nullptr;
  TSkinData* main_ = nullptr;
  HWND pendingWindow_ = nullptr;
  std::vector<std::unique_ptr<TWinSkinPopMenu>> menus_;
  // Skinners whose windows went while one of their messages was on the stack: freed later.
  std::vector<std::unique_ptr<TWinSkinPopMenu>> retiredMenus_;
  TWinSkinPopMenu* currentPopup_ = nullptr;
  bool menusFlagged_ = false;
  // The MenuBackground image every popup paints from, and the bitmap it was copied from.
  ImageDC popupImage_;
  HBITMAP popupImageSource_ = nullptr;
};

// The process's manager, or null while none was made (or after shutdown).
TSkinManage* SkinManager();

// Installs the manager's provider for the skin data components for its lifetime; at the end the
// manager (if one was made) detaches every skinner, removes its hook and goes away.
class SkinManagerScope {
 public:
  SkinManagerScope();
  ~SkinManagerScope();
  SkinManagerScope(const SkinManagerScope&) = delete;
  SkinManagerScope& operator=(const SkinManagerScope&) = delete;
};

}  // namespace skin
