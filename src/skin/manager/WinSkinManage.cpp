#include "skin/manager/WinSkinManage.h"

#include <algorithm>
#include <memory>

#include "skin/manager/ControlClassifier.h"
#include "skin/manager/SkinRules.h"
#include "ui/Application.h"
#include "ui/Forms.h"

namespace skin {

namespace {

// The process's manager. The hook and timer callbacks reach it through this one reference.
std::unique_ptr<TSkinManage> g_manager;
// Set once the manager was destroyed: a late hook call only passes on.
bool g_destroyed = false;

class Provider final : public ISkinSchedulerProvider {
 public:
  ISkinScheduler* Existing() override { return g_manager.get(); }
  ISkinScheduler* Ensure() override {
    if (!g_manager) {
      g_destroyed = false;
      g_manager = std::make_unique<TSkinManage>();
    }
    return g_manager.get();
  }
};
Provider g_provider;

// A child window that is not an MDI child: skinned by its form, not by the manager.
bool IsPlainChild(HWND wnd) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_EXSTYLE));
  if (!(style & WS_CHILD) || (exStyle & WS_EX_MDICHILD)) return false;
  wchar_t parent[32] = {};
  GetClassNameW(GetParent(wnd), parent, 32);
  return _wcsicmp(parent, L"MDIClient") != 0;
}

constexpr int kNeverSkinnedTag = 99;

constexpr wchar_t kWindowClass[] = L"TSkinManageWindow";

TSkinManage::HighContrastQuery g_highContrastQuery = nullptr;

bool SystemHighContrast() {
  HIGHCONTRASTW hc{};
  hc.cbSize = sizeof hc;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) &&
         (hc.dwFlags & HCF_HIGHCONTRASTON);
}

bool HighContrastOn() { return g_highContrastQuery ? g_highContrastQuery() : SystemHighContrast(); }
}  // namespace

void TSkinManage::SetHighContrastQuery(HighContrastQuery query) { g_highContrastQuery = query; }

TSkinManage* SkinManager() { return g_manager.get(); }

SkinManagerScope::SkinManagerScope() {
  g_destroyed = false;
  SetSkinSchedulerProvider(&g_provider);
}

SkinManagerScope::~SkinManagerScope() {
  g_manager.reset();
  SetSkinSchedulerProvider(nullptr);
}

TSkinManage::TSkinManage() : highContrast_(HighContrastOn()) {
  // A hidden top-level window (a message-only one hears no broadcasts), never shown or activated.
  // It reaches the manager as the hook and the timer do, through the process's one reference.
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExW(instance, kWindowClass, &existing)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
  }
  // Without it the program runs on; only a change of the system's scheme goes unheard.
  window_ = ui::WindowHandle(CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0,
                                             0, nullptr, nullptr, instance, nullptr));
}

LRESULT CALLBACK TSkinManage::WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETTINGCHANGE && g_manager && !g_destroyed && g_manager->window_.get() == wnd) {
    try {
      g_manager->SettingsChanged();
    } catch (...) {
      // The windows stay as they are; the next change looks again.
    }
    return 0;
  }
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

void TSkinManage::SettingsChanged() {
  const bool on = HighContrastOn();
  if (on == highContrast_ || state_ == kDestroying) return;
  highContrast_ = on;
  // The program's Active stays as it was set, and a pending request still runs (an activation
  // then skins nothing while the scheme is on): only the windows change.
  if (on) {
    DetachAllForms();
  } else if (enabled_) {
    SkinScreenForms();
  }
}

TSkinManage::~TSkinManage() {
  state_ = kDestroying;
  enabled_ = false;
  timer_.reset();
  // Every skinner goes, foreign windows' too; skinners of framework forms are detached first so
  // their forms get their own frames back.
  // A user event raised on the way may free forms: each skinner is taken from the list afresh.
  while (!forms_.empty()) {
    TWinSkinForm* form = forms_.front();
    form->Detach();
    if (Listed(form)) delete form;  // takes itself out of the list
    std::erase(forms_, form);
  }
  currentPopup_ = nullptr;
  menus_.clear();
  retiredMenus_.clear();
  popupImage_ = ImageDC();
  hook_.reset();
  window_.reset();
  g_destroyed = true;
}

