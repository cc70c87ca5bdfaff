// Sizes and frame counts of the default skin's images, its caption buttons and button face. The
// painters cut frames by dividing the image by the frame count the definition gives, so these
// numbers and skins/default/skin.ini must agree; the artwork tests read the definition and check it
// against them. Plain C++ without the drawing kit, so every test can take the numbers from here.
#pragma once

namespace skin::art::metrics {

struct Strip {
  int frameWidth, frameHeight, frames;
};

// Window frame: the caption is the Top frame's height; the side borders are the Left/Right frame
// width; the bottom border is the Bottom frame's height. Top and Bottom stack their two frames
// (active, inactive) vertically, Left and Right side by side.
constexpr int kCaptionHeight = 28;
constexpr int kSideWidth = 4;
constexpr int kBottomHeight = 5;
constexpr int kTopWidth = 632;
constexpr int kSideHeight = 100;
constexpr int kCornerRadius = 8;       // top corners of the window
constexpr int kBottomRadius = 3;       // bottom corners
constexpr int kMinCaptionWidth = 160;  // spare caption strip of a minimized window

// Caption buttons: right-aligned at these distances from the window's right edge, at kButtonTop.
constexpr Strip kCaptionButton{21, 21, 6};
constexpr int kButtonTop = 5;
constexpr int kCloseX = 25, kMaximizeX = 49, kMinimizeX = 73;

// The caption-button sections of the definition, in their order. Align 1 counts Xcoord from the
// window's right edge, 0 from its left; the system-menu button is the window icon, without image.
struct CaptionButton {
  const char* section;
  const char* image;  // "" for none
  int action, align, x, y, visibility, visibility1;
};
inline constexpr CaptionButton kCaptionButtons[] = {
    {"Button.Close", "closebutton.bmp", 0, 1, kCloseX, kButtonTop, 0, 0},
    {"Button.Maximize", "maxbutton.bmp", 1, 1, kMaximizeX, kButtonTop, 2, 6},
    {"Button.Minimize", "minbutton.bmp", 2, 1, kMinimizeX, kButtonTop, 8, 0},
    {"Button.Restore", "restrorebutton.bmp", 1, 1, kMaximizeX, kButtonTop, 1, 0},
    {"Button.SystemMenu", "", 3, 0, 8, 7, 0, 0},
};

// The colour table's button face, around which the whole palette is drawn (theme::kFace).
struct Rgb8 {
  int r, g, b;
  // As the skin engine holds colours: red in the low byte.
  constexpr int Value() const { return b << 16 | g << 8 | r; }
};
constexpr Rgb8 kButtonFace{227, 238, 253};
constexpr Strip kMdiButton{16, 16, 4};  // 3 buttons × 4 frames in one strip

constexpr Strip kPushButton{32, 24, 5};
constexpr Strip kCheckBox{13, 13, 12};
constexpr Strip kRadioButton{13, 13, 8};
constexpr Strip kComboButton{17, 17, 4};
constexpr Strip kExtraImages{16, 16, 5};

// Scroll bars: arrows and grips are squares of the bar's thickness.
constexpr int kScrollSize = 17;
constexpr Strip kScrollArrows{kScrollSize, kScrollSize, 23};
constexpr Strip kScrollTrackH{24, kScrollSize, 4};
constexpr Strip kScrollThumbH{24, kScrollSize, 3};
constexpr int kThumbEnd = 5;  // fixed ends of the thumb along the bar

constexpr Strip kMenuBackground{16, 16, 1};
constexpr int kMenuBorder = 3;
constexpr Strip kMenuItem{24, 20, 5};

constexpr Strip kProgress{24, 16, 2};
constexpr Strip kProgressChunk{10, 12, 1};
constexpr Strip kTabs{40, 22, 5};
constexpr Strip kTabSheet{12, 12, 1};
constexpr Strip kStatusBar{12, 18, 3};
constexpr Strip kHeader{40, 20, 3};
constexpr Strip kTrackThumbH{11, 21, 5};
constexpr Strip kTrackChannelH{24, 4, 1};
constexpr Strip kSpinV{15, 8, 8};  // halves of a spin are about 8 high: no rows lost
constexpr Strip kSpinGlyphV{7, 4, 8};
constexpr Strip kSpinH{8, 15, 8};
constexpr Strip kSpinGlyphH{4, 7, 8};

}  // namespace skin::art::metrics
