// What the skin data component asks of the global skin manager: registration, the current skin,
// delayed actions (1 activate, 2 deactivate, 3 re-skin), the running state, the window hook and
// refreshing the windows skinned with a skin. The manager implements ISkinScheduler and installs
// a provider once at start-up; until one is installed a skin data component has nobody to register
// with and only keeps its settings (which is what tests without a manager see).
#pragma once

#include <windows.h>

namespace ui {
class TCustomForm;
}

namespace skin {

class TSkinData;

class ISkinScheduler {
 public:
  // Actions a skin asks for, run by the manager's timer after the given delay.
  enum Action : int { kActivate = 1, kDeactivate = 2, kReskin = 3 };
  static constexpr int kActionDelayMs = 250;

  virtual void AddSkinData(TSkinData* skin) = 0;
  virtual void RemoveSkinData(TSkinData* skin) = 0;
  // The skin the next action is for.
  virtual void SetCurrentSkinData(TSkinData* skin) = 0;
  // A new request replaces a pending one.
  virtual void Schedule(int action, int delayMs) = 0;
  // State is not 0: a window has been activated or a skin switched the manager on.
  virtual bool Running() const = 0;
  // State = 1.
  virtual void SetRunning() = 0;
  // A skin that does not hook (a form's own, a dialog's, a module's) counts itself in State and
  // lets new windows be skinned.
  virtual void EnableForSkin() = 0;
  // The thread's WH_CBT hook; installing twice does nothing more.
  virtual void InstallHook() = 0;
  // Skins the form's window now if it is visible and not a child.
  virtual void SkinFormIfVisible(ui::TCustomForm* form) = 0;
  // Every window skinned with `skin` re-reads its skin state.
  virtual void RefreshForms(TSkinData* skin) = 0;

 protected:
  ~ISkinScheduler() = default;
};

// Finds (and on first use creates) the process's skin manager.
class ISkinSchedulerProvider {
 public:
  // The manager, or null while none has been made.
  virtual ISkinScheduler* Existing() = 0;
  // The manager, made now if there is none.
  virtual ISkinScheduler* Ensure() = 0;

 protected:
  ~ISkinSchedulerProvider() = default;
};

// The manager's unit installs its provider at start-up (null removes it). One GUI thread: no
// locking.
void SetSkinSchedulerProvider(ISkinSchedulerProvider* provider);
ISkinSchedulerProvider* SkinSchedulerProvider();

}  // namespace skin
