// The arithmetic of a skinned window frame: border thicknesses from the skin's images, the client
// rectangle inside them, the window size around a client size and back, where the caption text and
// the caption buttons go, which caption buttons show, which of their images is drawn, and what the
// system-menu commands allow. Pure functions without a window, so the frame painter and the tests
// agree on every number.
#pragma once

#include <string>

#include "imaging/ImageScale.h"
#include "imaging/PaintPlans.h"

namespace skin {

// Thicknesses of the skinned frame in pixels (the top thickness is the caption height).
struct FrameMetrics {
  int LeftWidth = 0, CaptionHeight = 0, RightWidth = 0, BottomHeight = 0, MenuBarHeight = 0;

  int HorzExtra() const { return LeftWidth + RightWidth; }
  int VertExtra() const { return CaptionHeight + MenuBarHeight + BottomHeight; }
  bool operator==(const FrameMetrics&) const = default;
};

// One frame's extent of a strip of `frames` images: `extent` div frames (a count below 1 counts as
// 1; a negative extent gives 0).
int FrameExtent(int extent, int frames);

// The borders' images: Left and Right hold their frames side by side, Top and Bottom stacked.
struct BorderImageSizes {
  int leftWidth = 0, leftFrames = 1;
  int rightWidth = 0, rightFrames = 1;
  int topHeight = 0, topFrames = 1;
  int bottomHeight = 0, bottomFrames = 1;
};
FrameMetrics MetricsFromBorders(const BorderImageSizes& sizes, int menuBarHeight);

// Window kinds that decide how much frame there is.
enum class BorderKind : int { Sizeable = 0, Single = 1, None = 2, Dialog = 3 };

// From the window style: no full caption → None, thick frame → Sizeable, modal-frame bit (in the
// style or the extended style) → Dialog, else Single.
BorderKind BorderKindOf(unsigned style, unsigned exStyle);

// The client rectangle inside a window placed at `window` (WM_NCCALCSIZE). It never turns inside
// out: a window smaller than its frame gets an empty client area at the inner edge of the caption.
ImageRect SkinnedClientRect(const ImageRect& window, const FrameMetrics& m);

struct Extent {
  int width = 0, height = 0;
  bool operator==(const Extent&) const = default;
};

// The window size whose skinned frame surrounds a client area of clientWidth x clientHeight.
Extent SkinnedWindowSize(int clientWidth, int clientHeight, const FrameMetrics& m);

// The size to give a skinned window back when the skin comes off: its client area with the system
// frame around it (`systemExtra` is what the unskinned window had around its client area).
Extent UnskinnedWindowSize(const Extent& skinnedWindow, const FrameMetrics& m,
                           const Extent& systemExtra);

// ---- Another display scale
// -----------------------------------------------------------------------

// The border images' sizes once ScaleImage has scaled them frame by frame.
BorderImageSizes ScaleBorderSizes(const BorderImageSizes& sizes, Scale scale);
// The size ScaleImage gives an image of width x height cut into `frames` (stacked when
// `vertical`).
Extent ScaledImageSize(int width, int height, Scale scale, int frames, bool vertical);

// Nine-slice margins for one frame of frameWidth x frameHeight at the scale: each inner edge is
// scaled from the frame edge it is measured from, so the margins meet the scaled frame's pixels
// where the 96-dpi ones met the 96-dpi frame's, and two margins that filled the frame still fill
// it (their sum never exceeds the scaled frame). Margins are first taken within the frame.
ImageRect ScaleMargins(const ImageRect& margins, int frameWidth, int frameHeight, Scale scale);

// The caption text's offsets (TextShift, TextShiftVert, TextRightClip, TXTBack pieces) scaled.
struct CaptionTextStyle;
CaptionTextStyle ScaleCaptionTextStyle(const CaptionTextStyle& style, Scale scale);

// ---- Caption text
// --------------------------------------------------------------------------------

struct CaptionTextStyle {
  int alignment = 0;  // 0 after TextShift, 1 centred, 2 right before TextRightClip
  int textShift = 0;  // TextShift
  int shiftVert = 0;  // TextShiftVert
  int rightClip = 0;  // TextRightClip
  int backLeft = 0;   // TXTBackleft
  int backRight = 0;  // TXTBackRight
};

struct CaptionTextInput {
  ImageRect area;        // the caption area the text may use, in window coordinates
  Extent text;           // measured size of the text
  int rightReserve = 0;  // room kept for right-aligned caption buttons
  bool rightToLeft = false;
  bool popup = false;   // WS_POPUP
  bool dialog = false;  // BorderKind::Dialog
};

// Where the caption text box goes (including the TXTBack pieces on either side).
ImageRect PlaceCaptionText(const CaptionTextStyle& style, const CaptionTextInput& in);

// ---- Caption buttons
// -----------------------------------------------------------------------------

// What the visibility rules of a caption button look at.
struct CaptionState {
  bool maxBox = false, minBox = false, help = false, sysMenu = false;
  bool maximized = false, active = true;
  bool dialog = false;             // BorderKind::Dialog and not a system dialog
  bool dialogFrame = false;        // BorderKind::Dialog, system dialogs and message boxes too
  bool mdiChildMaximized = false;  // an MDI parent whose active child is maximized, with a menu bar
};

// Whether one visibility rule holds (`first` chooses between the first and the second rule's
// table; values 1000..2000 of the first rule are asked of the window and given as `asked`).
bool VisibilityRuleHolds(int value, bool first, const CaptionState& state, bool asked = false);

struct CaptionButtonShow {
  bool visible = false;
  bool enabled = true;
};

// Both rules, then what the action says: a close button hides without a system menu, the
// maximize and minimize buttons are disabled without their box (or the system menu), the icon
// button hides on every dialog frame (message boxes and system dialogs included: their caption
// text takes the icon's room).
CaptionButtonShow CaptionButtonShown(int action, int visibility, int visibility1,
                                     const CaptionState& state, bool askedVisible = false,
                                     bool hasSystemMenu = true);

// Where a shown caption button goes, from its Align rule.
struct CaptionButtonPlace {
  int align = 0, x = 0, y = 0;  // Align, Xcoord, Ycoord
  int width = 0, height = 0;    // one frame of its image
};
struct CaptionLayoutInput {
  int frameWidth = 0;
  ImageRect captionText;  // where the caption text went
  FrameMetrics metrics;
  int menuBarLeftWidth = 0;  // LeftWidth of the skin's menu-bar element, if any
};
ImageRect CaptionButtonRect(const CaptionButtonPlace& button, const CaptionLayoutInput& in);
// The same at a display scale: `button` keeps the skin's 96-dpi numbers, `in` is the scaled frame.
// Both edges of the rectangle are scaled from where they lie at 96 dpi (from the edge the button
// is aligned to), so buttons that touch at 96 dpi touch at every scale, never overlapping and
// leaving no gap; a button may come out a pixel wider or narrower than its scaled image.
ImageRect CaptionButtonRect(const CaptionButtonPlace& button, const CaptionLayoutInput& in,
                            Scale scale);

// Button states.
constexpr int kStateNormal = 1, kStatePressed = 2, kStateHot = 3, kStateDisabled = 4;

// The image (1-based) a caption button shows. `fullPaint`: the whole caption is being painted
// (every button in its resting image: frame 4 for disabled buttons or an inactive window when the
// image has it); otherwise a state change of this one button.
int CaptionButtonFrame(int state, bool enabled, bool active, int frames, bool inMenuStrip,
                       bool fullPaint);

// Actions of caption buttons.
constexpr int kActionClose = 0, kActionMaximize = 1, kActionMinimize = 2, kActionSystemMenu = 3,
              kActionHelp = 4, kActionMaximize2 = 22, kActionMinimize2 = 23;
// Buttons that show the window icon and open the system menu.
bool IsIconAction(int action);
bool IsMaximizeAction(int action);
bool IsMinimizeAction(int action);

// ---- System menu
// ---------------------------------------------------------------------------------

enum class ShowState : int { Normal = 0, Maximized = 1, Minimized = 2 };

struct SystemMenuItemRule {
  int image = -1;  // index in the menu glyphs, -1 for none
  bool enabled = true;
};
// What an item of the system menu shows and whether it may be chosen (`systemEnabled`: what the
// system menu itself says).
SystemMenuItemRule SystemMenuItem(unsigned command, ShowState show, bool minBox, bool maxBox,
                                  bool systemEnabled);

// ---- Hit testing --------------------------------------------------------------------------------

// The answer to WM_NCHITTEST given the system's answer and the point in window coordinates: the
// caption (and the system's own caption buttons, which nobody can see) is the caption below the
// top edge; below the caption lies the menu bar when there is one.
int SkinnedHitTest(int systemAnswer, int windowY, const FrameMetrics& m);
// What the hit test answers over a caption button of the action: the system's code for its close,
// maximize, minimize, help and window-menu buttons (so that the system and assistive tools know
// the button under the pointer), the caption for buttons of the skin's own.
int CaptionButtonHitCode(int action);
// A hit code of the caption or of one of its buttons.
bool IsCaptionHit(int code);

// "#32770" and "TMessageForm" (any letter case): system dialogs and message boxes.
bool IsSystemDialogClass(const std::string& className);

}  // namespace skin
