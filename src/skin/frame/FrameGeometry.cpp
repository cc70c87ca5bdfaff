#include "skin/frame/FrameGeometry.h"

#include <algorithm>
#include <cctype>

namespace skin {

namespace {
// Window style bits the frame looks at (kept here so this file needs no system header).
constexpr unsigned kCaption = 0x00C00000;     // WS_CAPTION
constexpr unsigned kThickFrame = 0x00040000;  // WS_THICKFRAME
constexpr unsigned kModalFrame = 0x00000080;  // DS_MODALFRAME
constexpr unsigned kExDlgModalFrame = 0x1;    // WS_EX_DLGMODALFRAME

// Hit-test codes.
constexpr int kHtNowhere = 0, kHtCaption = 2, kHtSysMenu = 3, kHtMenu = 5, kHtMinButton = 8,
              kHtMaxButton = 9, kHtClose = 20, kHtHelp = 21;

// System commands.
constexpr unsigned kScSize = 0xF000, kScMove = 0xF010, kScMinimize = 0xF020, kScMaximize = 0xF030,
                   kScClose = 0xF060, kScRestore = 0xF120;
}  // namespace

int FrameExtent(int extent, int frames) {
  if (extent <= 0) return 0;
  return extent / std::max(frames, 1);
}

FrameMetrics MetricsFromBorders(const BorderImageSizes& s, int menuBarHeight) {
  FrameMetrics m;
  m.LeftWidth = FrameExtent(s.leftWidth, s.leftFrames);
  m.RightWidth = FrameExtent(s.rightWidth, s.rightFrames);
  m.CaptionHeight = FrameExtent(s.topHeight, s.topFrames);
  m.BottomHeight = FrameExtent(s.bottomHeight, s.bottomFrames);
  m.MenuBarHeight = std::max(menuBarHeight, 0);
  return m;
}

Extent ScaledImageSize(int width, int height, Scale s, int frames, bool vertical) {
  if (width <= 0 || height <= 0) return {std::max(width, 0), std::max(height, 0)};
  if (s.Identity()) return {width, height};
  // As ScaleImage cuts: a count that does not divide the image scales it as one frame.
  const int along = vertical ? height : width;
  if (frames < 1 || along % frames != 0) frames = 1;
  const int fw = vertical ? width : width / frames;
  const int fh = vertical ? height / frames : height;
  const int sw = ScaleLength(fw, s), sh = ScaleLength(fh, s);
  return {vertical ? sw : sw * frames, vertical ? sh * frames : sh};
}

BorderImageSizes ScaleBorderSizes(const BorderImageSizes& in, Scale s) {
  BorderImageSizes out = in;
  // Only the extent along the frames matters here; the other one is scaled the same way.
  out.leftWidth = ScaledImageSize(in.leftWidth, 1, s, in.leftFrames, false).width;
  out.rightWidth = ScaledImageSize(in.rightWidth, 1, s, in.rightFrames, false).width;
  out.topHeight = ScaledImageSize(1, in.topHeight, s, in.topFrames, true).height;
  out.bottomHeight = ScaledImageSize(1, in.bottomHeight, s, in.bottomFrames, true).height;
  return out;
}

ImageRect ScaleMargins(const ImageRect& m, int frameWidth, int frameHeight, Scale s) {
  if (s.Identity()) return m;
  const int fw = std::max(frameWidth, 0), fh = std::max(frameHeight, 0);
  const int left = std::clamp(m.left, 0, fw), right = std::clamp(m.right, 0, fw - left);
  const int top = std::clamp(m.top, 0, fh), bottom = std::clamp(m.bottom, 0, fh - top);
  const int sw = fw > 0 ? ScaleLength(fw, s) : 0, sh = fh > 0 ? ScaleLength(fh, s) : 0;
  return {ScaleLength(left, s), ScaleLength(top, s), sw - ScaleLength(fw - right, s),
          sh - ScaleLength(fh - bottom, s)};
}

CaptionTextStyle ScaleCaptionTextStyle(const CaptionTextStyle& in, Scale s) {
  CaptionTextStyle out = in;
  out.textShift = ScaleLength(in.textShift, s);
  out.shiftVert = ScaleLength(in.shiftVert, s);
  out.rightClip = ScaleLength(in.rightClip, s);
  out.backLeft = ScaleLength(in.backLeft, s);
  out.backRight = ScaleLength(in.backRight, s);
  return out;
}

BorderKind BorderKindOf(unsigned style, unsigned exStyle) {
  BorderKind kind = BorderKind::Single;
  if ((style & kCaption) != kCaption)
    kind = BorderKind::None;
  else if (style & kThickFrame)
    kind = BorderKind::Sizeable;
  else if (style & kModalFrame)
    kind = BorderKind::Dialog;
  if (exStyle & kExDlgModalFrame) kind = BorderKind::Dialog;
  return kind;
}

ImageRect SkinnedClientRect(const ImageRect& w, const FrameMetrics& m) {
  ImageRect c{w.left + m.LeftWidth, w.top + m.CaptionHeight + m.MenuBarHeight,
              w.right - m.RightWidth, w.bottom - m.BottomHeight};
  // A window narrower or lower than its frame: an empty client area, never an inverted one, and
  // never outside the window.
  c.left = std::min(c.left, w.right);
  c.top = std::min(c.top, w.bottom);
  c.right = std::max(c.right, c.left);
  c.bottom = std::max(c.bottom, c.top);
  return c;
}

Extent SkinnedWindowSize(int clientWidth, int clientHeight, const FrameMetrics& m) {
  return {std::max(clientWidth, 0) + m.HorzExtra(), std::max(clientHeight, 0) + m.VertExtra()};
}

Extent UnskinnedWindowSize(const Extent& w, const FrameMetrics& m, const Extent& systemExtra) {
  const int clientWidth = std::max(w.width - m.HorzExtra(), 0);
  const int clientHeight = std::max(w.height - m.CaptionHeight - m.BottomHeight, 0);
  return {clientWidth + systemExtra.width, clientHeight + systemExtra.height};
}

ImageRect PlaceCaptionText(const CaptionTextStyle& st, const CaptionTextInput& in) {
  const ImageRect& a = in.area;
  const int w = in.text.width + st.backLeft + st.backRight;
  const int aw = a.width();
  int x = 0;
  if (!in.rightToLeft) {
    switch (st.alignment) {
      case 0:
        x = st.textShift;
        break;
      case 1:
        x = (aw - w) / 2;
        break;
      case 2:
        x = aw - st.rightClip - w;
        break;
      default:
        x = 0;
        break;
    }
  } else {
    switch (st.alignment) {
      case 0:
        x = aw - in.rightReserve - w;
        break;
      case 1:
        x = (aw - in.rightReserve - w) / 2;
        break;
      case 2:
        x = st.textShift;
        break;
      default:
        x = 0;
        break;
    }
  }
  const int y = (a.height() - in.text.height) / 2 + st.shiftVert / 2;
  ImageRect t{a.left + x, a.top + y, a.left + x + w, a.top + y + in.text.height};
  if (in.rightToLeft && x < 1) t.left = st.textShift;

  if (in.rightToLeft) {
    t = t.Offset(10, 0);
  } else {
    // The text stops short of the right-aligned caption buttons (they would be drawn over it)
    // and, on windows that are not pop-ups, of the skin's right clip.
    if (in.rightReserve > 5) t.right = std::min(t.right, a.right - in.rightReserve - 5);
    if (!in.popup) t.right = std::min(t.right, a.right - st.rightClip);
  }
  if (in.dialog && st.alignment == 0) t.left -= 16;
  t.right = std::max(t.right, t.left);
  return t;
}

bool VisibilityRuleHolds(int value, bool first, const CaptionState& s, bool asked) {
  const bool anyBox = s.minBox || s.maxBox;
  switch (value) {
    case 0:
      return true;
    case 1:
      return s.maximized;
    case 2:
      return !s.maximized;
    case 3:
      return s.active;
    case 4:
      return !s.active;
    case 5:
      return false;
    case 6:
    case 8:
      return first ? anyBox && s.sysMenu : anyBox;
    case 7:
      return !s.maxBox;
    case 9:
      return !s.minBox;
    case 10:
      return first ? s.help && !s.minBox && !s.maxBox : s.help;
    case 100:
      return s.mdiChildMaximized;
    case 200:
      return s.dialog;
    default:
      break;
  }
  if (value >= 201 && value <= 999) return true;
  if (value >= 1000 && value <= 2000) return first ? asked : true;
  return false;  // -1 and every value without a meaning: hidden
}

CaptionButtonShow CaptionButtonShown(int action, int visibility, int visibility1,
                                     const CaptionState& s, bool askedVisible, bool hasSystemMenu) {
  CaptionButtonShow r;
  r.visible = VisibilityRuleHolds(visibility, true, s, askedVisible) &&
              VisibilityRuleHolds(visibility1, false, s, askedVisible);
  if (action == kActionClose && !hasSystemMenu) r.visible = false;
  if (IsMaximizeAction(action)) r.enabled = s.maxBox && s.sysMenu;
  if (IsMinimizeAction(action)) r.enabled = s.minBox && s.sysMenu;
  if ((IsIconAction(action) || action == 12) && (s.dialog || s.dialogFrame)) r.visible = false;
  return r;
}

ImageRect CaptionButtonRect(const CaptionButtonPlace& b, const CaptionLayoutInput& in) {
  int x = 0, y = 0;
  switch (b.align) {
    case 0:
      x = b.x;
      y = b.y;
      break;
    case 1:
      x = in.frameWidth - b.x;
      y = b.y;
      break;
    case 2:
    case 8:
      x = in.captionText.left - b.width - b.x;
      y = b.y;
      break;
    case 3:
    case 9:
      x = in.captionText.right + b.x;
      y = b.y;
      break;
    case 100:
      x = in.frameWidth - b.x - in.metrics.RightWidth - in.menuBarLeftWidth;
      y = in.metrics.CaptionHeight + (in.metrics.MenuBarHeight - b.height) / 2;
      break;
    default:
      break;
  }
  return {x, y, x + b.width, y + b.height};
}

ImageRect CaptionButtonRect(const CaptionButtonPlace& b, const CaptionLayoutInput& in, Scale s) {
  if (s.Identity()) return CaptionButtonRect(b, in);
  const auto S = [s](int v) { return ScaleLength(v, s); };
  // Vertical edges from the caption's top (the menu strip's buttons are centred in it).
  int top = S(b.y), bottom = S(b.y + b.height);
  int left = 0, right = 0;
  switch (b.align) {
    case 0:
      left = S(b.x);
      right = S(b.x + b.width);
      break;
    case 1:
      left = in.frameWidth - S(b.x);
      right = in.frameWidth - S(b.x - b.width);
      break;
    case 2:
    case 8:
      left = in.captionText.left - S(b.x + b.width);
      right = in.captionText.left - S(b.x);
      break;
    case 3:
    case 9:
      left = in.captionText.right + S(b.x);
      right = in.captionText.right + S(b.x + b.width);
      break;
    case 100: {
      const int edge = in.frameWidth - in.metrics.RightWidth - S(in.menuBarLeftWidth);
      left = edge - S(b.x);
      right = edge - S(b.x - b.width);
      const int h = S(b.height);
      top = in.metrics.CaptionHeight + (in.metrics.MenuBarHeight - h) / 2;
      bottom = top + h;
      break;
    }
    default:
      return {0, 0, S(b.width), S(b.height)};
  }
  return {left, top, right, bottom};
}

int CaptionButtonFrame(int state, bool enabled, bool active, int frames, bool inMenuStrip,
                       bool fullPaint) {
  frames = std::max(frames, 1);
  int frame = kStateNormal;
  if (fullPaint) {
    if (frames >= 4 && (!active || !enabled)) frame = kStateDisabled;
  } else if (!enabled) {
    frame = frames > 3 ? kStateDisabled : kStateNormal;
  } else {
    frame = std::clamp(state, kStateNormal, kStateHot);
    if (inMenuStrip && frame == kStateHot) frame = kStateDisabled;
  }
  return std::clamp(frame, 1, frames);
}

bool IsIconAction(int action) { return action == 3 || action == 11; }
bool IsMaximizeAction(int action) {
  return action == kActionMaximize || action == kActionMaximize2;
}
bool IsMinimizeAction(int action) {
  return action == kActionMinimize || action == kActionMinimize2;
}

SystemMenuItemRule SystemMenuItem(unsigned command, ShowState show, bool minBox, bool maxBox,
                                  bool systemEnabled) {
  switch (command) {
    case kScSize:
    case kScMove:
      return {-1, show != ShowState::Maximized};
    case kScMinimize:
      return {2, show != ShowState::Minimized && minBox};
    case kScMaximize:
      return {1, show != ShowState::Maximized && maxBox};
    case kScClose:
      return {3, systemEnabled};
    case kScRestore:
      return {0, show != ShowState::Normal};
    default:
      return {-1, systemEnabled};
  }
}

int SkinnedHitTest(int answer, int y, const FrameMetrics& m) {
  switch (answer) {
    case kHtSysMenu:
    case kHtMinButton:
    case kHtMaxButton:
    case kHtClose:
    case kHtHelp:
      answer = kHtCaption;
      break;
    default:
      break;
  }
  if (answer != kHtNowhere && answer != kHtCaption) return answer;
  if (y > 3) answer = kHtCaption;
  if (y > m.CaptionHeight && m.MenuBarHeight > 0) answer = kHtMenu;
  return answer;
}

int CaptionButtonHitCode(int action) {
  if (action == kActionClose) return kHtClose;
  if (IsMaximizeAction(action)) return kHtMaxButton;
  if (IsMinimizeAction(action)) return kHtMinButton;
  if (action == kActionHelp) return kHtHelp;
  if (IsIconAction(action)) return kHtSysMenu;
  return kHtCaption;
}

bool IsCaptionHit(int code) {
  switch (code) {
    case kHtCaption:
    case kHtSysMenu:
    case kHtMinButton:
    case kHtMaxButton:
    case kHtClose:
    case kHtHelp:
      return true;
    default:
      return false;
  }
}

bool IsSystemDialogClass(const std::string& className) {
  std::string lower = className;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower == "#32770" || lower == "tmessageform";
}

}  // namespace skin
