// Check boxes, radio buttons, radio groups and glyph buttons: their states against the window's
// own, properties by name as the skin engine reads them, clicks, and where a glyph goes.
#include <gtest/gtest.h>

#include "support/WinTestSupport.h"
#include "ui/BitBtn.h"
#include "ui/CheckCtrls.h"
#include "ui/Forms.h"
#include "ui/MenuButton.h"

namespace {

class CheckControls : public ::testing::Test {
 public:
  void SetUp() override {
    form = new ui::TForm(nullptr);
    form->SetBounds(20, 20, 320, 240);
    form->Show();  // clicks take the focus and the capture
  }
  void TearDown() override { delete form; }
  template <class T>
  T* Add(int left, int top) {
    auto* c = new T(form);
    c->SetParent(form);
    c->SetLeft(left);
    c->SetTop(top);
    c->OnClick = ui::MethodOf<&CheckControls::Clicked>(this);
    return c;
  }
  void Clicked(ui::TObject*) { ++clicks; }
  static LRESULT Check(ui::TWinControl* c) { return SendMessageW(c->Handle(), BM_GETCHECK, 0, 0); }
  static void Click(ui::TWinControl* c) { SendMessageW(c->Handle(), BM_CLICK, 0, 0); }

  ui::TForm* form = nullptr;
  int clicks = 0;
};

std::wstring WindowClass(HWND wnd) {
  wchar_t name[64] = {};
  GetClassNameW(wnd, name, 64);
  return name;
}

}  // namespace

