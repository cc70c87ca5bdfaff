#include "SkinContrast.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "skin/data/SkinDerived.h"

namespace skinpack {

using skin::Colour;
using skin::ImageRect;
using skin::PixelBuffer;

namespace {

double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

std::string Rgb(Colour c) {
  return std::to_string(skin::RedOf(c)) + "," + std::to_string(skin::GreenOf(c)) + "," +
         std::to_string(skin::BlueOf(c));
}

std::string Ratio(double r) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f:1", std::floor(r * 10) / 10);
  return text;
}

// Frame `index` (0-based) of a strip of `frames`, its margins cut off: where text goes.
ImageRect FrameInside(const PixelBuffer& image, int frames, int index, bool stacked,
                      const skin::ElementDef& e) {
  frames = std::max(1, frames);
  index = std::clamp(index, 0, frames - 1);
  const int fw = stacked ? image.width() : image.width() / frames;
  const int fh = stacked ? image.height() / frames : image.height();
  ImageRect r = stacked ? ImageRect{0, index * fh, fw, (index + 1) * fh}
                        : ImageRect{index * fw, 0, (index + 1) * fw, fh};
  const ImageRect inside{r.left + std::max(0, e.LeftWidth), r.top + std::max(0, e.TopHeight),
                         r.right - std::max(0, e.RightWidth),
                         r.bottom - std::max(0, e.BottomHeight)};
  return inside.empty() ? r : inside;
}

// The rows a line of text of `rows` pixels takes when centred in `r` and moved down by `shift`.
ImageRect TextBand(const ImageRect& r, int rows, int shift = 0) {
  if (rows <= 0 || rows >= r.height()) return r;
  const int top = std::clamp(r.top + (r.height() - rows) / 2 + shift, r.top, r.bottom - rows);
  return {r.left, top, r.right, top + rows};
}

// Buttons and menus use the dialog font: about this many pixels from ascent to descent.
constexpr int kDialogTextRows = 13;

bool Given(const skin::SkinDefinition& d, skin::ColourIndex i) {
  return d.Colours[i].given && !skin::IsSystemColour(d.Colours[i].colour);
}

}  // namespace

double RelativeLuminance(Colour c) {
  return 0.2126 * Linear(skin::RedOf(c)) + 0.7152 * Linear(skin::GreenOf(c)) +
         0.0722 * Linear(skin::BlueOf(c));
}

double ContrastRatio(Colour a, Colour b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double TextContrastOn(Colour text, const PixelBuffer& image, const ImageRect& area,
                      Colour* around) {
  const ImageRect r{std::max(0, area.left), std::max(0, area.top),
                    std::min(image.width(), area.right), std::min(image.height(), area.bottom)};
  // Text is read against the whole of what lies behind it: the mean luminance of the area, which
  // a gradient or a highlight line moves only as far as it covers the area.
  double sum = 0;
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const Colour c = image.Get(x, y) & 0xFFFFFF;
      if (c == skin::kMagenta) continue;
      sum += RelativeLuminance(c);
      ++count;
    }
  if (count == 0) return 0;
  const double mean = sum / count;
  if (around) {
    double nearest = 2;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        const Colour c = image.Get(x, y) & 0xFFFFFF;
        const double distance = std::abs(RelativeLuminance(c) - mean);
        if (c != skin::kMagenta && distance < nearest) nearest = distance, *around = c;
      }
  }
  const double lt = RelativeLuminance(text);
  return (std::max(lt, mean) + 0.05) / (std::min(lt, mean) + 0.05);
}

