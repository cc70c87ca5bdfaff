// Speed buttons: clicks through the parent, groups that stay down one at a time, glyph painting
// into the parent's DC, the states a skinner reads by name.
#include <gtest/gtest.h>

#include "support/WinTestSupport.h"
#include "ui/Buttons.h"
#include "ui/Forms.h"

namespace {

class SpeedButtons : public ::testing::Test {
 public:
  void SetUp() override {
    form = new ui::TForm(nullptr);
    form->SetBounds(20, 20, 200, 100);
    a = Make(10);
    b = Make(40);
    form->Handle();
  }
  void TearDown() override { delete form; }
  ui::TSpeedButton* Make(int left) {
    auto* s = new ui::TSpeedButton(form);
    s->SetParent(form);
    s->SetBounds(left, 10, 24, 22);
    s->OnClick = ui::MethodOf<&SpeedButtons::Clicked>(this);
    return s;
  }
  void Clicked(ui::TObject*) { ++clicks; }
  void ClickAt(int x, int y) {
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }

  ui::TForm* form;
  ui::TSpeedButton* a;
  ui::TSpeedButton* b;
  int clicks = 0;
};

}  // namespace

TEST_F(SpeedButtons, ClickThroughTheParentAndGroupsStayDownOneAtATime) {
  ClickAt(15, 15);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(a->Down());  // no group: never stays down
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  ClickAt(15, 15);
  EXPECT_TRUE(a->Down());
  ClickAt(45, 15);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  ClickAt(45, 15);  // without AllowAllUp the last one stays down
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(ui::GetEnumPropertyName(b, "Down"), "True");
  EXPECT_EQ(clicks, 4);
}

TEST_F(SpeedButtons, GlyphIsPaintedIntoTheParentsDCWithItsCornerColourLeftOut) {
  ui::TBitmap glyph(8, 8);
  RECT all{0, 0, 8, 8};
  glyph.Canvas()->Brush()->SetColor(ui::clOlive);  // bottom-left colour: transparent
  glyph.Canvas()->FillRect(all);
  RECT dot{2, 2, 6, 6};
  glyph.Canvas()->Brush()->SetColor(ui::clRed);
  glyph.Canvas()->FillRect(dot);
  a->SetGlyph(&glyph);
  a->SetFlat(true);
  EXPECT_EQ(ui::GetObjectProperty<ui::TBitmap>(a, "Glyph")->Width(), 8);
  EXPECT_TRUE(ui::SetPropertyText(a, "Layout", L"blGlyphTop"));

  wintest::Dib32 dib(200, 100);
  SendMessageW(form->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dib.dc()), 0);
  SendMessageW(form->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dib.dc()), 0);
  // Centred: the glyph's red middle is at the button's middle; its olive edge is not drawn.
  EXPECT_EQ(dib.Pixel(10 + 12, 10 + 11), RGB(255, 0, 0));
  EXPECT_EQ(dib.Pixel(10 + 8, 10 + 7), GetSysColor(COLOR_BTNFACE));
}

TEST_F(SpeedButtons, ScrollBoxesAndFramesAreContainersOfTheirOwnClasses) {
  auto* box = new ui::TScrollBox(form);
  box->SetParent(form);
  auto* frame = new ui::TFrame(form);
  frame->SetParent(box);
  EXPECT_TRUE(box->Is<ui::TScrollingWinControl>());
  EXPECT_TRUE(frame->Is<ui::TCustomFrame>());
  EXPECT_FALSE(frame->Is<ui::TCustomForm>());
  wchar_t cls[32];
  GetClassNameW(box->Handle(), cls, 32);
  EXPECT_STREQ(cls, L"TScrollBox");
  EXPECT_EQ(GetParent(frame->Handle()), box->Handle());
}
