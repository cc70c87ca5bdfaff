#include "skin/controls/SkinnerRegistry.h"

#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinCheckRadio.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinUpDown.h"

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
    case SkinnerKind::Edit:
      return &Make<TSkinEdit>;
    case SkinnerKind::UpDown:
      return &Make<TSkinUpDown>;
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
