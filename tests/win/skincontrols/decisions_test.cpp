// What the classification decides besides the skinner's kind reaches the skinner: a glyph button
// mapped to "pngbitbtn" shows its PngImage, a "singlescrollbar" control keeps its own border, and
// a skinner an application supplies through OnSkinControl recolours when it was told to.
#include <gtest/gtest.h>

#include "skin/controls/SkinBoxes.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/manager/ControlClassifier.h"
#include "skinframe/FrameTestSupport.h"
#include "ui/BitBtn.h"
#include "ui/Bitmaps.h"
#include "ui/ExtCtrls.h"
#include "ui/ListCtrls.h"

using frametest::Rgb;
using frametest::SkinnedForm;

namespace {

// A glyph button of another library whose picture is a graphic in a property of its own.
class TTestPngBitBtn : public ui::TBitBtn {
  UI_CLASS(TTestPngBitBtn, ui::TBitBtn)
 public:
  using ui::TBitBtn::TBitBtn;
  ui::TBitmap* PngImage() { return &png_; }

 private:
  ui::TBitmap png_;
};

// A list of another library that shows one bar and keeps its own border.
class TTestSingleBarList : public ui::TListBox {
  UI_CLASS(TTestSingleBarList, ui::TListBox)
 public:
  using ui::TListBox::TListBox;
};

}  // namespace

UI_IMPLEMENT_CLASS(TTestPngBitBtn, ui::TBitBtn,
                   P::Obj<ui::TBitmap>("PngImage", &TTestPngBitBtn::PngImage))
UI_IMPLEMENT_CLASS(TTestSingleBarList, ui::TListBox)

namespace {

template <class T>
T* Add(SkinnedForm& f, int left, int top, int width, int height) {
  T* c = new T(f.form);
  c->SetParent(f.form);
  c->SetBounds(left, top, width, height);
  return c;
}

int PixelsOf(HWND wnd, COLORREF colour) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return (r.right - r.left) * (r.bottom - r.top) - wintest::PixelsUnlike(wnd, colour);
}

TEST(ClassificationDecisions, AGraphicButtonShowsThePictureOfItsNamedProperty) {
  SkinnedForm f;
  f.data->Skin3rd()->Add(L"TTestPngBitBtn=pngbitbtn");
  auto* button = Add<TTestPngBitBtn>(f, 20, 20, 90, 30);
  button->SetCaption(L"Png");
  constexpr COLORREF kPicture = RGB(40, 190, 70);
  ui::TBitmap* png = button->PngImage();
  png->SetSize(12, 12);
  png->Canvas()->Brush()->SetColor(static_cast<ui::TColor>(kPicture));
  png->Canvas()->FillRect(RECT{0, 0, 12, 12});
  skin::ClassifyControl(*f.Skinner(), button, f.form);
  ASSERT_NE(dynamic_cast<skin::TSkinBitButton*>(f.Skinner()->FindSkinnerByWindow(button->Handle())),
            nullptr);
  wintest::PumpUntilIdle();
  EXPECT_EQ(PixelsOf(button->Handle(), kPicture), 12 * 12);
}