TEST_F(CheckControls, CheckBoxStateRoundTripsWithTheWindowAndSurvivesRecreation) {
  auto* box = Add<ui::TCheckBox>(10, 10);
  EXPECT_EQ(WindowClass(box->Handle()), L"TCheckBox");
  ui::SetEnumProp(box, "Checked", "True");
  EXPECT_EQ(Check(box), BST_CHECKED);
  // Set by someone else through the window: the properties read it.
  SendMessageW(box->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_EQ(ui::GetEnumPropertyName(box, "State"), "cbUnchecked");
  // Grayed by the program even without AllowGrayed.
  ui::SetEnumProp(box, "State", "cbGrayed");
  EXPECT_EQ(Check(box), BST_INDETERMINATE);
  // Re-created with the caption on the left: the state stays.
  ui::SetEnumProp(box, "Alignment", "taLeftJustify");
  EXPECT_TRUE(GetWindowLongPtrW(box->Handle(), GWL_STYLE) & BS_LEFTTEXT);
  EXPECT_EQ(box->State(), ui::TCheckBoxState::cbGrayed);
}

TEST_F(CheckControls, CheckBoxClicksReachGrayedOnlyWithAllowGrayed) {
  auto* box = Add<ui::TCheckBox>(10, 10);
  box->SetState(ui::TCheckBoxState::cbGrayed);
  Click(box);  // out of the program's gray
  Click(box);
  EXPECT_EQ(box->State(), ui::TCheckBoxState::cbChecked);
  Click(box);
  EXPECT_EQ(box->State(), ui::TCheckBoxState::cbUnchecked);  // not grayed
  Click(box);
  ui::SetEnumProp(box, "AllowGrayed", "True");
  Click(box);
  EXPECT_EQ(box->State(), ui::TCheckBoxState::cbGrayed);
  EXPECT_EQ(clicks, 5);
}

TEST_F(CheckControls, CheckingARadioButtonUnchecksItsSiblings) {
  auto* a = Add<ui::TRadioButton>(10, 10);
  auto* b = Add<ui::TRadioButton>(10, 40);
  EXPECT_EQ(WindowClass(a->Handle()), L"TRadioButton");
  a->SetChecked(true);
  ui::SetEnumProp(b, "Checked", "True");
  EXPECT_FALSE(a->Checked());
  EXPECT_EQ(Check(b), BST_CHECKED);
  Click(a);
  EXPECT_TRUE(a->Checked());
  EXPECT_FALSE(b->Checked());
  EXPECT_EQ(clicks, 1);
}

TEST_F(CheckControls, RadioGroupItemsBecomeButtonsAndClicksSetItemIndex) {
  auto* group = new ui::TRadioGroup(form);
  group->SetParent(form);
  group->SetBounds(10, 10, 200, 120);
  group->OnClick = ui::MethodOf<&CheckControls::Clicked>(this);
  auto* items = ui::GetObjectProperty<ui::TStrings>(group, "Items");
  ASSERT_NE(items, nullptr);
  items->AddStrings({L"One", L"Two", L"Three"});
  ASSERT_EQ(group->ButtonCount(), 3);
  EXPECT_EQ(group->Buttons(1)->Caption(), L"Two");
  EXPECT_EQ(GetParent(group->Buttons(0)->Handle()), group->Handle());

  ui::SetOrdProp(group, "ItemIndex", 1);
  EXPECT_EQ(Check(group->Buttons(1)), BST_CHECKED);
  Click(group->Buttons(2));
  EXPECT_EQ(group->ItemIndex(), 2);
  EXPECT_FALSE(group->Buttons(1)->Checked());
  EXPECT_EQ(clicks, 1);

  // Two columns: the second column starts right of the first; rows share the height.
  ui::SetOrdProp(group, "Columns", 2);
  EXPECT_GT(group->Buttons(2)->Left(), group->Buttons(0)->Left());
  EXPECT_EQ(group->Buttons(2)->Top(), group->Buttons(0)->Top());
  EXPECT_GT(group->Buttons(1)->Top(), group->Buttons(0)->Top());

  // Fewer items, fewer buttons; the checked one gone means none is.
  items->Delete(2);
  EXPECT_EQ(group->ButtonCount(), 2);
  EXPECT_EQ(group->ItemIndex(), -1);
  ui::SetOrdProp(group, "ItemIndex", 7);
  EXPECT_EQ(group->ItemIndex(), -1);
}

TEST(GlyphPlacement, LayoutsMarginsAndSpacing) {
  const SIZE glyph{16, 16}, text{40, 12};
  // Centred: glyph and text together in the middle, each centred across.
  ui::GlyphPlacement p =
      ui::PlaceGlyph(ui::TButtonLayout::blGlyphLeft, 100, 30, glyph, text, -1, 4);
  EXPECT_EQ(p.glyph.x, (100 - 60) / 2);
  EXPECT_EQ(p.text.x, p.glyph.x + 16 + 4);
  EXPECT_EQ(p.glyph.y, 7);
  EXPECT_EQ(p.text.y, 9);
  // From the edge the layout names.
  p = ui::PlaceGlyph(ui::TButtonLayout::blGlyphRight, 100, 30, glyph, text, 5, 4);
  EXPECT_EQ(p.glyph.x + 16, 95);
  EXPECT_EQ(p.text.x + 40 + 4, p.glyph.x);
  p = ui::PlaceGlyph(ui::TButtonLayout::blGlyphBottom, 60, 80, glyph, text, 3, 2);
  EXPECT_EQ(p.glyph.y + 16, 77);
  EXPECT_EQ(p.text.y, p.glyph.y - 2 - 12);
  EXPECT_EQ(p.glyph.x, 22);
  // No caption: no spacing either.
  p = ui::PlaceGlyph(ui::TButtonLayout::blGlyphTop, 60, 60, glyph, SIZE{0, 0}, -1, 10);
  EXPECT_EQ(p.glyph.y, 22);
}

TEST_F(CheckControls, GlyphButtonPropertiesClicksAndItsImage) {
  auto* button = Add<ui::TBitBtn>(10, 10);
  EXPECT_EQ(WindowClass(button->Handle()), L"TBitBtn");
  EXPECT_EQ(ui::GetOrdProperty(button, "Margin"), -1);
  EXPECT_EQ(ui::GetOrdProperty(button, "Spacing"), 4);
  ui::SetEnumProp(button, "Layout", "blGlyphTop");
  EXPECT_EQ(button->Layout(), ui::TButtonLayout::blGlyphTop);
  ui::SetEnumProp(button, "Kind", "bkOK");
  EXPECT_EQ(button->Caption(), L"OK");
  EXPECT_TRUE(button->Default());
  // The default-button look does not take the drawing away from the button.
  button->SetFocus();
  EXPECT_EQ(GetWindowLongPtrW(button->Handle(), GWL_STYLE) & 0x0F, BS_OWNERDRAW);

  // A double click is two clicks.
  const HWND wnd = button->Handle();
  SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SendMessageW(wnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 2);

  // Two images: up (red) and disabled (blue); the bottom-left pixel is the transparent colour.
  ui::TBitmap strip(16, 8);
  HDC dc = strip.Canvas()->Handle();
  RECT left{0, 0, 8, 8}, right{8, 0, 16, 8};
  ui::GdiBrush red(CreateSolidBrush(RGB(255, 0, 0))), blue(CreateSolidBrush(RGB(0, 0, 255)));
  FillRect(dc, &left, red.get());
  FillRect(dc, &right, blue.get());
  SetPixel(dc, 0, 7, RGB(255, 0, 255));
  ui::SetObjectProp(button, "Glyph", &strip);
  ui::SetOrdProp(button, "NumGlyphs", 2);
  button->SetCaption(L"");
  button->SetBounds(10, 10, 40, 40);
  wintest::PumpUntilIdle();
  const auto face = [&] {
    UpdateWindow(wnd);
    auto shot = wintest::CaptureWindowDC(wnd);
    return shot ? shot->Pixel(20, 20) & 0xFFFFFF : CLR_INVALID;
  };
  EXPECT_EQ(face(), RGB(255, 0, 0));
  button->SetEnabled(false);
  wintest::PumpUntilIdle();
  EXPECT_EQ(face(), RGB(0, 0, 255));
}

// At 150 % the items keep their insets from the group's edges at 150 %: the group arranges them
// again when the DPI change resizes it.
TEST_F(CheckControls, RadioGroupInsetsFollowTheDpi) {
  auto* group = new ui::TRadioGroup(form);
  group->SetParent(form);
  group->SetBounds(10, 10, 200, 120);
  ui::GetObjectProperty<ui::TStrings>(group, "Items")->AddStrings({L"One", L"Two"});
  const int base = form->CurrentPPI(), high = base * 3 / 2;
  EXPECT_EQ(group->Buttons(0)->Left(), ui::ScaleValue(8, base));
  RECT w{};
  GetWindowRect(form->Handle(), &w);
  SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(high, high), reinterpret_cast<LPARAM>(&w));
  wintest::PumpUntilIdle();
  EXPECT_EQ(group->Width(), ui::ScaleValue(200, high));
  EXPECT_EQ(group->Buttons(0)->Left(), ui::ScaleValue(8, high));
  EXPECT_EQ(group->Buttons(0)->Width(),
            group->Width() - ui::ScaleValue(10, high) - ui::ScaleValue(8, high));
}

