// Which top-level windows the skin manager skins and with which registered skin: the rules on
// class names and styles, and the choice among the registered skins. Pure functions, so the
// manager's decisions are tested without windows.
#pragma once

#include <string>
#include <vector>

#include "skin/frame/FrameGeometry.h"

namespace skin {

// Class names that are never skinned (the application window, foreign render and popup windows).
bool IsExcludedClass(const std::string& className);
// The class-name filter before a window is skinned: previews only when allowed, no dialogs with
// style bit 0x200, no data-aware tree pop-ups. The skin's own query comes after this.
bool ShouldSkinClass(const std::string& className, unsigned style, bool previewAllowed);

// A registered skin as the choice sees it. formType: 0 main form, 1 only its own form, 2 dialogs,
// 3 modules (the numbering of the skin's SkinFormtype).
struct SkinCandidate {
  int formType = 0;
  bool ownsWindow = false;  // the skin's owner form is the window being skinned
};

// Index of the skin a window gets, or -1: a skin of its own form (the last one), else for a
// dialog class the last dialog skin, else the last main-form skin, else the first of any kind.
int ChooseSkin(const std::vector<SkinCandidate>& skins, const std::string& className);

}  // namespace skin