std::vector<TextOnBackground> TextPairs(const skin::SkinDefinition& d) {
  std::vector<TextOnBackground> pairs;
  auto onImage = [&pairs](std::string element, std::string section, std::string key, Colour text,
                          const PixelBuffer& image, ImageRect area, std::string background) {
    pairs.push_back({std::move(element), std::move(section), std::move(key), text, &image, area, 0,
                     std::move(background)});
  };
  auto onFlat = [&pairs](std::string element, std::string section, std::string key, Colour text,
                         Colour flat, std::string background) {
    pairs.push_back({std::move(element), std::move(section), std::move(key), text, nullptr, {},
                     flat, std::move(background)});
  };

  // The caption: its text lies on the middle of the top border (frame 1 active, 2 inactive), or
  // on the text background image when the skin has one.
  const skin::ElementDef& top = d.Top;
  const int topFrames = std::max(1, top.Frame);
  for (const bool active : {true, false}) {
    const skin::ColourIndex index = active ? skin::ciTitleTextActive : skin::ciTitleTextNoActive;
    if (!Given(d, index)) continue;
    const std::string element = active ? "caption text (active)" : "caption text (inactive)";
    const std::string key = active ? "TitleTextActive" : "TitleTextNoActive";
    const int frame = active || topFrames == 1 ? 0 : 1;
    if (!d.Title.Bitmap.empty()) {
      skin::ElementDef margins;
      margins.LeftWidth = d.Title.TXTBackleft;
      margins.RightWidth = d.Title.TXTBackRight;
      onImage(element, "Colours", key, d.Colours[index].colour, d.Title.Bitmap,
              TextBand(FrameInside(d.Title.Bitmap, 2, active ? 0 : 1, false, margins),
                       d.Title.FontHeight),
              "the caption text background (frame " + std::to_string(active ? 1 : 2) + ")");
    } else if (!top.Bitmap.empty()) {
      // The top border's fixed ends are its LeftWidth and RightWidth.
      onImage(element, "Colours", key, d.Colours[index].colour, top.Bitmap,
              TextBand(FrameInside(top.Bitmap, topFrames, frame, true, top), d.Title.FontHeight,
                       d.Title.TopHeight),
              "the caption image (frame " + std::to_string(frame + 1) + ")");
    }
  }

  // Push buttons: normal, pressed and hot faces (frames 1, 2 and 4), each with its own text
  // colour when the skin gives one, else the button text colour.
  const skin::ButtonsDef& b = d.Buttons;
  if (!b.Bitmap.empty()) {
    const int frames = skin::FrameCountAfterLoad("Buttons", b.Frame, b.Style);
    struct Face {
      const char* state;
      int frame;
      Colour colour;
      bool given;
      const char* key;
    };
    for (const Face& f : {Face{"normal", 0, b.NormalColour2, b.NormalColour2Given, "NormalColour2"},
                          Face{"pressed", 1, b.PressedColour2, b.PressedColour2Given,
                               "PressedColour2"},
                          Face{"hot", 3, b.MouseOverColour2, b.MouseOverColour2Given,
                               "MouseOverColour2"}}) {
      if (f.frame >= frames) continue;
      const bool own = f.given;
      if (!own && !Given(d, skin::ciButtonText)) continue;
      onImage(std::string("button text (") + f.state + ")", own ? "Buttons" : "Colours",
              own ? f.key : "ButtonText", own ? f.colour : d.Colours[skin::ciButtonText].colour,
              b.Bitmap, TextBand(FrameInside(b.Bitmap, frames, f.frame, false, b), kDialogTextRows),
              "the button face (frame " + std::to_string(f.frame + 1) + ")");
    }
  }

  // Header items (a list view's column headers): the window text colour on the normal and hot
  // faces. Edits and lists keep the system's own text and fill colours: nothing of the skin's.
  if (const skin::ElementDef* header = d.Find("Headerbar");
      header && !header->Bitmap.empty() && Given(d, skin::ciWindowText)) {
    const int frames = skin::FrameCountAfterLoad("Headerbar", header->Frame, header->Style);
    for (const int frame : {0, 1}) {
      if (frame >= frames) continue;
      onImage(frame == 0 ? "header text (normal)" : "header text (hot)", "Colours", "WindowText",
              d.Colours[skin::ciWindowText].colour, header->Bitmap,
              TextBand(FrameInside(header->Bitmap, frames, frame, false, *header), kDialogTextRows),
              "the header item (frame " + std::to_string(frame + 1) + ")");
    }
  }

  // Menu items: on the menu background image, else on the menu colour.
  if (Given(d, skin::ciMenuText)) {
    const Colour text = d.Colours[skin::ciMenuText].colour;
    if (const skin::ElementDef* back = d.Find("MenuBackground"); back && !back->Bitmap.empty())
      onImage("menu text", "Colours", "MenuText", text, back->Bitmap,
              TextBand(FrameInside(back->Bitmap, 1, 0, false, *back), kDialogTextRows),
              "the menu background image");
    else if (Given(d, skin::ciMenu))
      onFlat("menu text", "Colours", "MenuText", text, d.Colours[skin::ciMenu].colour,
             "[Colours] Menu");
  }
  // A selected item: highlight text on the highlight colour.
  if (Given(d, skin::ciHilightText) && Given(d, skin::ciHilight))
    onFlat("selected menu text", "Colours", "HilightText", d.Colours[skin::ciHilightText].colour,
           d.Colours[skin::ciHilight].colour, "[Colours] Hilight");
  // The menu bar: on its image, else on the menu bar colour.
  if (Given(d, skin::ciMenuBarText)) {
    const Colour text = d.Colours[skin::ciMenuBarText].colour;
    if (d.MenuBar && !d.MenuBar->Bitmap.empty())
      onImage("menu bar text", "Colours", "MenuBarText", text, d.MenuBar->Bitmap,
              TextBand(FrameInside(d.MenuBar->Bitmap, 1, 0, true, *d.MenuBar), kDialogTextRows),
              "the menu bar image");
    else if (Given(d, skin::ciMenubar))
      onFlat("menu bar text", "Colours", "MenuBarText", text, d.Colours[skin::ciMenubar].colour,
             "[Colours] Menubar");
  }
  return pairs;
}

std::vector<ContrastFinding> CheckContrast(const skin::SkinDefinition& d) {
  std::vector<ContrastFinding> out;
  for (const TextOnBackground& p : TextPairs(d)) {
    Colour against = p.flat;
    const double ratio = p.image ? TextContrastOn(p.text, *p.image, p.area, &against)
                                 : ContrastRatio(p.text, p.flat);
    if (ratio <= 0 || ratio >= kMinimumContrast) continue;
    out.push_back({p.section, p.key,
                   "contrast " + Ratio(ratio) + " of " + p.element + " " + Rgb(p.text) + " on " +
                       p.background + " " + Rgb(against) + ": below " +
                       Ratio(kMinimumContrast) + ", hard to read"});
  }
  return out;
}

}  // namespace skinpack