namespace {
// The pixels of the drop-down arrow as a menu button painted itself: the text colour in the
// arrow's part of the face (its border left out).
int ArrowPixels(ui::TMenuButton* button) {
  wintest::PumpUntilIdle();
  auto shot = wintest::CaptureWindowDC(button->Handle());
  const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
  int n = 0;
  for (int y = 3; y < shot->height() - 3; ++y)
    for (int x = shot->width() / 2; x < shot->width() - 3; ++x)
      if (shot->Pixel(x, y) == ink) ++n;
  return n;
}
}  // namespace

// At 150 % the menu button's arrow is drawn half again as large each way (over twice the
// pixels), as the button itself is.
TEST_F(CheckControls, MenuButtonArrowFollowsTheDpi) {
  auto* button = new ui::TMenuButton(form);
  button->SetParent(form);
  button->SetBounds(10, 10, 100, 25);
  const int atBase = ArrowPixels(button);
  EXPECT_GT(atBase, 0);
  const int base = form->CurrentPPI(), high = base * 3 / 2;
  RECT w{};
  GetWindowRect(form->Handle(), &w);
  SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(high, high), reinterpret_cast<LPARAM>(&w));
  EXPECT_EQ(button->Width(), ui::ScaleValue(100, high));
  EXPECT_GE(ArrowPixels(button), 2 * atBase);
}
