// Which skinner each control gets: the class rows and what happens when their switch is off,
// the class-name map of the skin and its letter case, the Tag switch, system button styles and
// the bare child windows of foreign dialogs.
#include <gtest/gtest.h>

#include "skin/manager/ControlRules.h"

namespace {

using skin::ChildRule;
using skin::ControlDecision;
using skin::ControlFacts;
using skin::ControlSwitch;
using skin::SkinnerKind;
using skin::WindowAction;

constexpr uint32_t kAll = 0x3FFFFF;
constexpr uint32_t kVScroll = 0x00200000;

uint32_t Without(std::initializer_list<ControlSwitch> off) {
  uint32_t set = kAll;
  for (ControlSwitch s : off) set &= ~(1u << s);
  return set;
}

skin::ClassifySwitches Switches(uint32_t set = kAll, std::vector<std::wstring> skin3rd = {}) {
  skin::ClassifySwitches s;
  s.skinControls = set;
  s.hasTabs = true;
  s.skin3rd = std::move(skin3rd);
  return s;
}

ControlFacts Facts(const std::string& name, uint32_t classes = skin::fcWinControl,
                   uint32_t style = 0) {
  ControlFacts f;
  f.className = name;
  f.classes = classes;
  f.style = style;
  return f;
}

SkinnerKind KindOf(const ControlFacts& f, uint32_t set = kAll) {
  return skin::DecideControl(f, Switches(set)).kind;
}

// ---- The class table, row by row ----------------------------------------------------------------

// The row gives its kind with every switch on and nothing once its own switch is off (no later
// row matches these names).
void ExpectNamedRow(const char* name, ControlSwitch needs, SkinnerKind kind) {
  SCOPED_TRACE(name);
  EXPECT_EQ(KindOf(Facts(name)), kind);
  EXPECT_EQ(KindOf(Facts(name), Without({needs})), SkinnerKind::None);
}

TEST(ControlRules, NamedRowsNeedTheirSwitch) {
  ExpectNamedRow("TTabSet", skin::swTab, SkinnerKind::Tab31);
  ExpectNamedRow("TTabbedNotebook", skin::swTab, SkinnerKind::Tab);
  ExpectNamedRow("TUpDown", skin::swSpin, SkinnerKind::UpDown);
  ExpectNamedRow("TMediaPlayer", skin::swButton, SkinnerKind::MediaPlayer);
  ExpectNamedRow("TRzCheckBox", skin::swCheckBox, SkinnerKind::ObjImage);
  ExpectNamedRow("TRzDBRadioButton", skin::swRadioButton, SkinnerKind::ObjImage);
  ExpectNamedRow("TcxCheckBox", skin::swCheckBox, SkinnerKind::ObjImage);
  ExpectNamedRow("TTntComboBox", skin::swCombo, SkinnerKind::ComboBox);
  ExpectNamedRow("TRichEdit", skin::swScrollbar, SkinnerKind::Scrollbar);
  ExpectNamedRow("TdxDBMemo", skin::swScrollbar, SkinnerKind::Scrollbar);
  ExpectNamedRow("TdxTreeList", skin::swScrollbar, SkinnerKind::Scrollbar);
  ExpectNamedRow("TProgressBar", skin::swProgress, SkinnerKind::Progress);
  ExpectNamedRow("TTrackBar", skin::swTrackBar, SkinnerKind::TrackBar);
  ExpectNamedRow("TDateTimePicker", skin::swCombo, SkinnerKind::DateTime);
  // A header has no switch of its own: it follows its skin element alone.
  EXPECT_EQ(KindOf(Facts("THeaderControl"), 0), SkinnerKind::Header);
}

TEST(ControlRules, TabRowsAlsoNeedTheSkinsTabsElement) {
  skin::ClassifySwitches noTabs = Switches();
  noTabs.hasTabs = false;
  EXPECT_EQ(skin::DecideControl(Facts("TTabSet"), noTabs).kind, SkinnerKind::None);
  EXPECT_EQ(skin::DecideControl(Facts("TTabbedNotebook"), noTabs).kind, SkinnerKind::None);
}

TEST(ControlRules, ForeignImageRowsAreRecolouredAndNameTheirImage) {
  const ControlDecision check = skin::DecideControl(Facts("TRzDBCheckBox"), Switches());
  EXPECT_TRUE(check.recolour);
  EXPECT_EQ(check.objImageKind, 1);
  EXPECT_EQ(skin::DecideControl(Facts("TRzRadioButton"), Switches()).objImageKind, 2);
  EXPECT_EQ(skin::DecideControl(Facts("TcxDBCheckBox"), Switches()).objImageKind, 3);
}

TEST(ControlRules, ContainersClassifyTheirChildren) {
  const ControlDecision mvc = skin::DecideControl(Facts("TMvcPanel"), Switches(0));
  EXPECT_EQ(mvc.children, ChildRule::ClassifyBefore);  // no switch needed
  const ControlDecision nav = skin::DecideControl(Facts("TDBNavigator"), Switches());
  EXPECT_EQ(nav.kind, SkinnerKind::Box);
  EXPECT_TRUE(nav.recolour);
  EXPECT_EQ(nav.children, ChildRule::ClassifyAfter);
  const ControlDecision panel =
      skin::DecideControl(Facts("TPanel", skin::fcWinControl | skin::fcPanel), Switches());
  EXPECT_EQ(panel.kind, SkinnerKind::Box);
  EXPECT_TRUE(panel.recolour);
  EXPECT_EQ(panel.children, ChildRule::ClassifyBefore);
  const ControlDecision form =
      skin::DecideControl(Facts("TFrameForm", skin::fcWinControl | skin::fcForm), Switches(0));
  EXPECT_EQ(form.kind, SkinnerKind::Box);
  EXPECT_EQ(form.children, ChildRule::OwnedAfter);
}

TEST(ControlRules, ClassRowsIncludeDescendants) {
  using skin::fcWinControl;
  EXPECT_EQ(KindOf(Facts("TMyCombo", fcWinControl | skin::fcComboBox)), SkinnerKind::ComboBox);
  EXPECT_EQ(KindOf(Facts("TMySpeed", skin::fcSpeedButton)), SkinnerKind::SpeedButton);
  EXPECT_EQ(KindOf(Facts("TMyButton", fcWinControl | skin::fcButton)), SkinnerKind::Button);
  EXPECT_EQ(KindOf(Facts("TMyEdit", fcWinControl | skin::fcEdit)), SkinnerKind::Edit);
  EXPECT_EQ(KindOf(Facts("TMyCheck", fcWinControl | skin::fcCheckBox)), SkinnerKind::CheckBox);
  EXPECT_EQ(KindOf(Facts("TMyRadio", fcWinControl | skin::fcRadioButton)),
            SkinnerKind::RadioButton);
  EXPECT_EQ(KindOf(Facts("TMyGroup", fcWinControl | skin::fcGroupBox)), SkinnerKind::GroupBox);
}

TEST(ControlRules, AFailedRequirementFallsThroughToTheNextRows) {
  using skin::fcWinControl;
  // A scrolled combo box without the combo switch is taken by the scroll-bar row.
  const ControlFacts combo = Facts("TComboBox", fcWinControl | skin::fcComboBox, kVScroll);
  EXPECT_EQ(KindOf(combo), SkinnerKind::ComboBox);
  EXPECT_EQ(KindOf(combo, Without({skin::swCombo})), SkinnerKind::Scrollbar);
  // A scrolled edit is a scroll bar first; without that switch it is an edit.
  const ControlFacts memo = Facts("TMemo", fcWinControl | skin::fcEdit, kVScroll);
  EXPECT_EQ(KindOf(memo), SkinnerKind::Scrollbar);
  EXPECT_EQ(KindOf(memo, Without({skin::swScrollbar})), SkinnerKind::Edit);
  // A panel without its switch is not a box (and its children are not walked from here).
  const ControlDecision panel = skin::DecideControl(Facts("TPanel", fcWinControl | skin::fcPanel),
                                                    Switches(Without({skin::swPanel})));
  EXPECT_EQ(panel.kind, SkinnerKind::None);
  EXPECT_EQ(panel.children, ChildRule::None);
  // A window-less control with scroll bits in its (absent) style matches no scroll row.
  EXPECT_EQ(KindOf(Facts("TThing", 0, kVScroll)), SkinnerKind::None);
}

TEST(ControlRules, GlyphButtonsBeforePushButtons) {
  const ControlFacts bitBtn =
      Facts("TBitBtn", skin::fcWinControl | skin::fcButton | skin::fcBitBtn);
  EXPECT_EQ(KindOf(bitBtn), SkinnerKind::BitButton);
  EXPECT_EQ(KindOf(bitBtn, Without({skin::swButton})), SkinnerKind::None);
}

TEST(ControlRules, RadioGroupsSkinTheirButtonsAndTheGroupIndependently) {
  const ControlFacts group =
      Facts("TRadioGroup", skin::fcWinControl | skin::fcGroupBox | skin::fcRadioGroup);
  const ControlDecision all = skin::DecideControl(group, Switches());
  EXPECT_EQ(all.kind, SkinnerKind::GroupBox);
  EXPECT_EQ(all.children, ChildRule::RadioGroup);
  EXPECT_EQ(skin::DecideGroupChild(all, Facts("TRadioButton")).kind, SkinnerKind::RadioButton);

  const ControlDecision noRadio =
      skin::DecideControl(group, Switches(Without({skin::swRadioButton})));
  EXPECT_EQ(noRadio.kind, SkinnerKind::GroupBox);
  EXPECT_EQ(skin::DecideGroupChild(noRadio, Facts("TRadioButton")).kind, SkinnerKind::None);

  const ControlDecision noGroup = skin::DecideControl(group, Switches(Without({skin::swGroupBox})));
  EXPECT_EQ(noGroup.kind, SkinnerKind::None);
  EXPECT_EQ(skin::DecideGroupChild(noGroup, Facts("TRadioButton")).kind, SkinnerKind::RadioButton);
}

TEST(ControlRules, DcEditByItsNumberOfButtons) {
  ControlFacts one = Facts("TDCEdit");
  one.numButtons = 1;
  EXPECT_EQ(KindOf(one), SkinnerKind::ComboBox);
  EXPECT_EQ(KindOf(one, Without({skin::swCombo})), SkinnerKind::None);
  ControlFacts none = Facts("TDCDBEdit");
  none.numButtons = 0;
  const ControlDecision edit = skin::DecideControl(none, Switches());
  EXPECT_EQ(edit.kind, SkinnerKind::Edit);
  EXPECT_TRUE(edit.byHandle);
  EXPECT_EQ(KindOf(none, Without({skin::swEdit})), SkinnerKind::None);
  ControlFacts two = Facts("TDCEdit");
  two.numButtons = 2;
  EXPECT_EQ(KindOf(two), SkinnerKind::None);
}

TEST(ControlRules, ExcludedNamesAndUnknownControlsStayNative) {
  EXPECT_EQ(KindOf(Facts("TDBComboBoxEh", skin::fcWinControl | skin::fcComboBox)),
            SkinnerKind::None);
  EXPECT_EQ(KindOf(Facts("TfrDesignerPage", skin::fcWinControl | skin::fcPanel)),
            SkinnerKind::None);
  EXPECT_EQ(KindOf(Facts("TLabel", 0)), SkinnerKind::None);
  EXPECT_EQ(KindOf(Facts("TWebBrowser")), SkinnerKind::None);
}

// ---- The Tag switch -----------------------------------------------------------------------------

TEST(ControlRules, DisableTagKeepsTheNativeLookAndSwitchesOffGroupChildren) {
  ControlFacts button = Facts("TButton", skin::fcWinControl | skin::fcButton);
  button.tag = 99;
  EXPECT_TRUE(skin::DecideByTag(button, Switches()).disabled);
  EXPECT_FALSE(skin::DecideByTag(button, Switches()).disableChildren);
  button.tag = 98;
  EXPECT_FALSE(skin::DecideByTag(button, Switches()).disabled);
  skin::ClassifySwitches other = Switches();
  other.disableTag = 98;
  EXPECT_TRUE(skin::DecideByTag(button, other).disabled);

  ControlFacts radio = Facts("TRadioGroup");
  radio.tag = 99;
  EXPECT_TRUE(skin::DecideByTag(radio, Switches()).disableChildren);
  ControlFacts check = Facts("TMyCheckGroupBox");
  check.tag = 99;
  EXPECT_TRUE(skin::DecideByTag(check, Switches()).disableChildren);
  ControlFacts windowless = Facts("TRadioGroupImage", 0);
  windowless.tag = 99;
  EXPECT_FALSE(skin::DecideByTag(windowless, Switches()).disableChildren);
}

// ---- The class-name map -------------------------------------------------------------------------

TEST(ControlRules, Skin3rdMatchesTheWholeClassNameInAnyCase) {
  const std::vector<std::wstring> lines{L"TComboboxex=combobox", L"TFooBar=Edit", L"tfoobar=nil"};
  EXPECT_TRUE(skin::FindSkin3rd("TComboBoxEx", lines).found);
  EXPECT_EQ(skin::FindSkin3rd("TComboBoxEx", lines).kind, "combobox");
  EXPECT_FALSE(skin::FindSkin3rd("TComboBox", lines).found);  // a prefix of a name is not it
  EXPECT_FALSE(skin::FindSkin3rd("TComboBoxExtra", lines).found);
  EXPECT_EQ(skin::FindSkin3rd("TFOOBAR", lines).kind, "edit");  // the first line wins
  const std::wstring longKind(80, L'x');
  EXPECT_EQ(skin::FindSkin3rd("TLong", {L"TLong=" + longKind}).kind.size(), 50u);
}

TEST(ControlRules, Skin3rdKindsStoredWithCapitalsSelectTheSameRows) {
  const ControlFacts f = Facts("TThing");
  EXPECT_EQ(skin::DecideControl(f, Switches(kAll, {L"TThing=Combobox"})).kind,
            SkinnerKind::ComboBox);
  EXPECT_EQ(skin::DecideControl(f, Switches(kAll, {L"TThing=combobox"})).kind,
            SkinnerKind::ComboBox);
  const ControlDecision panel = skin::DecideControl(f, Switches(kAll, {L"TThing=Panel"}));
  EXPECT_EQ(panel.kind, SkinnerKind::Box);
  EXPECT_TRUE(panel.setTransparent);
}

TEST(ControlRules, Skin3rdNilAndUnknownKindsAreHandledWithoutASkinner) {
  // Even a scrolled window of a known class keeps its own look.
  const ControlFacts scrolled = Facts("TComboBox", skin::fcWinControl | skin::fcComboBox, kVScroll);
  for (const wchar_t* line : {L"TComboBox=nil", L"TComboBox=wobble"}) {
    const ControlDecision d = skin::DecideControl(scrolled, Switches(kAll, {line}));
    EXPECT_TRUE(d.handled);
    EXPECT_EQ(d.kind, SkinnerKind::None);
  }
  // A failed requirement is handled too: the class table is not asked.
  const ControlDecision off =
      skin::DecideControl(scrolled, Switches(Without({skin::swCombo}), {L"TComboBox=combobox"}));
  EXPECT_TRUE(off.handled);
  EXPECT_EQ(off.kind, SkinnerKind::None);
}

void ExpectSkin3rdRow(const char* kind, ControlSwitch needs, SkinnerKind gives) {
  SCOPED_TRACE(kind);
  const ControlFacts f = Facts("TThing");
  EXPECT_EQ(skin::DecideSkin3rd(kind, f, Switches()).kind, gives);
  EXPECT_EQ(skin::DecideSkin3rd(kind, f, Switches(Without({needs}))).kind, SkinnerKind::None);
}

TEST(ControlRules, Skin3rdRowsAndTheirSwitches) {
  ExpectSkin3rdRow("combobox", skin::swCombo, SkinnerKind::ComboBox);
  ExpectSkin3rdRow("radiobutton", skin::swRadioButton, SkinnerKind::RadioButton);
  ExpectSkin3rdRow("trackbar", skin::swButton, SkinnerKind::TrackBar);
  ExpectSkin3rdRow("button", skin::swButton, SkinnerKind::Button);
  ExpectSkin3rdRow("datetimepicker", skin::swCombo, SkinnerKind::DateTime);
  ExpectSkin3rdRow("mediaplayer", skin::swButton, SkinnerKind::MediaPlayer);
  ExpectSkin3rdRow("bitbtn", skin::swButton, SkinnerKind::BitButton);
  ExpectSkin3rdRow("menubtn", skin::swButton, SkinnerKind::MenuButton);
  ExpectSkin3rdRow("speedbutton", skin::swSpeedButton, SkinnerKind::SpeedButton);
  ExpectSkin3rdRow("tab", skin::swTab, SkinnerKind::Tab);
  ExpectSkin3rdRow("progress", skin::swProgress, SkinnerKind::Progress);
  ExpectSkin3rdRow("singlescrollbar", skin::swScrollbar, SkinnerKind::Scrollbar);
  ExpectSkin3rdRow("groupbox", skin::swGroupBox, SkinnerKind::GroupBox);
  ExpectSkin3rdRow("checkbox", skin::swCheckBox, SkinnerKind::CheckBox);
}

TEST(ControlRules, Skin3rdRowsWithSomethingExtra) {
  ControlFacts f = Facts("TThing");
  EXPECT_TRUE(skin::DecideSkin3rd("comboboxex", f, Switches()).extendedCombo);
  EXPECT_STREQ(skin::DecideSkin3rd("pngbitbtn", f, Switches()).glyphProperty, "PngImage");
  EXPECT_EQ(skin::DecideSkin3rd("pngspeedbutton", f, Switches()).kind, SkinnerKind::SpeedButton);
  EXPECT_TRUE(skin::DecideSkin3rd("singlescrollbar", f, Switches()).singleBar);
  EXPECT_EQ(skin::DecideSkin3rd("scrollbar", f, Switches()).children, ChildRule::ClassifyAfter);
  EXPECT_EQ(skin::DecideSkin3rd("container", f, Switches(0)).children, ChildRule::ClassifyBefore);
  const ControlDecision adv = skin::DecideSkin3rd("advpagecontrol", f, Switches());
  EXPECT_EQ(adv.kind, SkinnerKind::AdvPage);
  EXPECT_EQ(adv.mode, 4);
  EXPECT_TRUE(adv.recolour);
  // An edit only with a border.
  EXPECT_EQ(skin::DecideSkin3rd("edit", f, Switches()).kind, SkinnerKind::None);
  f.hasBorder = true;
  EXPECT_EQ(skin::DecideSkin3rd("edit", f, Switches()).kind, SkinnerKind::Edit);
  // A drop-down button of that one library is a menu button.
  ControlFacts cx = Facts("TcxButton");
  cx.kind = "cxbkDropDownButton";
  EXPECT_EQ(skin::DecideSkin3rd("bitbtn", cx, Switches()).kind, SkinnerKind::MenuButton);
  cx.kind = "cxbkStandard";
  EXPECT_EQ(skin::DecideSkin3rd("bitbtn", cx, Switches()).kind, SkinnerKind::BitButton);
}

TEST(ControlRules, Skin3rdGroups) {
  const ControlFacts child = Facts("TRadioButton");
  const ControlDecision rz = skin::DecideSkin3rd("radiogroup", Facts("TRzRadioGroup"), Switches());
  EXPECT_EQ(rz.kind, SkinnerKind::GroupBox);
  const ControlDecision rzChild = skin::DecideGroupChild(rz, child);
  EXPECT_EQ(rzChild.kind, SkinnerKind::ObjImage);
  EXPECT_EQ(rzChild.objImageKind, 2);
  EXPECT_TRUE(rzChild.recolour);
  const ControlDecision lmd =
      skin::DecideSkin3rd("radiogroup", Facts("TLMDRadioGroup"), Switches());
  EXPECT_EQ(skin::DecideGroupChild(lmd, child).kind, SkinnerKind::RadioButton);
  EXPECT_EQ(skin::DecideSkin3rd("radiogroup", Facts("TX"), Switches(Without({skin::swGroupBox})))
                .children,
            ChildRule::None);

  // Check groups: the check boxes follow the check-box switch, not the radio one.
  const ControlFacts checks = Facts("TRzCheckGroup");
  const ControlDecision noRadio =
      skin::DecideSkin3rd("checkgroup", checks, Switches(Without({skin::swRadioButton})));
  EXPECT_EQ(skin::DecideGroupChild(noRadio, child).objImageKind, 1);
  const ControlDecision noCheck = skin::DecideSkin3rd("checkgroup", Facts("TCheckGroup"),
                                                      Switches(Without({skin::swCheckBox})));
  EXPECT_EQ(skin::DecideGroupChild(noCheck, child).kind, SkinnerKind::None);
  const ControlDecision plain = skin::DecideSkin3rd("checkgroup", Facts("TCheckGroup"), Switches());
  EXPECT_EQ(skin::DecideGroupChild(plain, child).kind, SkinnerKind::CheckBox);
  EXPECT_EQ(skin::DecideSkin3rd("checkgroup", checks, Switches(Without({skin::swGroupBox}))).kind,
            SkinnerKind::None);
}

TEST(ControlRules, EmbeddedScrollBarsGoToScrollBoxesAndScrolledChildren) {
  const ControlDecision d = skin::DecideSkin3rd("embedscrollbar", Facts("TThing"), Switches());
  EXPECT_EQ(d.kind, SkinnerKind::None);
  EXPECT_EQ(
      skin::DecideGroupChild(d, Facts("TScrollBox", skin::fcWinControl | skin::fcScrollBox)).kind,
      SkinnerKind::ScrollContainer);
  EXPECT_EQ(skin::DecideGroupChild(d, Facts("TMemo", skin::fcWinControl, kVScroll)).kind,
            SkinnerKind::Scrollbar);
  EXPECT_EQ(skin::DecideGroupChild(d, Facts("TEdit")).kind, SkinnerKind::None);
}

// ---- The program's own windows ------------------------------------------------------------------

TEST(ControlRules, TheShippedFormsControls) {
  using skin::fcWinControl;
  skin::ClassifySwitches program = Switches();
  program.skin3rd = {L"TComboboxex=combobox"};
  const auto kind = [&](const ControlFacts& f) { return skin::DecideControl(f, program).kind; };
  EXPECT_EQ(kind(Facts("TEdit", fcWinControl | skin::fcEdit)), SkinnerKind::Edit);
  EXPECT_EQ(kind(Facts("TSpinEdit", fcWinControl | skin::fcEdit)), SkinnerKind::Edit);
  EXPECT_EQ(kind(Facts("TSpinButton")), SkinnerKind::UpDown);
  EXPECT_EQ(kind(Facts("TComboBox", fcWinControl | skin::fcComboBox, kVScroll)),
            SkinnerKind::ComboBox);
  const ControlDecision ex =
      skin::DecideControl(Facts("TComboBoxEx", fcWinControl | skin::fcComboBox, kVScroll), program);
  EXPECT_EQ(ex.kind, SkinnerKind::ComboBox);
  EXPECT_FALSE(ex.extendedCombo);  // the entry names a plain combo box
  EXPECT_EQ(kind(Facts("TButton", fcWinControl | skin::fcButton)), SkinnerKind::Button);
  EXPECT_EQ(kind(Facts("TLabel", 0)), SkinnerKind::None);
}

// ---- Bare child windows -------------------------------------------------------------------------

TEST(ControlRules, SystemButtonsByTheirType) {
  // Push-like types, including the one a plain bit test takes for a check box.
  for (uint32_t type : {0x0u, 0x1u, 0xAu}) {
    SCOPED_TRACE(type);
    EXPECT_EQ(skin::ButtonWindowKind(type, kAll), SkinnerKind::Button);
    EXPECT_EQ(skin::ButtonWindowKind(type, Without({skin::swButton})), SkinnerKind::None);
  }
  for (uint32_t type : {0x2u, 0x3u, 0x5u, 0x6u}) {
    SCOPED_TRACE(type);
    EXPECT_EQ(skin::ButtonWindowKind(type, kAll), SkinnerKind::CheckBox);
    EXPECT_EQ(skin::ButtonWindowKind(type, Without({skin::swCheckBox})), SkinnerKind::None);
  }
  for (uint32_t type : {0x4u, 0x9u}) {
    SCOPED_TRACE(type);
    EXPECT_EQ(skin::ButtonWindowKind(type, kAll), SkinnerKind::RadioButton);
    EXPECT_EQ(skin::ButtonWindowKind(type, Without({skin::swRadioButton})), SkinnerKind::None);
  }
  // Group boxes, owner-drawn and parent-painted buttons, split buttons and command links (the
  // push-button skin would cover their arrow and note and take their drop-down click), and icon
  // and bitmap buttons keep their looks; other style bits do not change a type.
  for (uint32_t style : {0x7u, 0xBu, 0x8u, 0xCu, 0xDu, 0xEu, 0xFu, 0x40u, 0x80u, 0x41u, 0x8Cu})
    EXPECT_EQ(skin::ButtonWindowKind(style, kAll), SkinnerKind::None);
  EXPECT_EQ(skin::ButtonWindowKind(0x50010003u, kAll), SkinnerKind::CheckBox);
  // Push-like check boxes and radio buttons look like push buttons and toggle on their own click.
  for (uint32_t style : {0x50011003u, 0x1002u, 0x1006u, 0x1004u, 0x50011009u})
    EXPECT_EQ(skin::ButtonWindowKind(style, kAll), SkinnerKind::None) << style;
}

TEST(ControlRules, BareChildWindows) {
  const auto decide = [](const char* cls, uint32_t style, uint32_t set = kAll) {
    return skin::DecideChildWindow(cls, style, set);
  };
  EXPECT_EQ(decide("Button", 0x3).kind, SkinnerKind::CheckBox);
  EXPECT_EQ(decide("Button", 0x3, Without({skin::swCheckBox})).kind, SkinnerKind::None);
  EXPECT_EQ(decide("ComboBox", 0x2).kind, SkinnerKind::ComboBox);
  EXPECT_EQ(decide("ComboBox", 0x1).kind, SkinnerKind::None);  // simple combo
  const skin::WindowDecision ex = decide("ComboBoxEx32", 0);
  EXPECT_EQ(ex.action, WindowAction::FirstChild);
  EXPECT_EQ(ex.kind, SkinnerKind::ComboBox);
  // Only size grips get the sizer.
  EXPECT_EQ(decide("ScrollBar", 0x10).kind, SkinnerKind::Sizer);
  EXPECT_EQ(decide("ScrollBar", 0x1).kind, SkinnerKind::None);
  EXPECT_EQ(decide("ScrollBar", 0x10010).kind, SkinnerKind::None);
  EXPECT_EQ(decide("SysTreeView32", 0).kind, SkinnerKind::None);
  const skin::WindowDecision dialog = decide("#32770", 0);
  EXPECT_EQ(dialog.action, WindowAction::ChildrenFirst);
  EXPECT_EQ(dialog.kind, SkinnerKind::BoxH);
  EXPECT_EQ(decide("#32770", 0x10000).action, WindowAction::Attach);
  EXPECT_EQ(decide("TPanel", 0).action, WindowAction::ChildrenOnly);
  EXPECT_EQ(decide("TSilentPaintPanel", 0).action, WindowAction::ColourOnly);
  EXPECT_EQ(decide("TButton", 0).kind, SkinnerKind::Button);
  EXPECT_EQ(decide("TButton", 0, Without({skin::swButton})).kind, SkinnerKind::None);
  EXPECT_EQ(decide("TProgressBar", 0, 0).kind, SkinnerKind::Progress);
  EXPECT_EQ(decide("SysTabControl32", 0).kind, SkinnerKind::Tab);
  EXPECT_EQ(decide("SysTabControl32", 0x2000).kind, SkinnerKind::None);
  EXPECT_EQ(decide("ToolbarWindow32", 0, 0).kind, SkinnerKind::BoxH);
  EXPECT_EQ(decide("Edit", 0).kind, SkinnerKind::Edit);
  EXPECT_EQ(decide("Edit", 0, Without({skin::swEdit})).kind, SkinnerKind::None);
  EXPECT_EQ(decide("Static", 0).kind, SkinnerKind::None);
}

}  // namespace
