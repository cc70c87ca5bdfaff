// The input-method preference of text controls: a control with an ImeName switches the thread
// to that input method while it has the focus and back when it loses it.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

// The installed input-method layout whose description is `name`, or nullptr.
HKL FindImeLayout(const std::wstring& name);

// Switches to the named input method for the time a control has the focus.
class TImePreference {
 public:
  // On entering the control: activates the named layout when it is installed.
  void Enter(const std::wstring& name);
  // On leaving: the layout that was active before comes back.
  void Exit();

 private:
  HKL previous_ = nullptr;
};

}  // namespace ui