// ---- Skins
// ---------------------------------------------------------------------------------------

void TSkinManage::UpdateMainSkin() {
  main_ = nullptr;
  for (TSkinData* s : skinDatas_)
    if (s->SkinFormtype() == TSkinFormType::sfMainform) {
      main_ = s;
      break;
    }
}

void TSkinManage::AddSkinData(TSkinData* skin) {
  if (std::find(skinDatas_.begin(), skinDatas_.end(), skin) != skinDatas_.end()) return;
  skinDatas_.push_back(skin);
  if (!main_) UpdateMainSkin();
}

// A skin going away takes its skinners with it, and nothing keeps pointing at it.
void TSkinManage::RemoveSkinData(TSkinData* skin) {
  const std::vector<TWinSkinForm*> forms = forms_;
  for (TWinSkinForm* form : forms)
    if (Listed(form) && form->SkinData() == skin) DetachAndFree(form);
  std::erase(skinDatas_, skin);
  if (main_ == skin) UpdateMainSkin();
  if (current_ == skin) {
    current_ = nullptr;
    pending_ = kNone;
    timer_.reset();
  }
}

void TSkinManage::EnableForSkin() {
  enabled_ = true;
  if (state_ == kNotStarted) state_ = kRunning;
}

void TSkinManage::InstallHook() {
  if (hook_) return;
  hook_ = ui::HookHandle(SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId()));
}

// ---- Requests
// ------------------------------------------------------------------------------------

void TSkinManage::Schedule(int action, int delayMs) {
  pending_ = action;
  if (state_ == kNotStarted) {
    // Nothing was activated yet: the first activation skins the window anyway.
    if (action == kActivate) enabled_ = true;
    if (action == kDeactivate) enabled_ = false;
    return;
  }
  timer_.reset();
  timer_ = ui::TimerHandle(nullptr, 0, static_cast<UINT>(std::max(delayMs, 1)), TimerProc);
}

void TSkinManage::ScheduleReattach(HWND wnd, int delayMs) {
  pendingWindow_ = wnd;
  Schedule(kReattach, delayMs);
}

void CALLBACK TSkinManage::TimerProc(HWND, UINT, UINT_PTR, DWORD) {
  try {
    if (g_manager) g_manager->RunAction();
  } catch (...) {
    // A failed request leaves the windows as they are; the next request starts afresh.
  }
}

void TSkinManage::RunAction() {
  timer_.reset();
  const int action = std::exchange(pending_, kNone);
  TSkinData* skin = current_;
  if (!skin) return;
  if (action == kReattach) {
    HWND wnd = std::exchange(pendingWindow_, nullptr);
    if (TWinSkinForm* form = FindForm(wnd)) {
      form->Detach();
      form->MarkFinished();
      PurgeForms();
    }
    if (wnd && IsWindow(wnd)) SkinWindow(wnd);
    return;
  }
  if (skin->SkinFormtype() == TSkinFormType::sfOnlyThisForm) {
    RunOnlyThisForm(action, skin);
  } else {
    switch (action) {
      case kActivate:
        enabled_ = true;
        SkinScreenForms();
        break;
      case kDeactivate:
        enabled_ = false;
        DetachAllForms();
        break;
      case kReskin: {
        PurgeForms();
        // The change events raised by each skinner may free other forms (and their skinners):
        // a skinner is used only while it is still listed.
        const std::vector<TWinSkinForm*> forms = forms_;
        for (TWinSkinForm* form : forms)
          if (Listed(form) && form->SkinData() == skin && !form->Finished()) form->Reskin();
        break;
      }
      case kFree:
        PurgeForms();
        break;
      default:
        break;
    }
  }
  // The request is done before its event runs, so a request made by the handler is kept.
  if (current_ == skin) current_ = nullptr;
  if (skin->OnSkinChanged) skin->OnSkinChanged(skin);
}

void TSkinManage::SkinScreenForms() {
  hideWhileSkinning_ = false;
  forcing_ = true;
  PurgeForms();
  if (ui::Screen) {
    const std::vector<ui::TCustomForm*> screenForms = ui::Screen->FormList();
    for (auto it = screenForms.rbegin(); it != screenForms.rend(); ++it) SkinFormIfVisible(*it);
  }
  forcing_ = false;
}

