// Small helpers the control skinners share, kept in one place rather than copied into each
// skinner's file: skin element look-ups, margins as image rectangles, pixels written straight to a
// DC, and the lower-cased reads of published properties. Internal to src/skin/controls.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "imaging/PaintPlans.h"
#include "imaging/PixelBuffer.h"
#include "skin/data/WinSkinData.h"
#include "ui/Controls.h"

namespace skin {

// The Tag that makes a button-like control paint its parent's background under it.
constexpr intptr_t kTransparentTag = 5555;

// Whether the element exists and has an image.
inline bool HasImage(const TDataSkinObject* e) { return e && !e->Empty(); }
// The named element when it has an image; null otherwise.
TDataSkinObject* ElementWithImage(const TSkinData* skin, std::string_view name);
inline ImageRect MarginsOf(const TDataSkinObject& e) {
  return {e.Margins.left, e.Margins.top, e.Margins.right, e.Margins.bottom};
}

// Pixels of a 24-bit buffer copied to dc at (x, y), without a bitmap of their own.
void PutPixels(HDC dc, int x, int y, const PixelBuffer& pixels);

std::string Lower(std::string s);
// An enumeration or boolean property's identifier, lower-cased; empty when missing.
std::string LowerEnum(ui::TObject* object, const char* name);
// Whether a boolean property reads true.
inline bool PropertyTrue(ui::TObject* object, const char* name) {
  return LowerEnum(object, name) == "true";
}

}  // namespace skin
