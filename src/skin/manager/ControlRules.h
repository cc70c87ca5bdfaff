// Which skinner each control of a skinned window gets: the rules as pure functions of what is
// known about the control (class name, the framework classes it descends from, window style, Tag
// and a few published properties) and of the skin's switches. The Win32 side gathers the facts,
// asks here, and creates and attaches what the decision names. Portable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/controls/SkinnerKind.h"

namespace skin {

// Framework classes a control can descend from (a bit set of them).
enum FrameworkClass : uint32_t {
  fcWinControl = 1u << 0,  // has (or can have) a window of its own
  fcComboBox = 1u << 1,
  fcSpeedButton = 1u << 2,
  fcPanel = 1u << 3,
  fcButton = 1u << 4,  // push buttons, glyph buttons included
  fcBitBtn = 1u << 5,
  fcEdit = 1u << 6,
  fcForm = 1u << 7,
  fcCheckBox = 1u << 8,
  fcRadioButton = 1u << 9,
  fcGroupBox = 1u << 10,  // radio groups included
  fcRadioGroup = 1u << 11,
  fcScrollBox = 1u << 12,
};

// Members of the skin's SkinControls set the rules read (bit positions, as TSkinControlType numbers
// them; the Win32 side checks that they agree).
enum ControlSwitch : int {
  swCombo = 5,
  swCheckBox = 6,
  swRadioButton = 7,
  swProgress = 8,
  swScrollbar = 9,
  swEdit = 10,
  swButton = 11,
  swSpeedButton = 13,
  swSpin = 14,
  swPanel = 15,
  swGroupBox = 16,
  swStatusBar = 17,
  swTab = 18,
  swTrackBar = 19,
};
constexpr bool HasSwitch(uint32_t set, ControlSwitch s) { return (set >> s) & 1u; }

// What the rules read about one framework control.
struct ControlFacts {
  std::string className;  // as the class names itself; the rules compare it upper-cased
  uint32_t classes = 0;   // FrameworkClass bits
  uint32_t style = 0;     // window style (0 without a window)
  intptr_t tag = 0;
  int numButtons = -1;     // published "NumButtons"; -1 when there is none
  std::string kind;        // published enumeration "Kind" (identifier); empty when there is none
  bool hasBorder = false;  // its window is larger than its client area
};

// The skin's switches, as the rules need them.
struct ClassifySwitches {
  uint32_t skinControls = 0;  // bit n: TSkinControlType n
  int disableTag = 99;
  bool hasTabs = false;               // the skin has a Tabs element
  std::vector<std::wstring> skin3rd;  // "class=kind" lines, in order
};

// What happens to a control's child controls.
enum class ChildRule {
  None,
  ClassifyBefore,  // each child by the usual rules, before the control's own skinner
  ClassifyAfter,   // each child by the usual rules, after the control's own skinner
  RadioGroup,      // each child a radio image (or radio button skinner), then the group
  CheckGroup,      // each child a check image (or check box skinner), then the group
  EmbedScrollbar,  // scroll boxes and scrolled windows among the children get scroll bars
  OwnedAfter,      // the components the control owns, after its own skinner (embedded forms)
};

struct ControlDecision {
  SkinnerKind kind = SkinnerKind::None;
  bool recolour = false;
  ChildRule children = ChildRule::None;
  // For RadioGroup / CheckGroup: the kind each child gets (None: children untouched), and
  // whether as a foreign image skinner (ObjImage) with recolour.
  SkinnerKind childKind = SkinnerKind::None;
  int objImageKind = 0;  // ObjImage: 1 check box, 2 radio button, 3 foreign check box
  bool extendedCombo = false;
  const char* glyphProperty = nullptr;  // the glyph comes from this property, not "Glyph"
  int mode = 0;                         // the skinner's Mode (0: its own default)
  bool setTransparent = false;          // the control's "Transparent" is set to True first
  bool byHandle = false;                // AttachHandle on the control's window, no owner
  bool singleBar = false;               // scroll bar skinner in single-bar mode
  // A Skin3rd entry decided (skinned or not): the table is not consulted.
  bool handled = false;
};

// The Tag switch, the first rule: whether the control keeps its native look, and whether its
// children are switched off with it (radio and check groups).
struct TagDecision {
  bool disabled = false;
  bool disableChildren = false;
};
TagDecision DecideByTag(const ControlFacts& control, const ClassifySwitches& switches);

// The kind a Skin3rd line names for the class ("nil", a row, anything), or nothing when no line
// names the class. Lines are compared lower-cased; the kind is at most 50 characters.
struct Skin3rdMatch {
  bool found = false;
  std::string kind;
};
Skin3rdMatch FindSkin3rd(std::string_view className, const std::vector<std::wstring>& lines);

// The Skin3rd row of a kind (handled is always true: a failed requirement or an unknown kind
// leave the control native).
ControlDecision DecideSkin3rd(const std::string& kind, const ControlFacts& control,
                              const ClassifySwitches& switches);

// The rules after the Tag, parent and handler steps: Skin3rd, the excluded names, then the
// first row of the class table whose requirement holds.
ControlDecision DecideControl(const ControlFacts& control, const ClassifySwitches& switches);

// The decision for one child of a control whose decision has a group rule (RadioGroup,
// CheckGroup, EmbedScrollbar).
ControlDecision DecideGroupChild(const ControlDecision& parent, const ControlFacts& child);

// ---- Bare child windows (no framework object) ---------------------------------------------------

enum class WindowAction {
  Attach,         // attach `kind` (if any) to the window
  FirstChild,     // attach `kind` to the window's first child window
  ChildrenFirst,  // classify its child windows, then attach `kind` to the window
  ChildrenOnly,   // classify its child windows; its framework control gets ButtonFace
  ColourOnly,     // its framework control (if any) gets ButtonFace
};

struct WindowDecision {
  WindowAction action = WindowAction::Attach;
  SkinnerKind kind = SkinnerKind::None;
};

// className: as GetClassName gives it (any case). style: GWL_STYLE.
WindowDecision DecideChildWindow(std::string_view className, uint32_t style, uint32_t skinControls);

// The skinner a system button window gets by its button type (style & BS_TYPEMASK), when the
// switch for that kind is set.
SkinnerKind ButtonWindowKind(uint32_t style, uint32_t skinControls);

}  // namespace skin
