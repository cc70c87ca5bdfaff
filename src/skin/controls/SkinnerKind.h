// The kinds of control skinner the classification can choose. Portable: the rules that choose a
// kind are pure functions; which kinds have a skinner is the registry's business.
#pragma once

namespace skin {

enum class SkinnerKind : int {
  None,
  Button,     // push buttons
  BitButton,  // glyph buttons
  MenuButton,
  SpeedButton,
  CheckBox,
  RadioButton,
  GroupBox,
  Box,  // panels and other containers recoloured with the skin
  StatusBar,
  Tab,
  Tab31,
  MediaPlayer,
  Edit,
  ComboBox,
  UpDown,
  Scrollbar,
  ScrollContainer,  // scroll boxes inside an "embedscrollbar" container
  Header,
  Progress,
  TrackBar,
  DateTime,
  AdvPage,
  ObjImage,   // check and radio images of foreign control libraries
  Sizer,      // size grips
  BoxH,       // bare dialogs and tool bars
  ScControl,  // scroll-bar controls
  ListView,   // list views: window bars and the header
};

const char* SkinnerKindName(SkinnerKind kind);

}  // namespace skin