void TSkinManage::DetachAllForms() {
  PurgeForms();
  const std::vector<TWinSkinForm*> forms = forms_;
  for (TWinSkinForm* form : forms)
    if (Listed(form)) DetachAndFree(form);
}

void TSkinManage::RunOnlyThisForm(int action, TSkinData* skin) {
  auto* owner = dynamic_cast<ui::TCustomForm*>(skin->Owner());
  switch (action) {
    case kActivate:
      enabled_ = forcing_ = true;
      if (owner) SkinFormIfVisible(owner);
      forcing_ = false;
      break;
    case kDeactivate: {
      enabled_ = false;
      PurgeForms();
      for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
        if ((*it)->SkinData() == skin) {
          DetachAndFree(*it);
          break;
        }
      break;
    }
    case kReskin:
      PurgeForms();
      for (TWinSkinForm* form : forms_)
        if (form->SkinData() == skin) {
          form->Reskin();
          break;
        }
      break;
    case kFree:
      PurgeForms();
      break;
    default:
      break;
  }
}

void TSkinManage::RefreshForms(TSkinData* skin) {
  // The skin's elements were replaced: every skinner of it takes the new images and buttons now,
  // before any paint could reach the old ones. The re-skin request then fits and repaints.
  for (TWinSkinForm* form : forms_)
    if (form->SkinData() == skin && !form->Finished()) form->ReloadSkinData();
  // A new image may come with the handle of the one it replaced: the popups' copy is made again.
  popupImage_ = ImageDC();
  popupImageSource_ = nullptr;
}

// ---- Form skinners
// -------------------------------------------------------------------------------

void TSkinManage::DetachAndFree(TWinSkinForm* form) {
  form->Detach();
  form->MarkFinished();
  if (form->InMessage()) return;  // freed by the next purge, once its message has returned
  delete form;
}

void TSkinManage::FormSkinnerGone(TWinSkinForm* form) { std::erase(forms_, form); }

bool TSkinManage::Listed(const TWinSkinForm* form) const {
  return std::find(forms_.begin(), forms_.end(), form) != forms_.end();
}

void TSkinManage::PurgeForms() {
  if (state_ == kDestroying) return;
  std::vector<TWinSkinForm*> done;
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
    if ((*it)->Finished() && !(*it)->InMessage()) done.push_back(*it);
  for (TWinSkinForm* form : done)
    if (Listed(form)) delete form;
}

TWinSkinForm* TSkinManage::FindForm(HWND wnd) const {
  if (!wnd) return nullptr;
  for (TWinSkinForm* form : forms_)
    if (form->Handle == wnd && !form->Finished()) return form;
  return nullptr;
}

ui::TComponent* TSkinManage::FindControlObject(HWND wnd) const {
  if (ui::Screen)
    for (ui::TCustomForm* form : ui::Screen->FormList())
      if (form->HandleAllocated() && form->Handle() == wnd) return form;
  return ui::TWinControl::FindControl(wnd);
}

void TSkinManage::SkinFormIfVisible(ui::TCustomForm* form) {
  // A form whose window does not exist yet is not given one from here.
  if (!form || !form->Visible() || !form->HandleAllocated()) return;
  HWND wnd = form->Handle();
  if (GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CHILD) return;
  SkinWindow(wnd);
}

// Every attaching pass first frees the skinners whose windows are gone: none of them may stand
// for a window made since (a re-created control, or a handle the system gave out again).
void TSkinManage::AttachControls(TWinSkinForm& form) {
  form.PurgeDestroyed();
  ClassifyFormControls(form);
}

TSkinData* TSkinManage::ChooseSkinData(HWND wnd, const std::string& className) const {
  std::vector<SkinCandidate> candidates;
  for (TSkinData* s : skinDatas_) {
    SkinCandidate c;
    c.formType = static_cast<int>(s->SkinFormtype());
    auto* owner = dynamic_cast<ui::TCustomForm*>(s->Owner());
    c.ownsWindow = owner && owner->HandleAllocated() && owner->Handle() == wnd;
    candidates.push_back(c);
  }
  const int i = ChooseSkin(candidates, className);
  return i < 0 ? nullptr : skinDatas_[static_cast<size_t>(i)];
}

