#include "skin/controls/SkinnerKind.h"

namespace skin {

const char* SkinnerKindName(SkinnerKind kind) {
  switch (kind) {
    case SkinnerKind::None:
      return "None";
    case SkinnerKind::Button:
      return "Button";
    case SkinnerKind::BitButton:
      return "BitButton";
    case SkinnerKind::MenuButton:
      return "MenuButton";
    case SkinnerKind::SpeedButton:
      return "SpeedButton";
    case SkinnerKind::CheckBox:
      return "CheckBox";
    case SkinnerKind::RadioButton:
      return "RadioButton";
    case SkinnerKind::GroupBox:
      return "GroupBox";
    case SkinnerKind::Box:
      return "Box";
    case SkinnerKind::StatusBar:
      return "StatusBar";
    case SkinnerKind::Tab:
      return "Tab";
    case SkinnerKind::Tab31:
      return "Tab31";
    case SkinnerKind::MediaPlayer:
      return "MediaPlayer";
    case SkinnerKind::Edit:
      return "Edit";
    case SkinnerKind::ComboBox:
      return "ComboBox";
    case SkinnerKind::UpDown:
      return "UpDown";
    case SkinnerKind::Scrollbar:
      return "Scrollbar";
    case SkinnerKind::ScrollContainer:
      return "ScrollContainer";
    case SkinnerKind::Header:
      return "Header";
    case SkinnerKind::Progress:
      return "Progress";
    case SkinnerKind::TrackBar:
      return "TrackBar";
    case SkinnerKind::DateTime:
      return "DateTime";
    case SkinnerKind::AdvPage:
      return "AdvPage";
    case SkinnerKind::ObjImage:
      return "ObjImage";
    case SkinnerKind::Sizer:
      return "Sizer";
    case SkinnerKind::ScControl:
      return "ScControl";
    case SkinnerKind::ListView:
      return "ListView";
    case SkinnerKind::BoxH:
      return "BoxH";
  }
  return "?";
}

}  // namespace skin
