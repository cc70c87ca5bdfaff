#include "skin/controls/SkinnerRegistry.h"

#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinCheckRadio.h"
#include "skin/controls/SkinBoxes.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinTabs.h"

namespace skin {

namespace {
template <class T>
TSkinControl* Make(ui::TComponent* owner) {
  return new T(owner);
}

using Factory = TSkinControl* (*)(ui::TComponent*);

// The skinners that exist so far; every other kind keeps the native look.
Factory FactoryOf(SkinnerKind kind) {
  switch (kind) {
    case SkinnerKind::Button:
      return &Make<TSkinButton>;
    case SkinnerKind::BitButton:
      return &Make<TSkinBitButton>;
    case SkinnerKind::CheckBox:
      return &Make<TSkinCheckBox>;
    case SkinnerKind::RadioButton:
      return &Make<TSkinRadioButton>;
    case SkinnerKind::SpeedButton:
      return &Make<TSkinSpeedButton>;
    case SkinnerKind::MenuButton:
      return &Make<TSkinMenuButton>;
    case SkinnerKind::GroupBox:
      return &Make<TSkinGroupBox>;
    case SkinnerKind::Box:
      return &Make<TSkinBox>;
    case SkinnerKind::StatusBar:
      return &Make<TSkinStatusBar>;
    case SkinnerKind::Tab:
      return &Make<TSkinTab>;
    case SkinnerKind::Tab31:
      return &Make<TSkinTab31>;
    case SkinnerKind::MediaPlayer:
      return &Make<TSkinMP>;
    default:
      return nullptr;
  }
}
}  // namespace

TSkinControl* CreateSkinner(SkinnerKind kind, ui::TComponent* owner) {
  const Factory make = FactoryOf(kind);
  return make ? make(owner) : nullptr;
}

bool HasSkinner(SkinnerKind kind) { return FactoryOf(kind) != nullptr; }

}  // namespace skin
