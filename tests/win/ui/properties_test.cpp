// Published properties by name: the engine's forgiving helpers and classes declared by their
// users with properties of their own.
#include <gtest/gtest.h>

#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/Spin.h"
#include "ui/StdCtrls.h"

namespace {

enum class TGlyphLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
const ui::TEnumInfo& LayoutInfo() {
  static const ui::TEnumInfo info{"TButtonLayout",
                                  {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};
  return info;
}
const ui::TEnumInfo& ButtonKindInfo() {
  static const ui::TEnumInfo info{"TMPBtnType", {"btPlay", "btPause", "btStop"}};
  return info;
}

// A control class as test code (or a later control family) declares it.
class TGlyphButton : public ui::TButton {
  UI_CLASS(TGlyphButton, ui::TButton)
 public:
  using TButton::TButton;
  TGlyphLayout Layout() const { return layout_; }
  void SetLayout(TGlyphLayout l) { layout_ = l; }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int n) { numGlyphs_ = n; }
  unsigned VisibleButtons() const { return visible_; }
  void SetVisibleButtons(unsigned v) { visible_ = v; }
  ui::TBitmap* Glyph() { return &glyph_; }
  void SetGlyph(ui::TBitmap* b) {
    if (b) glyph_.Assign(*b);
  }

 private:
  TGlyphLayout layout_ = TGlyphLayout::blGlyphLeft;
  int numGlyphs_ = 1;
  unsigned visible_ = 0b101;
  ui::TBitmap glyph_;
};
UI_IMPLEMENT_CLASS(TGlyphButton, ui::TButton,
                   P::Enum("Layout", LayoutInfo(), &TGlyphButton::Layout, &TGlyphButton::SetLayout),
                   P::Int("NumGlyphs", &TGlyphButton::NumGlyphs, &TGlyphButton::SetNumGlyphs),
                   P::Set("VisibleButtons", ButtonKindInfo(), &TGlyphButton::VisibleButtons,
                          &TGlyphButton::SetVisibleButtons),
                   P::Obj<ui::TBitmap>("Glyph", &TGlyphButton::Glyph, &TGlyphButton::SetGlyph))

}  // namespace

TEST(Properties, HelpersAnswerMinusOneEmptyOrNilWhenMissingOrOfAnotherKind) {
  TGlyphButton button(nullptr);
  EXPECT_EQ(ui::GetOrdProperty(nullptr, "Left"), -1);
  EXPECT_EQ(ui::GetOrdProperty(&button, "NoSuchThing"), -1);
  EXPECT_EQ(ui::GetOrdProperty(&button, "Caption"), -1);  // a string, not an integer
  EXPECT_EQ(ui::GetOrdProperty(&button, "Layout"), -1);   // an enumeration
  EXPECT_EQ(ui::GetEnumPropertyName(&button, "NumGlyphs"), "");
  EXPECT_EQ(ui::GetEnumPropertyName(&button, "Missing"), "");
  EXPECT_EQ(ui::GetTextProperty(&button, "Default"), L"");
  EXPECT_EQ(ui::GetObjectProperty(&button, "Font", ui::TBitmap::StaticClassInfo()), nullptr);
  EXPECT_EQ(ui::GetObjectProperty<ui::TFont>(&button, "Missing"), nullptr);
  EXPECT_FALSE(ui::SetPropertyText(&button, "Glyph", L"x"));  // objects are not set from text
  EXPECT_FALSE(ui::SetPropertyText(&button, "Missing", L"1"));
}

