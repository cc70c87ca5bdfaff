#include "skin/manager/ControlRules.h"

#include <algorithm>
#include <cwctype>
#include <initializer_list>

#include "ui/Text.h"

namespace skin {

namespace {

// Window style bits the rules read (the values of the system's headers).
constexpr uint32_t kHScroll = 0x00100000;
constexpr uint32_t kVScroll = 0x00200000;
constexpr uint32_t kTabStop = 0x00010000;
constexpr uint32_t kButtonTypeMask = 0x0F;
constexpr uint32_t kButtonIcon = 0x40;        // the button shows an icon instead of its text
constexpr uint32_t kButtonBitmap = 0x80;      // the button shows a bitmap instead of its text
constexpr uint32_t kButtonPushLike = 0x1000;  // a check box or radio button drawn as a push button
constexpr uint32_t kSizeGrip = 0x10;
constexpr uint32_t kSimpleCombo = 0x3;
constexpr uint32_t kTabOwnerDraw = 0x2000;
constexpr size_t kMaxKindLength = 50;

bool NameIs(const std::string& upper, std::initializer_list<const char*> names) {
  return std::any_of(names.begin(), names.end(), [&](const char* n) { return upper == n; });
}

ControlDecision Make(SkinnerKind kind, bool recolour = false) {
  ControlDecision d;
  d.kind = kind;
  d.recolour = recolour;
  return d;
}

ControlDecision Children(ChildRule rule, SkinnerKind kind = SkinnerKind::None,
                         bool recolour = false) {
  ControlDecision d = Make(kind, recolour);
  d.children = rule;
  return d;
}

// Radio and check groups: what the children get, by the group's name.
ControlDecision Group(ChildRule rule, SkinnerKind groupKind, bool childrenOn,
                      const std::string& upperName, SkinnerKind childKind, int objImageKind) {
  ControlDecision d = Children(rule, groupKind);
  if (childrenOn) {
    const bool foreign = upperName.find("TRZ") != std::string::npos;
    d.childKind = foreign ? SkinnerKind::ObjImage : childKind;
    d.objImageKind = foreign ? objImageKind : 0;
  }
  return d;
}

bool HasScrollStyle(const ControlFacts& c) {
  return (c.classes & fcWinControl) && (c.style & (kVScroll | kHScroll));
}

// The class table: the first row whose test and requirement hold. A row whose requirement fails
// lets the next rows be tried.
ControlDecision ClassTable(const ControlFacts& c, const ClassifySwitches& sw,
                           const std::string& name) {
  const uint32_t set = sw.skinControls;
  const auto on = [set](ControlSwitch s) { return HasSwitch(set, s); };
  const auto is = [&c](FrameworkClass f) { return (c.classes & f) != 0; };

  if (name == "TTABSET" && on(swTab) && sw.hasTabs) return Make(SkinnerKind::Tab31);
  if (name == "TTABBEDNOTEBOOK" && on(swTab) && sw.hasTabs) return Make(SkinnerKind::Tab);
  if (name == "TMVCPANEL") return Children(ChildRule::ClassifyBefore);
  // The framework's own common controls that show data; a header has no switch of its own.
  if (name == "THEADERCONTROL") return Make(SkinnerKind::Header);
  if (name == "TPROGRESSBAR" && on(swProgress)) return Make(SkinnerKind::Progress);
  if (name == "TTRACKBAR" && on(swTrackBar)) return Make(SkinnerKind::TrackBar);
  if (name == "TDATETIMEPICKER" && on(swCombo)) return Make(SkinnerKind::DateTime);
  if (NameIs(name, {"TUPDOWN", "TSPINBUTTON"}) && on(swSpin)) return Make(SkinnerKind::UpDown);
  if (name == "TMEDIAPLAYER" && on(swButton)) return Make(SkinnerKind::MediaPlayer);
  if (name == "TMENUBUTTON" && on(swButton)) return Make(SkinnerKind::MenuButton);
  if (name == "TSTATUSBAR" && on(swStatusBar)) return Make(SkinnerKind::StatusBar);
  if (NameIs(name, {"TPAGECONTROL", "TTABCONTROL"}) && on(swTab) && sw.hasTabs)
    return Make(SkinnerKind::Tab);
  if (name == "TDBNAVIGATOR" && on(swPanel))
    return Children(ChildRule::ClassifyAfter, SkinnerKind::Box, true);
  if (NameIs(name, {"TRZDBCHECKBOX", "TRZCHECKBOX"}) && on(swCheckBox)) {
    ControlDecision d = Make(SkinnerKind::ObjImage, true);
    d.objImageKind = 1;
    return d;
  }
  if (NameIs(name, {"TRZRADIOBUTTON", "TRZDBRADIOBUTTON"}) && on(swRadioButton)) {
    ControlDecision d = Make(SkinnerKind::ObjImage, true);
    d.objImageKind = 2;
    return d;
  }
  if (NameIs(name, {"TCXDBCHECKBOX", "TCXCHECKBOX"}) && on(swCheckBox)) {
    ControlDecision d = Make(SkinnerKind::ObjImage, true);
    d.objImageKind = 3;
    return d;
  }
  if (name == "TTNTCOMBOBOX" && on(swCombo)) return Make(SkinnerKind::ComboBox);
  if (is(fcComboBox) && on(swCombo)) return Make(SkinnerKind::ComboBox);
  if (name == "TRICHEDIT" && on(swScrollbar)) return Make(SkinnerKind::Scrollbar);
  if (NameIs(name, {"TWWDBRICHEDIT", "TDXDBMEMO"}) && on(swScrollbar))
    return Make(SkinnerKind::Scrollbar);
  if (is(fcSpeedButton) && on(swSpeedButton)) return Make(SkinnerKind::SpeedButton);
  if (is(fcPanel) && on(swPanel))
    return Children(ChildRule::ClassifyBefore, SkinnerKind::Box, true);
  if (NameIs(name, {"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"}) && on(swScrollbar))
    return Make(SkinnerKind::Scrollbar);
  if (name == "TSCROLLBAR" && on(swScrollbar)) return Make(SkinnerKind::ScControl);
  if (name == "TLISTVIEW" && on(swScrollbar)) return Make(SkinnerKind::ListView);
  if (HasScrollStyle(c) && on(swScrollbar)) return Make(SkinnerKind::Scrollbar);
  // Glyph buttons are push buttons too: their own row comes first.
  if (is(fcBitBtn) && on(swButton)) return Make(SkinnerKind::BitButton);
  if (is(fcButton) && on(swButton)) return Make(SkinnerKind::Button);
  if (is(fcCheckBox) && on(swCheckBox)) return Make(SkinnerKind::CheckBox);
  if (is(fcRadioButton) && on(swRadioButton)) return Make(SkinnerKind::RadioButton);
  // A radio group is a group box: its row comes before the group box's.
  if (is(fcRadioGroup)) {
    ControlDecision d =
        Children(ChildRule::RadioGroup, on(swGroupBox) ? SkinnerKind::GroupBox : SkinnerKind::None);
    if (on(swRadioButton)) d.childKind = SkinnerKind::RadioButton;
    return d;
  }
  if (is(fcGroupBox) && on(swGroupBox)) return Make(SkinnerKind::GroupBox);
  if (is(fcEdit) && on(swEdit)) return Make(SkinnerKind::Edit);
  if (NameIs(name, {"TDCEDIT", "TDCDBEDIT"})) {
    if (c.numButtons == 1 && on(swCombo)) return Make(SkinnerKind::ComboBox);
    if (c.numButtons == 0 && on(swEdit)) {
      ControlDecision d = Make(SkinnerKind::Edit);
      d.byHandle = true;
      return d;
    }
    if (c.numButtons != 0 && c.numButtons != 1) return {};
  }
  if (is(fcForm)) return Children(ChildRule::OwnedAfter, SkinnerKind::Box, true);
  return {};
}

}  // namespace

TagDecision DecideByTag(const ControlFacts& control, const ClassifySwitches& switches) {
  TagDecision d;
  if (control.tag != switches.disableTag) return d;
  d.disabled = true;
  const std::string lower = ui::AsciiLower(control.className);
  d.disableChildren =
      (control.classes & fcWinControl) && (lower.find("radiogroup") != std::string::npos ||
                                           lower.find("checkgroup") != std::string::npos);
  return d;
}

Skin3rdMatch FindSkin3rd(std::string_view className, const std::vector<std::wstring>& lines) {
  // Compared in place, letter case ignored: the map is long and asked once per control.
  const auto lower = [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); };
  const size_t n = className.size();
  for (const std::wstring& line : lines) {
    if (line.size() <= n || line[n] != L'=') continue;
    bool same = true;
    for (size_t i = 0; i < n && same; ++i)
      same = lower(line[i]) == lower(static_cast<unsigned char>(className[i]));
    if (!same) continue;
    Skin3rdMatch m;
    m.found = true;
    const size_t end = std::min(line.size(), n + 1 + kMaxKindLength);
    for (size_t i = n + 1; i < end; ++i) {
      const wchar_t c = lower(line[i]);
      m.kind.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return m;
  }
  return {};
}

ControlDecision DecideSkin3rd(const std::string& kind, const ControlFacts& c,
                              const ClassifySwitches& sw) {
  const uint32_t set = sw.skinControls;
  const auto on = [set](ControlSwitch s) { return HasSwitch(set, s); };
  const std::string name = ui::AsciiUpper(c.className);
  ControlDecision d;

  if (kind == "combobox" && on(swCombo)) {
    d = Make(SkinnerKind::ComboBox);
  } else if (kind == "comboboxex" && on(swCombo)) {
    d = Make(SkinnerKind::ComboBox);
    d.extendedCombo = true;
  } else if (kind == "edit" && on(swEdit)) {
    if (c.hasBorder) d = Make(SkinnerKind::Edit);
  } else if (kind == "radiobutton" && on(swRadioButton)) {
    d = Make(SkinnerKind::RadioButton);
  } else if (kind == "panel" && on(swPanel)) {
    d = Make(SkinnerKind::Box, true);
    d.setTransparent = true;
  } else if (kind == "trackbar" && on(swButton)) {
    d = Make(SkinnerKind::TrackBar);
    d.setTransparent = true;
  } else if (kind == "button" && on(swButton)) {
    d = Make(SkinnerKind::Button);
  } else if (kind == "datetimepicker" && on(swCombo)) {
    d = Make(SkinnerKind::DateTime);
  } else if (kind == "mediaplayer" && on(swButton)) {
    d = Make(SkinnerKind::MediaPlayer);
  } else if (kind == "bitbtn" && on(swButton)) {
    const bool dropDown = name == "TCXBUTTON" && ui::AsciiLower(c.kind) == "cxbkdropdownbutton";
    d = Make(dropDown ? SkinnerKind::MenuButton : SkinnerKind::BitButton);
  } else if (kind == "pngbitbtn" && on(swButton)) {
    d = Make(SkinnerKind::BitButton);
    d.glyphProperty = "PngImage";
  } else if (kind == "pngspeedbutton" && on(swButton)) {
    d = Make(SkinnerKind::SpeedButton);
    d.glyphProperty = "PngImage";
  } else if (kind == "menubtn" && on(swButton)) {
    d = Make(SkinnerKind::MenuButton);
  } else if (kind == "speedbutton" && on(swSpeedButton)) {
    d = Make(SkinnerKind::SpeedButton);
  } else if (kind == "tab" && on(swTab) && sw.hasTabs) {
    d = Make(SkinnerKind::Tab);
  } else if (kind == "progress" && on(swProgress)) {
    d = Make(SkinnerKind::Progress);
  } else if (kind == "scrollbar" && on(swScrollbar)) {
    d = Children(ChildRule::ClassifyAfter, SkinnerKind::Scrollbar);
  } else if (kind == "singlescrollbar" && on(swScrollbar)) {
    d = Make(SkinnerKind::Scrollbar);
    d.singleBar = true;
  } else if (kind == "embedscrollbar" && on(swScrollbar)) {
    d = Children(ChildRule::EmbedScrollbar);
  } else if (kind == "container") {
    d = Children(ChildRule::ClassifyBefore);
  } else if (kind == "groupbox" && on(swGroupBox)) {
    d = Make(SkinnerKind::GroupBox);
  } else if (kind == "advpagecontrol" && on(swTab)) {
    d = Make(SkinnerKind::AdvPage, true);
    d.mode = 4;
  } else if (kind == "radiogroup" && on(swGroupBox)) {
    d = Group(ChildRule::RadioGroup, SkinnerKind::GroupBox, on(swRadioButton), name,
              SkinnerKind::RadioButton, 2);
  } else if (kind == "checkgroup" && on(swPanel)) {
    // The check boxes follow the check-box switch (not the radio one).
    d = Group(ChildRule::CheckGroup, on(swGroupBox) ? SkinnerKind::GroupBox : SkinnerKind::None,
              on(swCheckBox), name, SkinnerKind::CheckBox, 1);
  } else if (kind == "checkbox" && on(swCheckBox)) {
    d = Make(SkinnerKind::CheckBox);
  }
  d.handled = true;
  return d;
}

ControlDecision DecideControl(const ControlFacts& control, const ClassifySwitches& switches) {
  const Skin3rdMatch entry = FindSkin3rd(control.className, switches.skin3rd);
  if (entry.found) return DecideSkin3rd(entry.kind, control, switches);
  const std::string name = ui::AsciiUpper(control.className);
  if (NameIs(name, {"TDBCOMBOBOXEH", "TFRDESIGNERPAGE", "TFRPBOX"})) return {};
  return ClassTable(control, switches, name);
}

ControlDecision DecideGroupChild(const ControlDecision& parent, const ControlFacts& child) {
  switch (parent.children) {
    case ChildRule::RadioGroup:
    case ChildRule::CheckGroup: {
      ControlDecision d = Make(parent.childKind, parent.childKind == SkinnerKind::ObjImage);
      d.objImageKind = parent.objImageKind;
      return d;
    }
    case ChildRule::EmbedScrollbar:
      if (child.classes & fcScrollBox) return Make(SkinnerKind::ScrollContainer);
      if (HasScrollStyle(child)) return Make(SkinnerKind::Scrollbar);
      return {};
    default:
      return {};
  }
}

SkinnerKind ButtonWindowKind(uint32_t style, uint32_t skinControls) {
  // A button showing an image instead of its text keeps its own look: the skin draws text only.
  if (style & (kButtonBitmap | kButtonIcon)) return SkinnerKind::None;
  const auto when = [skinControls](ControlSwitch s, SkinnerKind k) {
    return HasSwitch(skinControls, s) ? k : SkinnerKind::None;
  };
  switch (style & kButtonTypeMask) {
    case 0x0:  // push button
    case 0x1:  // default push button
    case 0xA:  // push box
      return when(swButton, SkinnerKind::Button);
    case 0x2:  // check box
    case 0x3:  // automatic check box
    case 0x5:  // three-state
    case 0x6:  // automatic three-state
      // Push-like, it looks like a push button: a glyph over it would be wrong, and the button
      // skinner would take the click that toggles it. It keeps its own look and behaviour.
      if (style & kButtonPushLike) return SkinnerKind::None;
      return when(swCheckBox, SkinnerKind::CheckBox);
    case 0x4:  // radio button
    case 0x9:  // automatic radio button
      if (style & kButtonPushLike) return SkinnerKind::None;
      return when(swRadioButton, SkinnerKind::RadioButton);
    default:
      // Group boxes, owner-drawn and parent-painted user buttons; split buttons and command links,
      // whose drop-down part and note the push-button skinner neither draws nor passes a click to.
      return SkinnerKind::None;
  }
}

WindowDecision DecideChildWindow(std::string_view className, uint32_t style,
                                 uint32_t skinControls) {
  const std::string name = ui::AsciiLower(className);
  const auto on = [skinControls](ControlSwitch s) { return HasSwitch(skinControls, s); };
  const auto attach = [](SkinnerKind k) { return WindowDecision{WindowAction::Attach, k}; };

  if (name == "button") return attach(ButtonWindowKind(style, skinControls));
  if (name == "combobox" && on(swCombo) && (style & kSimpleCombo) != 1)
    return attach(SkinnerKind::ComboBox);
  if (name == "comboboxex32" && on(swCombo))
    return {WindowAction::FirstChild, SkinnerKind::ComboBox};
  // Only a size grip gets the sizer; other scroll bars are left to their own rules.
  if (name == "scrollbar" && (style & kSizeGrip) && !(style & kTabStop))
    return attach(SkinnerKind::Sizer);
  if (name == "systreeview32") return {};
  if (name == "#32770" && !(style & kTabStop))
    return {WindowAction::ChildrenFirst, SkinnerKind::BoxH};
  if (name == "tpanel" || name == "ttntpanel.unicodeclass" ||
      name == "ttntsilentpaintpanel.unicodeclass")
    return {WindowAction::ChildrenOnly, SkinnerKind::None};
  if (name == "tcheckbox" && on(swCheckBox)) return attach(SkinnerKind::CheckBox);
  if (name == "tcombobox" && on(swCombo)) return attach(SkinnerKind::ComboBox);
  if (name == "tbutton" && on(swButton)) return attach(SkinnerKind::Button);
  if (name == "tprogressbar") return attach(SkinnerKind::Progress);
  if (name == "tsilentpaintpanel") return {WindowAction::ColourOnly, SkinnerKind::None};
  if (name == "systabcontrol32" && on(swTab) && !(style & kTabOwnerDraw))
    return attach(SkinnerKind::Tab);
  if (name == "toolbarwindow32") return attach(SkinnerKind::BoxH);
  if (name == "edit" && on(swEdit)) return attach(SkinnerKind::Edit);
  return {};
}

}  // namespace skin
