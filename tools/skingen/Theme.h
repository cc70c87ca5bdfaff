// The palette of the default skin: one light-blue family, so frame, controls and menus agree. The
// values that the definition's colour table repeats (face, text, shadows) must stay in step with
// skins/default/skin.ini; a test compares them.
#pragma once

#include "ArtKit.h"
#include "SkinMetrics.h"

namespace skin::art::theme {

// Window face and the colours the painters blend against.
constexpr Rgba kFace = Rgb(metrics::kButtonFace.r, metrics::kButtonFace.g, metrics::kButtonFace.b);
constexpr Rgba kWindow = Rgb(255, 255, 255);
constexpr Rgba kMenu = Rgb(248, 251, 255);
constexpr Rgba kText = Rgb(16, 32, 64);

// Control edges by state.
constexpr Rgba kEdge = Rgb(122, 154, 200);
constexpr Rgba kEdgeHot = Rgb(58, 128, 222);
constexpr Rgba kEdgePressed = Rgb(40, 92, 172);
constexpr Rgba kEdgeDisabled = Rgb(182, 196, 216);
constexpr Rgba kEdgeFocus = Rgb(48, 116, 214);

// Glyphs (arrows, check marks, dots) by state.
constexpr Rgba kGlyph = Rgb(36, 72, 130);
constexpr Rgba kGlyphHot = Rgb(20, 86, 186);
constexpr Rgba kGlyphPressed = Rgb(16, 52, 112);
constexpr Rgba kGlyphDisabled = Rgb(160, 176, 200);

// Accent (selection, progress fill, selected menu item).
constexpr Rgba kAccentLight = Rgb(112, 174, 246);
constexpr Rgba kAccent = Rgb(56, 126, 222);
constexpr Rgba kAccentDark = Rgb(30, 92, 186);

// Control faces: top and bottom of the vertical gradient of a raised surface, by state.
struct Face {
  Rgba top, upper, lower, bottom;  // gloss: top → upper, then a step to lower → bottom
};
constexpr Face kFaceNormal{Rgb(255, 255, 255), Rgb(242, 247, 254), Rgb(226, 237, 252),
                           Rgb(214, 229, 250)};
constexpr Face kFaceHot{Rgb(255, 255, 255), Rgb(234, 244, 255), Rgb(206, 228, 254),
                        Rgb(188, 218, 254)};
constexpr Face kFacePressed{Rgb(176, 204, 240), Rgb(190, 214, 244), Rgb(200, 222, 248),
                            Rgb(214, 232, 252)};
constexpr Face kFaceDisabled{Rgb(244, 247, 251), Rgb(240, 244, 249), Rgb(236, 241, 247),
                             Rgb(233, 238, 245)};

}  // namespace skin::art::theme
