// The range of every number a skin definition gives. Lengths (margins, offsets, places, the font
// height) and frame counts go into the painters' sums: the reader takes them inside their range,
// so no skin can make a sum overflow, and the lint names a value outside it. Choices (styles,
// actions, alignments, flags) only select behaviour: every value is taken as written, values
// nobody knows select nothing. Colour bytes keep their low 8 bits. Portable.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace skin {

enum class NumberKind {
  kLength,      // pixels: taken within [low, high]
  kCount,       // frames: taken within [low, high]; below 1 counts as 1 where the painter cuts
  kChoice,      // taken as written
  kColourByte,  // 0..255, -1 (or any negative) for "not given"; above 255 the low 8 bits count
};

struct NumberRule {
  std::string_view key;  // as the definition writes it (compared without case)
  NumberKind kind;
  int low, high;
  std::string_view what;  // what the number is, for the lint and the docs
};

// Every rule, in the order of the definition's catalogue.
const std::vector<NumberRule>& NumberRules();

// The rule of `key` in `section` (both without regard to case), or null when the definition reads
// no number there. Border keys ("LeftTopHeight", "TopFrame", ...) are [Personality] keys.
const NumberRule* NumberRuleOf(std::string_view section, std::string_view key);

// The value the engine takes for `value` under `rule`.
int TakeNumber(const NumberRule& rule, int value);

// "LOW..HIGH" of a rule, as the lint writes it.
std::string RangeText(const NumberRule& rule);

}  // namespace skin