// NormalColour2 is a graphic glyph button's caption colour at rest only: under the pointer,
// without a hover colour of the skin's, the caption takes the button's font colour. A glyph
// button whose picture is its Glyph keeps NormalColour2 in every state.
TEST(ClassificationDecisions, AGraphicButtonUnderThePointerLeavesTheNormalCaptionColour) {
  constexpr COLORREF kNormal = RGB(200, 30, 160);
  SkinnedForm f(testskin::TestSkin().SetIni("Buttons", "NormalColour2", "200 30 160"));
  f.data->Skin3rd()->Add(L"TTestPngBitBtn=pngbitbtn");
  auto* graphic = Add<TTestPngBitBtn>(f, 20, 20, 120, 40);
  auto* glyph = Add<ui::TBitBtn>(f, 20, 80, 120, 40);
  for (ui::TBitBtn* b : {static_cast<ui::TBitBtn*>(graphic), glyph}) {
    b->SetCaption(L"MMMM");
    b->Font()->SetColor(ui::clBlack);
    skin::ClassifyControl(*f.Skinner(), b, f.form);
    ASSERT_NE(dynamic_cast<skin::TSkinBitButton*>(f.Skinner()->FindSkinnerByWindow(b->Handle())),
              nullptr);
  }
  const auto pointAt = [](HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    wintest::PumpUntilIdle();
  };
  pointAt(f.form->Handle());  // over neither button
  EXPECT_GT(PixelsOf(graphic->Handle(), kNormal), 0);
  EXPECT_GT(PixelsOf(glyph->Handle(), kNormal), 0);
  pointAt(graphic->Handle());
  EXPECT_EQ(PixelsOf(graphic->Handle(), kNormal), 0);
  EXPECT_GT(PixelsOf(graphic->Handle(), RGB(0, 0, 0)), 0);
  pointAt(glyph->Handle());
  EXPECT_GT(PixelsOf(glyph->Handle(), kNormal), 0);
  EXPECT_GT(PixelsOf(graphic->Handle(), kNormal), 0);  // at rest again
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

TEST(ClassificationDecisions, ASingleBarControlKeepsItsOwnBorderUnderTheSkinnedBar) {
  SkinnedForm f;
  f.data->Skin3rd()->Add(L"TTestSingleBarList=singlescrollbar");
  auto* list = Add<TTestSingleBarList>(f, 20, 20, 150, 200);
  for (int i = 0; i < 60; ++i) list->Items()->Add(L"Row " + std::to_wstring(i));
  auto* plain = Add<ui::TListBox>(f, 200, 20, 150, 200);
  for (int i = 0; i < 60; ++i) plain->Items()->Add(L"Row " + std::to_wstring(i));
  f.data->Skin3rd()->Add(L"TListBox=scrollbar");
  skin::ClassifyControl(*f.Skinner(), list, f.form);
  skin::ClassifyControl(*f.Skinner(), plain, f.form);
  wintest::PumpUntilIdle();
  auto* single =
      dynamic_cast<skin::TSkinScrollbar*>(f.Skinner()->FindSkinnerByWindow(list->Handle()));
  auto* both =
      dynamic_cast<skin::TSkinScrollbar*>(f.Skinner()->FindSkinnerByWindow(plain->Handle()));
  ASSERT_NE(single, nullptr);
  ASSERT_NE(both, nullptr);
  ASSERT_NE(single->VertBar(), nullptr);
  EXPECT_TRUE(single->VertBar()->Visible());
  const COLORREF shadow = Rgb(f.data->GetRGB(skin::ciButtonShadow));
  const auto edge = [](HWND wnd) {
    auto capture = wintest::CaptureWindowDC(wnd);
    return capture ? capture->Pixel(0, 40) & 0xFFFFFF : CLR_INVALID;
  };
  EXPECT_EQ(edge(plain->Handle()), shadow);  // the skin's flat border
  EXPECT_NE(edge(list->Handle()), shadow);   // the list's own
}

struct BoxSupplier {
  bool recolour = false;
  void OnSkinControl(ui::TObject*, skin::TSkinData*, ui::TComponent*, ui::TControl* control,
                     const std::string&, ui::TObject*& supplied) {
    if (!control->Is<ui::TPanel>()) return;
    auto* box = new skin::TSkinBox(control);
    box->SetRecolour(recolour);
    supplied = box;
  }
};

TEST(ClassificationDecisions, ASuppliedSkinnerRecoloursAsItWasTold) {
  SkinnedForm f;
  BoxSupplier supplier;
  f.data->OnSkinControl = ui::MethodOf<&BoxSupplier::OnSkinControl>(&supplier);
  const auto panelAfter = [&](bool recolour) {
    auto* panel = Add<ui::TPanel>(f, 20, 20, 100, 50);
    panel->SetColor(ui::clRed);
    supplier.recolour = recolour;
    skin::ClassifyControl(*f.Skinner(), panel, f.form);
    return panel->Color();
  };
  EXPECT_EQ(ui::ColorToRGB(panelAfter(true)), Rgb(f.data->GetRGB(skin::ciButtonFace)));
  EXPECT_EQ(panelAfter(false), ui::clRed);
  f.data->OnSkinControl = nullptr;
}

}  // namespace
