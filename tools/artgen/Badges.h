// The twenty seller-credit badges of the credit drop-down lists: 1-5 hearts, 1-5 diamonds, 1-5
// crowns, 1-5 golden crowns, each 88 × 16 with a transparent background.
#pragma once

#include "imaging/PixelBuffer.h"

namespace skin::art {

constexpr int kBadgeWidth = 88;
constexpr int kBadgeHeight = 16;
constexpr int kBadgeCount = 20;

enum class BadgeKind { kHeart, kDiamond, kCrown, kGoldenCrown };

// One badge: `count` (1-5) symbols of a kind, left-aligned; 32-bit with straight alpha.
PixelBuffer DrawBadge(BadgeKind kind, int count);
// Badge i (0-19) in credit-level order.
PixelBuffer DrawBadge(int index);
// All twenty side by side: 1760 × 16, 32-bit, straight alpha, as the image list loads them.
PixelBuffer DrawCreditStrip();

}  // namespace skin::art
