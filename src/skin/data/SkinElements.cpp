#include "skin/data/SkinElements.h"

#include <cstring>
#include <utility>

#include "skin/data/ImgUtilGdi.h"

namespace skin {

namespace {

template <class T>
T* SameClass(TDataSkinObject& source) {
  return source.Is<T>() ? static_cast<T*>(&source) : nullptr;
}

void TakeBitmap(std::unique_ptr<ui::TBitmap>& target, std::unique_ptr<ui::TBitmap>& source) {
  target = std::exchange(source, std::make_unique<ui::TBitmap>());
}

}  // namespace

UI_IMPLEMENT_CLASS(TDataSkinObject, ui::TObject)
UI_IMPLEMENT_CLASS(TDataSkinBorder, TDataSkinObject)
UI_IMPLEMENT_CLASS(TDataSkinTitle, TDataSkinObject)
UI_IMPLEMENT_CLASS(TDataSkinButton, TDataSkinObject)
UI_IMPLEMENT_CLASS(TDataSkinSysButton, TDataSkinObject)
UI_IMPLEMENT_CLASS(TDataSkinBoxLabel, TDataSkinObject)

TDataSkinObject::TDataSkinObject(std::string name)
    : Bitmap(std::make_unique<ui::TBitmap>()),
      Bitmap2x(std::make_unique<ui::TBitmap>()),
      Name(std::move(name)) {}

TDataSkinObject::~TDataSkinObject() = default;

void TDataSkinObject::TakeFrom(TDataSkinObject& source) {
  if (&source == this) return;
  Margins = std::exchange(source.Margins, RECT{});
  TakeBitmap(Bitmap, source.Bitmap);
  TakeBitmap(Bitmap2x, source.Bitmap2x);
  Trans = source.Trans;
  Tile = source.Tile;
  Name = source.Name;
  Frame = source.Frame;
  Style = source.Style;
  NormalColour = source.NormalColour;
  MouseOverColour = source.MouseOverColour;
  PressedColour = source.PressedColour;
  NormalColour2 = source.NormalColour2;
  MouseOverColour2 = source.MouseOverColour2;
  PressedColour2 = source.PressedColour2;
}

TDataSkinBorder::TDataSkinBorder(std::string name)
    : TDataSkinObject(std::move(name)), Bitmap2(std::make_unique<ui::TBitmap>()) {}

void TDataSkinBorder::TakeFrom(TDataSkinObject& source) {
  if (&source == this) return;
  TDataSkinObject::TakeFrom(source);
  if (auto* s = SameClass<TDataSkinBorder>(source)) TakeBitmap(Bitmap2, s->Bitmap2);
}

TDataSkinTitle::TDataSkinTitle(std::string name) : TDataSkinObject(std::move(name)) {}

void TDataSkinTitle::TakeFrom(TDataSkinObject& source) {
  if (&source == this) return;
  TDataSkinObject::TakeFrom(source);
  if (auto* s = SameClass<TDataSkinTitle>(source)) {
    TextAlignment = s->TextAlignment;
    Textbackground = s->Textbackground;
    FontHeight = s->FontHeight;
    TXTBackleft = s->TXTBackleft;
    TXTBackRight = s->TXTBackRight;
    ActiveText = s->ActiveText;
    InActiveText = s->InActiveText;
  }
}

TDataSkinButton::TDataSkinButton(std::string name)
    : TDataSkinObject(std::move(name)),
      CheckButton(std::make_unique<ui::TBitmap>()),
      RadioButton(std::make_unique<ui::TBitmap>()) {}

void TDataSkinButton::TakeFrom(TDataSkinObject& source) {
  if (&source == this) return;
  TDataSkinObject::TakeFrom(source);
  if (auto* s = SameClass<TDataSkinButton>(source)) {
    TakeBitmap(CheckButton, s->CheckButton);
    TakeBitmap(RadioButton, s->RadioButton);
    RadioButtonFrame = s->RadioButtonFrame;
    CheckButtonFrame = s->CheckButtonFrame;
    NormalColour2Given = s->NormalColour2Given;
    MouseOverColour2Given = s->MouseOverColour2Given;
    PressedColour2Given = s->PressedColour2Given;
  }
}

TDataSkinSysButton::TDataSkinSysButton(std::string name) : TDataSkinObject(std::move(name)) {}

void TDataSkinSysButton::TakeFrom(TDataSkinObject& source) {
  if (&source == this) return;
  TDataSkinObject::TakeFrom(source);
  if (auto* s = SameClass<TDataSkinSysButton>(source)) {
    Action = s->Action;
    Align = s->Align;
    XCoord = s->XCoord;
    YCoord = s->YCoord;
    CombineOp = s->CombineOp;
    Visibility = s->Visibility;
    Visibility1 = s->Visibility1;
  }
}

TDataSkinBoxLabel::TDataSkinBoxLabel(std::string name) : TDataSkinObject(std::move(name)) {}

void TDataSkinBoxLabel::TakeFrom(TDataSkinObject& source) {
  if (&source == this) return;
  TDataSkinObject::TakeFrom(source);
  if (auto* s = SameClass<TDataSkinBoxLabel>(source)) {
    BackgroundLeftShift = s->BackgroundLeftShift;
    BackgroundRightShift = s->BackgroundRightShift;
    BackgroundAlignment = s->BackgroundAlignment;
  }
}

// ---- Pixels and bitmaps ---------------------------------------------------------------------

void AssignPixels(ui::TBitmap& bitmap, const PixelBuffer& pixels) {
  // Emptied first, so changing the format and size copies no old pixels.
  bitmap.SetSize(0, 0);
  if (pixels.empty()) return;
  const bool alpha = pixels.bitsPerPixel() == 32;
  bitmap.SetPixelFormat(alpha ? ui::TPixelFormat::pf32bit : ui::TPixelFormat::pf24bit);
  bitmap.SetSize(pixels.width(), pixels.height());
  // A DIB section pads its rows to four bytes as PixelBuffer does, so rows copy whole.
  const size_t row = static_cast<size_t>(pixels.width()) * pixels.bytesPerPixel();
  for (int y = 0; y < pixels.height(); ++y) std::memcpy(bitmap.ScanLine(y), pixels.Row(y), row);
}

PixelBuffer PixelsOf(ui::TBitmap& bitmap) {
  if (bitmap.Empty()) return {};
  const ui::TPixelFormat format = bitmap.PixelFormat();
  if (format != ui::TPixelFormat::pf24bit && format != ui::TPixelFormat::pf32bit)
    return ReadPixels(bitmap.Handle());
  const int bits = format == ui::TPixelFormat::pf32bit ? 32 : 24;
  PixelBuffer pixels(bitmap.Width(), bitmap.Height(), bits);
  const size_t row = static_cast<size_t>(bitmap.Width()) * (bits / 8);
  for (int y = 0; y < bitmap.Height(); ++y) std::memcpy(pixels.Row(y), bitmap.ScanLine(y), row);
  return pixels;
}

}  // namespace skin