bool TSkinManage::ShouldSkin(HWND wnd, const std::string& className) const {
  if (!main_) return true;
  const auto style = static_cast<unsigned>(GetWindowLongPtrW(wnd, GWL_STYLE));
  bool doSkin = ShouldSkinClass(className, style, InSet(main_->Options(), xoPreview));
  main_->FormSkinQuery(wnd, className, doSkin);
  return doSkin;
}

bool TSkinManage::SkinWindow(HWND wnd) {
  // High contrast: the user asked for the system's own look everywhere.
  if (!enabled_ || highContrast_ || !wnd || !IsWindow(wnd)) return false;
  PurgeForms();
  if (SendMessageW(wnd, SM_ISSKINNED, 0, 0) == 1 || FindForm(wnd)) return false;
  ui::TComponent* object = FindControlObject(wnd);
  auto* form = dynamic_cast<ui::TCustomForm*>(object);
  if (!forcing_ && IsPlainChild(wnd)) return false;
  const std::string className = WindowClassNameOf(wnd);
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(wnd, GWLP_HINSTANCE));
  if (!form && instance != GetModuleHandleW(nullptr) && className != "#32770") return false;
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_EXSTYLE));
  RECT r{};
  GetWindowRect(wnd, &r);
  if ((r.right <= r.left || r.bottom <= r.top) && !(exStyle & WS_EX_MDICHILD)) return false;
  if (form && form->Tag() == kNeverSkinnedTag) return false;
  if (IsExcludedClass(className)) return false;
  if (!ShouldSkin(wnd, className)) return false;
  TSkinData* skin = ChooseSkinData(wnd, className);
  if (!skin || skin->NoSkin()) return false;

  auto* skinner = new TWinSkinForm(form, this);
  skinner->Handle = wnd;
  skinner->WindowClassName = className;
  forms_.push_back(skinner);
  const bool attached = form ? skinner->AttachForm(skin, form) : skinner->Attach(skin);
  if (!attached) {
    delete skinner;  // takes itself out of the list
    return false;
  }
  PostMessageW(wnd, SM_ATTACH, 0, 1000);
  return true;
}

// ---- The hook
// ------------------------------------------------------------------------------------

LRESULT CALLBACK TSkinManage::HookProc(int code, WPARAM wParam, LPARAM lParam) {
  TSkinManage* manager = g_manager.get();
  HHOOK hook = manager ? manager->hook_.get() : nullptr;
  if (code >= 0 && manager && !g_destroyed) {
    try {
      manager->Hook(code, wParam, lParam);
    } catch (...) {
      // A window the manager cannot skin keeps its own frame.
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

void TSkinManage::Hook(int code, WPARAM wParam, LPARAM lParam) {
  auto wnd = reinterpret_cast<HWND>(wParam);
  switch (code) {
    case HCBT_CREATEWND: {
      const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
      if (!create || !create->lpcs) break;
      // A size grip made on a skinned window gets its skinner from that window's skinner.
      if ((create->lpcs->style & SBS_SIZEGRIP) && WindowClassNameOf(wnd) == "ScrollBar")
        if (TWinSkinForm* parent = FindForm(create->lpcs->hwndParent))
          ClassifyChildWindow(*parent, wnd);
      // A control of a skinned window whose window was destroyed gets a new one: the window's
      // controls are looked at again once it exists.
      if ((create->lpcs->style & WS_CHILD) && create->lpcs->hwndParent)
        if (TWinSkinForm* top = FindForm(GetAncestor(create->lpcs->hwndParent, GA_ROOT)))
          if (top->HasDestroyedControls()) top->RequestControlPass();
      if (create->lpcs->dwExStyle & WS_EX_MDICHILD) SkinWindow(wnd);
      if (!(create->lpcs->style & WS_CHILD) && WindowClassNameOf(wnd) == "#32768")
        SkinPopupMenu(wnd);
      break;
    }
    case HCBT_DESTROYWND:
      MenuDestroyed(wnd);
      break;
    case HCBT_ACTIVATE:
      if (state_ == kNotStarted) state_ = kRunning;
      SkinWindow(wnd);
      break;
    default:
      break;
  }
}

}  // namespace skin
