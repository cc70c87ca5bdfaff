// The portable rules of the header, progress, track-bar and date-time skinners and of the glyph
// strips given to foreign check and radio controls: where each piece goes, never how it is drawn.
// Frame indices are clamped to the strips and every length is kept inside its control.
#pragma once

#include <utility>
#include <vector>

#include "imaging/ImageScale.h"
#include "imaging/PaintPlans.h"

namespace skin {

// ---- Header controls
// -----------------------------------------------------------------------------

enum class HeaderAlign { Left, Right, Centre };
// The alignment bits of a header item's format (HDF_RIGHT 1, HDF_CENTER 2; anything else left).
HeaderAlign HeaderAlignment(unsigned format);
// The Headerbar frame an item shows: 2 while it is hot, else 1.
int HeaderItemFrame(bool hot, int frameCount);

struct HeaderItemInput {
  int width = 0, height = 0;  // the item, at the origin
  int imageWidth = 0, imageHeight = 0;
  bool hasImage = false;              // an image index, an image list, and the image fits the item
  int textWidth = 0, textHeight = 0;  // the measured caption
  HeaderAlign align = HeaderAlign::Left;
  Scale scale;  // the window's DPI: the insets are 96-dpi lengths taken at it
};
struct HeaderItemLayout {
  bool showImage = false;
  int imageX = 0, imageY = 0;
  ImageRect text;  // clipped to the item horizontally
};
HeaderItemLayout LayoutHeaderItem(const HeaderItemInput& in);

// Sort arrows: 1 ascending (HDF_SORTUP 0x400), -1 descending (HDF_SORTDOWN 0x200), 0 none.
int HeaderSortOrder(unsigned format);
// What a sort arrow takes from the right of the item's room for its caption and image.
constexpr int kHeaderSortRoom = 14;
// The arrow's rows at the item's right (a triangle 7 wide and 4 high, pointing up when ascending),
// each one pixel high; none when the item is too narrow to spare the room.
// At another DPI the room and the triangle are taken at `scale` (still one-pixel rows).
std::vector<ImageRect> HeaderSortArrow(int width, int height, bool ascending, Scale scale = {});

// The rectangle of an item that counts for hovering: 3 pixels in from each side, so that the
// dividers between items belong to neither.
ImageRect HeaderHoverRect(const ImageRect& item, Scale scale = {});
// The hot item after the mouse moved to (x, y): the item under it, or `hot` unchanged when the
// point is over none (a divider keeps the last one lit).
int HotHeaderItem(const std::vector<ImageRect>& hoverRects, int x, int y, int hot);

// ---- Progress bars
// --------------------------------------------------------------------------------

// How much of a bar `length` long is filled at `pos` in low..high: (pos - low) / (high - low),
// rounded, a position outside the range taken as its nearer end; 0 for an empty range.
int ProgressFill(int length, int pos, int low, int high);
// The chunk image repeated from x0 while the chunks cover `fill`, the last one cut at the fill's
// end; `limit` (the bar's width) cuts everything beyond it.
PaintPlan PlanProgressChunks(int fill, int chunkWidth, int chunkHeight, int x0, int y0, int limit);
// One chunk stretched over (0, 0, fill, height) in three parts (caps keep their widths); a fill
// narrower than the chunk gets the whole chunk squeezed into it.
PaintPlan PlanStretchedChunk(int fill, int height, int chunkWidth, int chunkHeight, int leftCap,
                             int rightCap);

// ---- Track bars
// -----------------------------------------------------------------------------------

// The channel image (bw x bh) laid along `channel`: caps at both ends keep their length, the middle
// is stretched between them, the image centred across when it is narrower than the channel.
// Horizontal bars use the left and right caps, vertical ones the top and bottom caps.
PaintPlan PlanTrackChannel(int bw, int bh, const ImageRect& channel, int capStart, int capEnd,
                           bool vertical);
// A vertical bar's channel as the control may report it (in horizontal terms: its long side
// across): turned to lie along the bar.
ImageRect VerticalChannel(const ImageRect& reported);

// ---- Date-time pickers
// ----------------------------------------------------------------------------

// The picker's arrow button in its client area: the scroll bar's width wide, the picker's height
// less 4 high, at the top; at x = 2 with left scroll bars, else 4 pixels in from the right.
// The insets are 96-dpi lengths taken at `scale`.
ImageRect DateTimeArrowRect(int pickerWidth, int pickerHeight, int buttonWidth, bool leftScrollBar,
                            Scale scale = {});
// The ComboxArrow frame the button shows: 4 while hot, else 1.
int ArrowButtonFrame(bool hot, int frameCount);

// ---- Glyph strips of foreign check and radio controls
// ---------------------------------------------

// Which source frame each destination frame takes (1-based pairs: destination, source), and how
// many frames the strip has: mode 1 check glyphs (9 frames), 2 radio glyphs (6), 3 a check glyph
// property (6). A destination whose source frame the skin's strip lacks is left empty (the fifth
// only counts with at least 5 source frames). An unknown mode has no strip.
struct GlyphStripMap {
  int frames = 0;
  std::vector<std::pair<int, int>> copies;
};
GlyphStripMap ObjImageStrip(int mode, int sourceFrames);

}  // namespace skin
