// Which skinner kinds exist: the classification asks here for a skinner of the kind it chose; a
// kind without one (its skinner is not built yet) keeps the control's native look.
#pragma once

#include "skin/controls/SkinnerKind.h"

namespace ui {
class TComponent;
}

namespace skin {

class TSkinControl;

// Makes a skinner of the kind, owned by `owner` (the control; null for a bare window). Null when
// the kind has no skinner.
TSkinControl* CreateSkinner(SkinnerKind kind, ui::TComponent* owner);
bool HasSkinner(SkinnerKind kind);

}  // namespace skin
