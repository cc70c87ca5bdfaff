#include "skin/controls/SkinnerRegistry.h"

#include "skin/controls/SkinAdvPage.h"
#include "skin/controls/SkinBoxes.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinCheckRadio.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinDateTime.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinFaceFills.h"
#include "skin/controls/SkinHeaderBar.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinMenuButton.h"
#include "skin/controls/SkinObjImage.h"
#include "skin/controls/SkinProgress.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTabs.h"
#include "skin/controls/SkinTrackBar.h"
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
    case SkinnerKind::ComboBox:
      return &Make<TSkinComBox>;
    case SkinnerKind::ScControl:
      return &Make<TSkinScControl>;
    case SkinnerKind::ListView:
      return &Make<TSkinListView>;
    case SkinnerKind::Scrollbar:
    // A scroll box has window bars like any other scrolling control.
    case SkinnerKind::ScrollContainer:
      return &Make<TSkinScrollbar>;
    case SkinnerKind::Header:
      return &Make<TSkinHeaderBar>;
    case SkinnerKind::Progress:
      return &Make<TSkinProgress>;
    case SkinnerKind::TrackBar:
      return &Make<TSkinTrackBar>;
    case SkinnerKind::DateTime:
      return &Make<TSkinDateTime>;
    case SkinnerKind::AdvPage:
      return &Make<TSkinAdvPage>;
    case SkinnerKind::ObjImage:
      return &Make<TSkinObjImage>;
    case SkinnerKind::Sizer:
      return &Make<TSkinSizer>;
    case SkinnerKind::BoxH:
      return &Make<TSkinBoxH>;
    case SkinnerKind::Edit:
      return &Make<TSkinEdit>;
    case SkinnerKind::UpDown:
      return &Make<TSkinUpDown>;
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
