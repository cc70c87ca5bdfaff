#include "ui/Ime.h"

#include <imm.h>

#include <vector>

namespace ui {

HKL FindImeLayout(const std::wstring& name) {
  if (name.empty()) return nullptr;
  int n = GetKeyboardLayoutList(0, nullptr);
  if (n <= 0) return nullptr;
  std::vector<HKL> layouts(static_cast<size_t>(n));
  n = GetKeyboardLayoutList(n, layouts.data());
  for (int i = 0; i < n; ++i) {
    HKL layout = layouts[static_cast<size_t>(i)];
    if (!ImmIsIME(layout)) continue;
    wchar_t description[256] = {};
    UINT len = ImmGetDescriptionW(layout, description, 255);
    if (len > 0 && name == std::wstring(description, len)) return layout;
  }
  return nullptr;
}

void TImePreference::Enter(const std::wstring& name) {
  HKL wanted = FindImeLayout(name);
  if (!wanted) return;
  HKL current = GetKeyboardLayout(0);
  if (current == wanted) return;
  if (ActivateKeyboardLayout(wanted, 0)) previous_ = current;
}

void TImePreference::Exit() {
  if (previous_) ActivateKeyboardLayout(previous_, 0);
  previous_ = nullptr;
}

}  // namespace ui
