#include "skin/data/SkinNumbers.h"

#include <algorithm>
#include <cstdint>

#include "imaging/BmpDecode.h"
#include "ui/Text.h"

namespace skin {

namespace {

// No image is larger than the BMP reader allows: a length or a frame count beyond that means
// nothing, and bounding it there keeps every sum of lengths and sizes far inside int.
constexpr int kLength = kMaxBmpDimension;

std::vector<NumberRule> MakeRules() {
  std::vector<NumberRule> r;
  auto length = [&r](std::string_view key, std::string_view what) {
    r.push_back({key, NumberKind::kLength, -kLength, kLength, what});
  };
  auto count = [&r](std::string_view key, std::string_view what) {
    r.push_back({key, NumberKind::kCount, -kLength, kLength, what});
  };
  auto choice = [&r](std::string_view key, std::string_view what) {
    r.push_back({key, NumberKind::kChoice, INT32_MIN, INT32_MAX, what});
  };
  auto colourByte = [&r](std::string_view key, std::string_view what) {
    r.push_back({key, NumberKind::kColourByte, -1, 255, what});
  };
  // The frame borders ([Personality]).
  length("LeftTopHeight", "fixed top part of the left border");
  length("LeftBotHeight", "fixed bottom part of the left border");
  length("RightTopHeight", "fixed top part of the right border");
  length("RightBotHeight", "fixed bottom part of the right border");
  length("TopTopHeight", "fixed left part of the top border");
  length("TopBotHeight", "fixed right part of the top border");
  length("BottomTopHeight", "fixed left part of the bottom border");
  length("BottomBotHeight", "fixed right part of the bottom border");
  count("LeftFrame", "frames of the left border");
  count("RightFrame", "frames of the right border");
  count("TopFrame", "frames of the top border");
  count("BottomFrame", "frames of the bottom border");
  for (const char* key : {"LeftStretch", "RightStretch", "TopStretch", "BottomStretch"})
    choice(key, "1 stretches the border's middle, 0 tiles it");
  for (const char* key : {"LeftTrans", "RightTrans", "TopTrans", "BottomTrans"})
    choice(key, "1 keys the border's magenta out");
  // The caption text ([Personality], [Fonts]).
  length("TextShift", "caption text offset from the left");
  length("TextShiftVert", "caption text offset from the top");
  length("TextRightClip", "room kept right of the caption text");
  choice("TextAlignment", "0 left, 1 centre, 2 right");
  choice("Textbackground", "whether the text background image is drawn");
  length("TXTBackleft", "fixed left part of the text background");
  length("TXTBackRight", "fixed right part of the text background");
  for (const char* key : {"ActiveTextR", "ActiveTextG", "ActiveTextB", "InActiveTextR",
                          "InActiveTextG", "InActiveTextB"})
    colourByte(key, "a byte of the caption text colour");
  r.push_back({"FontHeight", NumberKind::kLength, -1000, 1000, "caption font height in pixels"});
  // The menu bar ([Personality]).
  choice("TileMenu", "1 stretches the bar's middle, 0 tiles it");
  choice("TileLeftMenu", "1 stretches the bar's left part");
  choice("TileRightMenu", "1 stretches the bar's right part");
  // The common image keys of every element, [Buttons] and [Progress].
  choice("Style", "the element's drawing style");
  length("LeftWidth", "left margin of the nine-slice");
  length("RightWidth", "right margin of the nine-slice");
  length("TopHeight", "top margin of the nine-slice");
  length("BottomHeight", "bottom margin of the nine-slice");
  count("Frame", "frames of the element's image");  // also a caption button's "frame"
  choice("Trans", "1 keys the image's magenta out");
  choice("Tile", "1 tiles the image's middle");
  for (const char* key : {"NormalColour", "MouseOverColour", "PressedColour"})
    choice(key, "a colour value, -1 for none");
  count("RadioButtonFrame", "frames of the radio-button glyphs");
  count("CheckButtonFrame", "frames of the check-box glyphs");
  choice("BackgroundAlignment", "where a group box's caption background goes");
  length("BackgroundLeftShift", "offset of a group box's caption background");
  length("BackgroundRightShift", "offset of a group box's caption background");
  count("FrameCount", "frames of a scroll thumb");
  // Caption buttons ([BUTTON...]).
  choice("Action", "what the button does");
  choice("Align", "which edge the button's place counts from");
  length("Xcoord", "the button's place across");
  length("Ycoord", "the button's place down");
  choice("Visibility", "when the button shows");
  choice("Visibility1", "when the button shows, second rule");
  choice("CombineOp", "how the button's image is combined");
  return r;
}

}  // namespace

const std::vector<NumberRule>& NumberRules() {
  static const std::vector<NumberRule> rules = MakeRules();
  return rules;
}

const NumberRule* NumberRuleOf(std::string_view section, std::string_view key) {
  (void)section;  // every number keeps its name's meaning in whichever section reads it
  for (const NumberRule& r : NumberRules())
    if (ui::EqualsNoCase(r.key, key)) return &r;
  return nullptr;
}

int TakeNumber(const NumberRule& rule, int value) {
  switch (rule.kind) {
    case NumberKind::kLength:
    case NumberKind::kCount:
      return std::clamp(value, rule.low, rule.high);
    case NumberKind::kColourByte:
      return value < 0 ? value : value & 0xFF;
    case NumberKind::kChoice:
      break;
  }
  return value;
}

std::string RangeText(const NumberRule& rule) {
  if (rule.kind == NumberKind::kChoice) return "any";
  return std::to_string(rule.low) + ".." + std::to_string(rule.high);
}

}  // namespace skin