TEST(Properties, HelpersReadAndWriteEveryKindByNameIgnoringCase) {
  TGlyphButton button(nullptr);
  button.SetCaption(L"搜索");
  button.SetBounds(538, 4, 63, 24);
  EXPECT_EQ(ui::GetOrdProperty(&button, "left"), 538);
  EXPECT_EQ(ui::GetTextProperty(&button, "CAPTION"), L"搜索");
  EXPECT_EQ(ui::GetEnumPropertyName(&button, "Default"), "False");
  EXPECT_EQ(ui::GetEnumPropertyName(&button, "layout"), "blGlyphLeft");
  EXPECT_EQ(ui::GetObjectProperty<ui::TFont>(&button, "Font"), button.Font());
  EXPECT_EQ(ui::GetObjectProperty<ui::TGraphic>(&button, "Glyph"), button.Glyph());

  EXPECT_TRUE(ui::SetPropertyText(&button, "default", L"true"));
  EXPECT_TRUE(button.Default());
  EXPECT_TRUE(ui::SetPropertyText(&button, "Layout", L"BLGLYPHTOP"));
  EXPECT_EQ(button.Layout(), TGlyphLayout::blGlyphTop);
  EXPECT_TRUE(ui::SetPropertyText(&button, "NumGlyphs", L"-4"));
  EXPECT_EQ(button.NumGlyphs(), -4);
  EXPECT_FALSE(ui::SetPropertyText(&button, "NumGlyphs", L"4x"));  // not a number: unchanged
  EXPECT_EQ(button.NumGlyphs(), -4);
  EXPECT_FALSE(ui::SetPropertyText(&button, "NumGlyphs", L"99999999999"));  // beyond an int
  EXPECT_EQ(button.NumGlyphs(), -4);
  EXPECT_FALSE(ui::SetPropertyText(&button, "Layout", L"sideways"));
  EXPECT_TRUE(ui::SetPropertyText(&button, "Color", L"16711935"));
  EXPECT_EQ(button.Color(), 0xFF00FF);

  EXPECT_TRUE(ui::IsPublishedProp(&button, "VisibleButtons", ui::TTypeKind::tkSet));
  EXPECT_EQ(ui::GetOrdProp(&button, "VisibleButtons"), 0b101);
  EXPECT_TRUE(ui::IsPublishedProp(&button, "Glyph", ui::TTypeKind::tkClass));
  EXPECT_FALSE(ui::IsPublishedProp(&button, "Glyph", ui::TTypeKind::tkInteger));
  EXPECT_THROW(ui::GetStrProp(&button, "Tag"), ui::EPropertyError);
}

TEST(Properties, FormsMenuItemsAndSpinEditsPublishWhatOthersReadByName) {
  ui::TForm form(nullptr);
  EXPECT_TRUE(ui::SetPropertyText(&form, "AutoScroll", L"False"));
  EXPECT_EQ(ui::GetOrdProperty(&form, "Color"), ui::clBtnFace);
  ui::TMenuItem item(nullptr);
  item.SetCaption(L" Close ");
  EXPECT_EQ(ui::GetTextProperty(&item, "Caption"), L" Close ");
  ui::TSpinEdit spin(nullptr);
  spin.SetMaxValue(99999999);
  EXPECT_TRUE(ui::SetPropertyText(&spin, "Value", L"123"));
  EXPECT_EQ(ui::GetOrdProperty(&spin, "Value"), 123);
  // A sub-object's properties are reached through it.
  ui::TFont* font = ui::GetObjectProperty<ui::TFont>(&spin, "Font");
  ASSERT_NE(font, nullptr);
  EXPECT_TRUE(ui::SetPropertyText(font, "Color", L"255"));
  EXPECT_EQ(spin.Font()->Color(), 255);
}

TEST(Properties, SpinValueIsTheMinimumWhenTheTextIsNoNumberAndSettingClamps) {
  ui::TSpinEdit spin(nullptr);
  spin.SetMinValue(10);
  spin.SetMaxValue(20);
  spin.SetText(L"abc");
  EXPECT_EQ(spin.Value(), 10);
  // Too big for an integer, yet a number: the range's end, as the query builder reads it.
  spin.SetText(L"99999999999999");
  EXPECT_EQ(spin.Value(), 20);
  spin.SetText(L"-99999999999999");
  EXPECT_EQ(spin.Value(), 10);
  spin.SetValue(25);
  EXPECT_EQ(spin.Text(), L"20");
  spin.SetValue(-3);
  EXPECT_EQ(spin.Text(), L"10");
}

TEST(Properties, ShortcutsConvertBothWays) {
  EXPECT_EQ(ui::ShortCutToText(ui::TextToShortCut(L"ALT+F4")), L"Alt+F4");
  EXPECT_EQ(ui::TextToShortCut(L"Ctrl+Shift+A"), ui::scCtrl | ui::scShift | 'A');
  EXPECT_EQ(ui::TextToShortCut(L"Hyper+Q"), 0);
  EXPECT_EQ(ui::ShortCutToText(0), L"");
}
