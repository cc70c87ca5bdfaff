#include "imaging/RegionRuns.h"

#include <algorithm>

namespace skin {

TransparentBand::TransparentBand(Colour key, int blueTolerance, int greenTolerance,
                                 int redTolerance)
    : redLow(RedOf(key)),
      redHigh(std::min(255, RedOf(key) + std::max(redTolerance, 0))),
      greenLow(GreenOf(key)),
      greenHigh(std::min(255, GreenOf(key) + std::max(greenTolerance, 0))),
      blueLow(BlueOf(key)),
      blueHigh(std::min(255, BlueOf(key) + std::max(blueTolerance, 0))) {}

bool TransparentBand::Contains(Colour c) const {
  const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
  return r >= redLow && r <= redHigh && g >= greenLow && g <= greenHigh && b >= blueLow &&
         b <= blueHigh;
}

namespace {

class BatchCollector {
 public:
  explicit BatchCollector(int batchSize) : batchSize_(std::max(batchSize, 1)) {}

  void Add(const ImageRect& r) {
    if (batches_.empty() || static_cast<int>(batches_.back().rects.size()) >= batchSize_) {
      batches_.emplace_back();
      batches_.back().rects.reserve(std::min(batchSize_, 500));
      batches_.back().bounds = r;
    }
    RegionBatch& b = batches_.back();
    b.rects.push_back(r);
    b.bounds = {std::min(b.bounds.left, r.left), std::min(b.bounds.top, r.top),
                std::max(b.bounds.right, r.right), std::max(b.bounds.bottom, r.bottom)};
  }
  std::vector<RegionBatch> Take() { return std::move(batches_); }

 private:
  int batchSize_;
  std::vector<RegionBatch> batches_;
};

}  // namespace

std::vector<RegionBatch> ExtractRegionRuns(const PixelBuffer& image, int dx, int dy,
                                           const TransparentBand& band, int batchSize) {
  BatchCollector out(batchSize);
  const int w = image.width();
  const int bpp = image.bytesPerPixel();
  for (int y = 0; y < image.height(); ++y) {
    const uint8_t* row = image.Row(y);
    auto clear = [&](int x) {
      const uint8_t* p = row + static_cast<size_t>(x) * bpp;
      return band.Contains(MakeColour(p[2], p[1], p[0]));
    };
    int x = 0;
    while (x < w) {
      while (x < w && clear(x)) ++x;
      const int start = x;
      while (x < w && !clear(x)) ++x;
      if (x > start) out.Add({start + dx, y + dy, x + dx, y + dy + 1});
    }
  }
  return out.Take();
}

}  // namespace skin
