// Readable text: the contrast between each text colour a skin gives and the skin pixels that text
// is drawn on (caption text on the caption, button text on the button faces, menu and menu-bar
// text on their backgrounds), by the web accessibility guidelines' contrast ratio. Portable.
#pragma once

#include <string>
#include <vector>

#include "imaging/PaintPlans.h"
#include "imaging/PixelBuffer.h"
#include "skin/data/WinSkinIni.h"

namespace skinpack {

// Below this ratio text is hard to read for many people (the guidelines' figure for large text,
// which captions, buttons and menus are measured against).
constexpr double kMinimumContrast = 3.0;

// The guidelines' relative luminance of an sRGB colour (0 black ... 1 white).
double RelativeLuminance(skin::Colour c);
// (L1 + 0.05) / (L2 + 0.05) with L1 the lighter: 1 for equal colours, 21 for black on white.
double ContrastRatio(skin::Colour a, skin::Colour b);

// The contrast of text of colour `text` against the pixels of `area` in `image`, taken together:
// their mean luminance (transparent magenta is not a background). `around` receives the pixel
// nearest that mean. 0 when the area has no pixel.
double TextContrastOn(skin::Colour text, const skin::PixelBuffer& image, const skin::ImageRect& area,
                      skin::Colour* around = nullptr);

// One text colour and what it is drawn on.
struct TextOnBackground {
  std::string element;             // "caption text (active)", "button text (pressed)", ...
  std::string section, key;        // the key that gives the text colour, where to report
  skin::Colour text = 0;
  const skin::PixelBuffer* image;  // the background image, or null for a flat colour
  skin::ImageRect area{};          // of the image
  skin::Colour flat = 0;           // the background when there is no image
  std::string background;          // "the caption image (frame 1)", "[Colours] Menu", ...
};

// Every pair the definition decides itself: a text colour the skin gives on a background the
// skin gives. Colours the skin leaves to the system are the system's business and are skipped.
// The pairs point into `d`, which must outlive them.
std::vector<TextOnBackground> TextPairs(const skin::SkinDefinition& d);

struct ContrastFinding {
  std::string section, key;
  std::string what;  // "contrast 1.9:1 of caption text (active) 250,250,250 on ...: below 3:1"
};
std::vector<ContrastFinding> CheckContrast(const skin::SkinDefinition& d);

}  // namespace skinpack
