// The pixel side of turning a skin bitmap into a window region: every row's runs of opaque pixels
// become one-pixel-high rectangles, collected in batches so that a tall or wide border never needs
// one huge region-data block. The Win32 side turns each batch into a region and ORs them.
#pragma once

#include <vector>

#include "imaging/PixelBuffer.h"
#include "imaging/PaintPlans.h"

namespace skin {

// Rectangles per region-data block.
constexpr int kRegionBatchSize = 2000;

// Which pixels are transparent: each channel within [key, key + tolerance] (capped at 255). The
// frame code passes tolerances 1/1/1 and magenta, so (255, <=1, 255) is transparent.
struct TransparentBand {
  int redLow, redHigh, greenLow, greenHigh, blueLow, blueHigh;
  TransparentBand(Colour key, int blueTolerance, int greenTolerance, int redTolerance);
  bool Contains(Colour c) const;
};

struct RegionBatch {
  std::vector<ImageRect> rects;
  ImageRect bounds;  // union of rects
};

// Row by row, each maximal run [x1, x2) of non-transparent pixels on row y becomes
// (x1 + dx, y + dy, x2 + dx, y + dy + 1); a new batch starts every `batchSize` rectangles. An
// all-transparent image gives no batches.
std::vector<RegionBatch> ExtractRegionRuns(const PixelBuffer& image, int dx, int dy,
                                           const TransparentBand& band,
                                           int batchSize = kRegionBatchSize);

}  // namespace skin
