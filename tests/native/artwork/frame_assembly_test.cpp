// The default skin's frame assembled as the frame painter assembles it (the engine's portable
// nine-slice, the border margins of the definition, caption buttons keyed onto the caption), at
// the main window's size: the window keeps a rounded outline and nothing else of it turns
// transparent, and the caption buttons sit apart inside the caption.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "DefaultSkin.h"
#include "Preview.h"
#include "SkinMetrics.h"
#include "imaging/PaintPlans.h"

namespace {

using skin::ImageRect;
using skin::kMagenta;
using skin::PixelBuffer;
namespace metrics = skin::art::metrics;

// The main window: client 606 × 479 inside a 4-pixel frame, a 28-pixel caption, a 5-pixel bottom.
constexpr int kWidth = 614, kHeight = 512;

const PixelBuffer& Entry(const std::string& name) {
  static const auto entries = skin::art::BuildDefaultSkin();
  for (const auto& e : entries)
    if (e.name == name) return e.image;
  throw std::runtime_error("no entry " + name);
}

PixelBuffer CaptionButtonFrame(const std::string& name, int frame) {
  const PixelBuffer& strip = Entry(name);
  const skin::PaintPlan plan = skin::PlanFrame(strip.width(), strip.height(), 21, 21, 6, frame);
  PixelBuffer out(21, 21, 24);
  skin::RunPlan(plan, strip, out);
  return out;
}

// state 1 active, 2 inactive; caption buttons in their resting frames (maximize disabled, as on
// the main window, which has no maximize box).
PixelBuffer AssembleWindow(int state) {
  PixelBuffer window(kWidth, kHeight, 24, metrics::kButtonFace.Value());
  auto place = [&window](const PixelBuffer& piece, int x, int y) {
    for (int py = 0; py < piece.height(); ++py)
      for (int px = 0; px < piece.width(); ++px) window.Set(x + px, y + py, piece.Get(px, py));
  };
  place(skin::RenderNineSlice(Entry("frameleft.bmp"), 4, kHeight, ImageRect{0, 28, 0, 8}, false,
                              false, 2, state),
        0, 0);
  place(skin::RenderNineSlice(Entry("frameright.bmp"), 4, kHeight, ImageRect{0, 28, 0, 8}, false,
                              false, 2, state),
        kWidth - 4, 0);
  place(skin::RenderNineSlice(Entry("framebottom.bmp"), kWidth - 8, 5, ImageRect{4, 0, 4, 0}, true,
                              false, 2, state),
        4, kHeight - 5);
  place(skin::RenderNineSlice(Entry("frametop.bmp"), kWidth - 8, 28, ImageRect{8, 0, 8, 0}, true,
                              false, 2, state),
        4, 0);
  const int rest = state == 1 ? 1 : 4;
  const int top = metrics::kButtonTop;
  skin::art::BlitKeyed(window, CaptionButtonFrame("closebutton.bmp", rest),
                       kWidth - metrics::kCloseX, top);
  skin::art::BlitKeyed(window, CaptionButtonFrame("maxbutton.bmp", 4), kWidth - metrics::kMaximizeX,
                       top);
  skin::art::BlitKeyed(window, CaptionButtonFrame("minbutton.bmp", rest),
                       kWidth - metrics::kMinimizeX, top);
  return window;
}

TEST(FrameAssembly, OnlyTheRoundedCornersAreCutOut) {
  for (int state : {1, 2}) {
    const PixelBuffer window = AssembleWindow(state);
    SCOPED_TRACE(state == 1 ? "active" : "inactive");
    for (auto [x, y] :
         {std::pair{0, 0}, {kWidth - 1, 0}, {0, kHeight - 1}, {kWidth - 1, kHeight - 1}})
      EXPECT_EQ(window.Get(x, y), kMagenta) << x << "," << y;
    int cut = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        if (window.Get(x, y) != kMagenta) continue;
        ++cut;
        const bool nearCorner = (x < 8 || x >= kWidth - 8) && (y < 8 || y >= kHeight - 3);
        ASSERT_TRUE(nearCorner) << "transparent pixel at " << x << "," << y;
      }
    // A top corner of radius 8 cuts a few pixels more than a bottom corner of radius 3.
    EXPECT_GT(cut, 8);
    EXPECT_LT(cut, 60);
  }
}

TEST(FrameAssembly, CaptionButtonsSitApartInsideTheCaption) {
  const PixelBuffer active = AssembleWindow(1);
  const PixelBuffer bare = [] {
    PixelBuffer caption(kWidth, 28, 24);
    const PixelBuffer top = skin::RenderNineSlice(Entry("frametop.bmp"), kWidth - 8, 28,
                                                  ImageRect{8, 0, 8, 0}, true, false, 2, 1);
    for (int y = 0; y < 28; ++y)
      for (int x = 0; x < top.width(); ++x) caption.Set(4 + x, y, top.Get(x, y));
    return caption;
  }();
  // Columns where the buttons changed the caption: three separate runs, each at most a button wide,
  // inside the buttons' rows and left of the right border.
  std::vector<std::pair<int, int>> runs;
  for (int x = 4; x < kWidth - 4; ++x) {
    bool changed = false;
    for (int y = 0; y < 28; ++y) {
      const bool differs = active.Get(x, y) != bare.Get(x, y);
      if (differs) {
        EXPECT_TRUE(y >= metrics::kButtonTop &&
                    y < metrics::kButtonTop + metrics::kCaptionButton.frameHeight)
            << x << "," << y;
      }
      changed = changed || differs;
    }
    if (!changed) continue;
    if (!runs.empty() && runs.back().second == x - 1)
      runs.back().second = x;
    else
      runs.push_back({x, x});
  }
  ASSERT_EQ(runs.size(), 3u);
  const int lefts[] = {kWidth - metrics::kMinimizeX, kWidth - metrics::kMaximizeX,
                       kWidth - metrics::kCloseX};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_GE(runs[i].first, lefts[i]);
    EXPECT_LE(runs[i].second, lefts[i] + metrics::kCaptionButton.frameWidth - 1);
  }
}

}  // namespace
