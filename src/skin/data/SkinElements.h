// Skin elements: the nine-slice images with their margins, frame counts and state colours that
// every painter of the frame, menus and controls reads from the skin data component. An element
// owns its bitmaps; a reload moves a freshly built element's contents into the existing object
// (TakeFrom), so painters holding an always-present element (Buttons, Title, the borders) never
// see it go away.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "imaging/PixelBuffer.h"
#include "ui/Bitmaps.h"

namespace skin {

class TDataSkinObject : public ui::TObject {
  UI_CLASS(TDataSkinObject, ui::TObject)
 public:
  explicit TDataSkinObject(std::string name);
  ~TDataSkinObject() override;

  // Margin widths of the nine-slice, in the order of a RECT: left = LeftWidth, top = TopHeight,
  // right = RightWidth, bottom = BottomHeight (what the painting primitives take as margins).
  RECT Margins{};
  // The image; never null, may be empty. Frame k (1-based) is column k of width
  // Bitmap->Width() div Frame (rows for the Top and Bottom borders and the menu bar).
  std::unique_ptr<ui::TBitmap> Bitmap;
  // The skin's art for 200 % ("name@2x.bmp" beside "name.bmp"), exactly twice the image's size
  // frame for frame; never null, empty when the skin has none (or its art did not fit).
  std::unique_ptr<ui::TBitmap> Bitmap2x;
  int Trans = 0;  // 1: pure magenta pixels are transparent
  int Tile = 0;   // 0: stretch the middle; 1: tile it (borders: 1 = stretch)
  std::string Name;
  int Frame = 0;
  int Style = 0;
  Colour NormalColour = -1, MouseOverColour = -1, PressedColour = -1;
  Colour NormalColour2 = 0, MouseOverColour2 = 0, PressedColour2 = 0;

  int LeftWidth() const { return Margins.left; }
  int TopHeight() const { return Margins.top; }
  int RightWidth() const { return Margins.right; }
  int BottomHeight() const { return Margins.bottom; }
  bool Empty() const { return Bitmap->Empty(); }
  // The bitmap handle for the painting primitives (null when empty).
  HBITMAP Handle() const { return Bitmap->Handle(); }

  // Moves every field of `source` (an element of the same class) into this one; `source` is left
  // empty. Elements of another class only give their base fields.
  virtual void TakeFrom(TDataSkinObject& source);
};

// Borders of the frame, Progress, Tabs, ComboButton and the up-downs: a second image.
class TDataSkinBorder : public TDataSkinObject {
  UI_CLASS(TDataSkinBorder, TDataSkinObject)
 public:
  explicit TDataSkinBorder(std::string name);
  // "Border" of Tabs, "GlyphImage" of the up-downs, the mirrored ComboButton. Never null.
  std::unique_ptr<ui::TBitmap> Bitmap2;
  void TakeFrom(TDataSkinObject& source) override;
};

// The caption text settings. The base fields are reused: LeftWidth = TextShift, TopHeight =
// TextShiftVert, RightWidth = TextRightClip, Bitmap = TextBack.
class TDataSkinTitle : public TDataSkinObject {
  UI_CLASS(TDataSkinTitle, TDataSkinObject)
 public:
  static constexpr Colour kNotGiven = 0x1FFFFFFF;
  explicit TDataSkinTitle(std::string name);
  int TextAlignment = 0, Textbackground = 0, FontHeight = 14, TXTBackleft = 0, TXTBackRight = 0;
  Colour ActiveText = kNotGiven, InActiveText = kNotGiven;
  void TakeFrom(TDataSkinObject& source) override;
};

class TDataSkinButton : public TDataSkinObject {
  UI_CLASS(TDataSkinButton, TDataSkinObject)
 public:
  explicit TDataSkinButton(std::string name);
  std::unique_ptr<ui::TBitmap> CheckButton, RadioButton;  // never null
  int RadioButtonFrame = 0, CheckButtonFrame = 0;
  // Whether the skin gave the text colours (otherwise they are the skin's ButtonText).
  bool NormalColour2Given = false, MouseOverColour2Given = false, PressedColour2Given = false;
  void TakeFrom(TDataSkinObject& source) override;
};

// A caption button.
class TDataSkinSysButton : public TDataSkinObject {
  UI_CLASS(TDataSkinSysButton, TDataSkinObject)
 public:
  explicit TDataSkinSysButton(std::string name);
  int Action = 0, Align = 0, XCoord = 0, YCoord = 0, CombineOp = -1, Visibility = 0,
      Visibility1 = 0;
  void TakeFrom(TDataSkinObject& source) override;
};

// GroupBox: where its caption background sits.
class TDataSkinBoxLabel : public TDataSkinObject {
  UI_CLASS(TDataSkinBoxLabel, TDataSkinObject)
 public:
  explicit TDataSkinBoxLabel(std::string name);
  int BackgroundLeftShift = 0, BackgroundRightShift = 0, BackgroundAlignment = 0;
  void TakeFrom(TDataSkinObject& source) override;
};

// ---- Pixels and bitmaps ---------------------------------------------------------------------

// Replaces the bitmap's image with `pixels` at their own depth (24 or 32 bits); an empty buffer
// empties the bitmap.
void AssignPixels(ui::TBitmap& bitmap, const PixelBuffer& pixels);
// The bitmap's pixels (24 or 32 bits as the bitmap holds them); empty for an empty bitmap.
PixelBuffer PixelsOf(ui::TBitmap& bitmap);

}  // namespace skin
