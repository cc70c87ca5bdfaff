// The painting primitives drawn by GDI into 32-bit DIBs, compared pixel by pixel with the portable
// plans executed on pixel buffers.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ImagingTestSupport.h"
#include "skin/frame/PaintPrimitives.h"

namespace {

using imagingtest::Capture;
using imagingtest::FirstDifference;
using skin::Colour;
using skin::ImageRect;
using skin::MakeColour;
using skin::PixelBuffer;

constexpr Colour kBackground = MakeColour(0x20, 0x40, 0x60);

// `frames` frames of fw x fh, side by side or stacked; every slice of every frame one flat colour,
// so a stretched piece looks the same whichever source pixels the scaler picks.
PixelBuffer SlicedSource(int frames, int fw, int fh, const ImageRect& m, bool vertical) {
  PixelBuffer b(vertical ? fw : fw * frames, vertical ? fh * frames : fh, 24);
  for (int f = 0; f < frames; ++f) {
    const int ox = vertical ? 0 : f * fw, oy = vertical ? f * fh : 0;
    const int xs[4] = {0, m.left, fw - m.right, fw};
    const int ys[4] = {0, m.top, fh - m.bottom, fh};
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c)
        b.FillRect(ox + xs[c], oy + ys[r], ox + xs[c + 1], oy + ys[r + 1],
                   MakeColour(10 + f * 100 + c * 30, 20 + r * 70, 200 - f * 50));
  }
  return b;
}

// What a primitive should leave in a w x h DIB filled with kBackground: the plan run from `src`
// into a buffer of that size.
PixelBuffer Expected(int w, int h, const PixelBuffer& src, const skin::PaintPlan& plan, int dx,
                     int dy) {
  PixelBuffer out(w, h, 24, kBackground);
  skin::PaintPlan moved = plan;
  for (auto& s : moved) s.dst = s.dst.Offset(dx, dy);
  skin::RunPlan(moved, src, out);
  return out;
}

struct Canvas {
  wintest::Dib32 dib;
  Canvas(int w, int h) : dib(w, h) { dib.Fill(kBackground); }
  HDC dc() const { return dib.dc(); }
  PixelBuffer pixels() const { return Capture(dib); }
};

TEST(Primitives, NineSliceMatchesThePlanForWideNarrowShortAndTiledCases) {
  const ImageRect m{3, 2, 4, 3};
  const PixelBuffer src = SlicedSource(2, 12, 10, m, false);
  ui::GdiBitmap bmp = skin::MakeBitmap(src);
  struct Case {
    int w, h;
    bool tile;
  } cases[] = {{50, 30, false}, {5, 30, false}, {50, 4, false},
               {3, 3, false},   {7, 5, false},  {37, 23, true}};
  for (const Case& c : cases) {
    Canvas canvas(64, 40);
    const RECT dst{5, 7, 5 + c.w, 7 + c.h};
    skin::DrawNineSlice(canvas.dc(), dst, bmp.get(), false, c.tile, false, 2, 2, RECT{3, 2, 4, 3});
    const auto plan =
        skin::PlanNineSlice(src.width(), src.height(), c.w, c.h, m, false, c.tile, 2, 2);
    EXPECT_EQ(FirstDifference(canvas.pixels(), Expected(64, 40, src, plan, 5, 7)), "")
        << c.w << "x" << c.h << (c.tile ? " tiled" : "");
  }
}

TEST(Primitives, TiledCentreWithPatternIsCopiedUnscaled) {
  // Vertical frames; the centre of frame 1 has a per-pixel pattern, which tiling must keep.
  const ImageRect m{2, 2, 2, 2};
  PixelBuffer src = SlicedSource(2, 9, 8, m, true);
  for (int y = 2; y < 6; ++y)
    for (int x = 2; x < 7; ++x) src.Set(x, y, MakeColour(x * 30, y * 40, 99));
  ui::GdiBitmap bmp = skin::MakeBitmap(src);
  const RECT dst{0, 0, 23, 17};
  ui::GdiBitmap image = skin::RenderNineSlice(dst, bmp.get(), RECT{2, 2, 2, 2}, true, true, 2, 1);
  ASSERT_TRUE(image);
  EXPECT_EQ(skin::BitmapSize(image.get()).cx, 23);
  EXPECT_EQ(FirstDifference(skin::ConvertTo24(skin::ReadPixels(image.get())),
                            skin::RenderNineSlice(src, 23, 17, m, true, true, 2, 1)),
            "");
}

TEST(Primitives, TransparentNineSliceLeavesMagentaPixelsAlone) {
  const ImageRect m{3, 3, 3, 3};
  PixelBuffer src = SlicedSource(1, 9, 9, m, false);
  src.FillRect(0, 0, 3, 3, skin::kMagenta);  // rounded-off corner
  ui::GdiBitmap bmp = skin::MakeBitmap(src);
  Canvas canvas(30, 20);
  skin::DrawNineSlice(canvas.dc(), RECT{1, 1, 25, 15}, bmp.get(), false, false, true, 1, 1,
                      RECT{3, 3, 3, 3});
  PixelBuffer want =
      Expected(30, 20, src, skin::PlanNineSlice(9, 9, 24, 14, m, false, false, 1, 1), 1, 1);
  want.FillRect(1, 1, 4, 4, kBackground);
  EXPECT_EQ(FirstDifference(canvas.pixels(), want), "");
}

TEST(Primitives, InvertedRectanglesDrawNothing) {
  const PixelBuffer src = SlicedSource(1, 9, 9, ImageRect{3, 3, 3, 3}, false);
  ui::GdiBitmap bmp = skin::MakeBitmap(src);
  Canvas canvas(20, 20);
  const long bitmapsBefore = ui::HandleCounts::Live(ui::HandleKind::Bitmap);
  const RECT inverted[] = {{10, 2, 5, 12}, {2, 10, 12, 5}};
  for (const RECT& r : inverted) {
    EXPECT_FALSE(skin::RenderNineSlice(r, bmp.get(), RECT{3, 3, 3, 3}, false, false, 1, 1));
    skin::DrawNineSlice(canvas.dc(), r, bmp.get(), false, false, false, 1, 1, RECT{3, 3, 3, 3});
    skin::DrawThreePartStrip(canvas.dc(), r, bmp.get(), false, false, 1, 1, RECT{3, 0, 3, 0});
    skin::DrawFrame(canvas.dc(), r, bmp.get(), false, 1, 1);
    skin::DrawFrameCentred(canvas.dc(), r, bmp.get(), false, 1, 1);
    skin::TransparentBlit(canvas.dc(), r, bmp.get(), skin::kMagenta);
  }
  skin::TileBitmap(canvas.dc(), RECT{0, 0, 20, 20}, bmp.get(), RECT{5, 5, 2, 8});
  EXPECT_EQ(ui::HandleCounts::Live(ui::HandleKind::Bitmap), bitmapsBefore);
  EXPECT_EQ(FirstDifference(canvas.pixels(), PixelBuffer(20, 20, 24, kBackground)), "");
}

TEST(Primitives, ThreePartStripFrameAndCentredFrameMatchTheirPlans) {
  const ImageRect m{2, 0, 3, 0};
  const PixelBuffer src = SlicedSource(3, 10, 6, ImageRect{2, 0, 3, 0}, false);
  ui::GdiBitmap bmp = skin::MakeBitmap(src);
  {
    Canvas canvas(40, 20);
    skin::DrawThreePartStrip(canvas.dc(), RECT{4, 3, 37, 15}, bmp.get(), false, false, 3, 2,
                             RECT{2, 0, 3, 0});
    EXPECT_EQ(
        FirstDifference(
            canvas.pixels(),
            Expected(40, 20, src, skin::PlanThreePartStrip(30, 6, 33, 12, m, false, 3, 2), 4, 3)),
        "");
  }
  {
    Canvas canvas(40, 20);
    skin::DrawFrame(canvas.dc(), RECT{1, 2, 31, 17}, bmp.get(), false, 3, 3);
    EXPECT_EQ(FirstDifference(canvas.pixels(),
                              Expected(40, 20, src, skin::PlanFrame(30, 6, 30, 15, 3, 3), 1, 2)),
              "");
  }
  {
    Canvas canvas(40, 20);
    skin::DrawFrameCentred(canvas.dc(), RECT{3, 3, 30, 18}, bmp.get(), false, 3, 1);
    const skin::BlitStep step = skin::PlanFrameCentred(30, 6, ImageRect{3, 3, 30, 18}, 3, 1);
    EXPECT_EQ(step.dst, (ImageRect{11, 7, 21, 13}));
    EXPECT_EQ(FirstDifference(canvas.pixels(), Expected(40, 20, src, {step}, 0, 0)), "");
  }
}

TEST(Primitives, StretchedPatternsPickTheSamePixelsAsThePortableRender) {
  // Every pixel distinct, so any difference in which source pixel is chosen shows.
  PixelBuffer src(13, 11, 24);
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 13; ++x) src.Set(x, y, MakeColour(x * 19, y * 23, 40));
  ui::GdiBitmap bmp = skin::MakeBitmap(src);
  const int sizes[][2] = {{5, 4}, {13, 11}, {29, 3}, {2, 30}, {40, 37}, {7, 7}};
  for (const auto& sz : sizes) {
    Canvas canvas(48, 40);
    skin::DrawFrame(canvas.dc(), RECT{1, 2, 1 + sz[0], 2 + sz[1]}, bmp.get(), false, 1, 1);
    EXPECT_EQ(
        FirstDifference(canvas.pixels(),
                        Expected(48, 40, src, skin::PlanFrame(13, 11, sz[0], sz[1], 1, 1), 1, 2)),
        "")
        << sz[0] << "x" << sz[1];
  }
}

TEST(Primitives, TransparentBlitCopiesAllButKeyPixelsAndClipsToTheRectangle) {
  PixelBuffer src(6, 4, 24, MakeColour(1, 2, 3));
  src.Set(0, 0, skin::kMagenta);
  src.Set(3, 2, skin::kMagenta);
  src.Set(4, 2, MakeColour(255, 1, 255));  // near the key: copied
  src.Set(5, 3, MakeColour(9, 9, 9));      // outside the 5x3 rectangle: not drawn
  // 24- and 32-bit DIB sections, and a screen-compatible bitmap (0).
  for (int bpp : {24, 32, 0}) {
    PixelBuffer s = bpp == 24 ? src : PixelBuffer(6, 4, 32);
    if (bpp != 24) skin::RunPlan({{{0, 0, 6, 4}, {0, 0, 6, 4}}}, src, s);
    ui::GdiBitmap bmp = skin::MakeBitmap(s);
    if (bpp == 0) {
      ui::WindowDC screen = ui::WindowDC::Client(nullptr);
      ui::GdiBitmap ddb(CreateCompatibleBitmap(screen.get(), 6, 4));
      ui::MemoryDC from = ui::MakeMemoryDC(), to = ui::MakeMemoryDC();
      {
        ui::SelectGuard a(from.get(), bmp.get()), b(to.get(), ddb.get());
        BitBlt(to.get(), 0, 0, 6, 4, from.get(), 0, 0, SRCCOPY);
      }
      bmp = std::move(ddb);
    }
    Canvas canvas(12, 8);
    skin::TransparentBlit(canvas.dc(), RECT{2, 1, 7, 4}, bmp.get(), skin::kMagenta);
    PixelBuffer want(12, 8, 24, kBackground);
    want.FillRect(2, 1, 7, 4, MakeColour(1, 2, 3));
    want.Set(2, 1, kBackground);
    want.Set(5, 3, kBackground);
    want.Set(6, 3, MakeColour(255, 1, 255));
    EXPECT_EQ(FirstDifference(canvas.pixels(), want), "") << bpp << " bits";
  }
}

// Record types a metafile holds.
std::vector<DWORD> RecordTypes(HENHMETAFILE mf) {
  std::vector<uint8_t> data(GetEnhMetaFileBits(mf, 0, nullptr));
  GetEnhMetaFileBits(mf, static_cast<UINT>(data.size()), data.data());
  std::vector<DWORD> types;
  for (size_t at = 0; at + sizeof(EMR) <= data.size();) {
    const auto* r = reinterpret_cast<const EMR*>(data.data() + at);
    types.push_back(r->iType);
    if (r->nSize < sizeof(EMR)) break;
    at += r->nSize;
  }
  return types;
}

TEST(Primitives, TargetsThatCannotBeReadStillGetTheImage) {
  // A metafile DC has no pixels to read back, so the transparent paths take MaskBlt there (Wine
  // records that as a blit); each call must still leave exactly one drawing record and no handle.
  PixelBuffer src(6, 4, 24, MakeColour(1, 2, 3));
  src.Set(0, 0, skin::kMagenta);
  ui::GdiBitmap bmp = skin::MakeBitmap(src);
  const long owned = ui::HandleCounts::Total();
  HDC emf = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(emf);
  skin::TransparentBlit(emf, RECT{2, 1, 8, 5}, bmp.get(), skin::kMagenta);
  skin::DrawFrame(emf, RECT{10, 1, 16, 5}, bmp.get(), true, 1, 1);
  HENHMETAFILE mf = CloseEnhMetaFile(emf);
  ASSERT_TRUE(mf);
  const std::vector<DWORD> types = RecordTypes(mf);
  DeleteEnhMetaFile(mf);
  const auto blits = std::count_if(types.begin(), types.end(), [](DWORD t) {
    return t == EMR_BITBLT || t == EMR_MASKBLT || t == EMR_STRETCHBLT;
  });
  EXPECT_EQ(blits, 2);
  EXPECT_EQ(ui::HandleCounts::Total(), owned);
}

TEST(Primitives, TileRepeatsThePieceWithoutClippingTheLastColumn) {
  PixelBuffer src(8, 8, 24);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) src.Set(x, y, MakeColour(x * 30, y * 30, 5));
  ui::GdiBitmap bmp = skin::MakeBitmap(src);
  Canvas canvas(20, 12);
  const RECT dst{1, 1, 11, 6};
  const RECT piece{2, 3, 5, 5};
  skin::TileBitmap(canvas.dc(), dst, bmp.get(), piece);
  const auto plan = skin::PlanTile(skin::ToImageRect(dst), skin::ToImageRect(piece));
  EXPECT_EQ(FirstDifference(canvas.pixels(), Expected(20, 12, src, plan, 0, 0)), "");
  EXPECT_EQ(canvas.dib.Pixel(12, 6), static_cast<COLORREF>(MakeColour(4 * 30, 4 * 30, 5)));
}

TEST(Primitives, GradientFillDrawsTheRampOnlyInsideTheClip) {
  Canvas canvas(30, 50);
  skin::GradientFill(canvas.dc(), RECT{2, 3, 12, 43}, MakeColour(0, 0, 0), true,
                     MakeColour(200, 100, 40));
  const auto ramp = skin::MakeGradient(40, MakeColour(0, 0, 0), MakeColour(200, 100, 40));
  for (int i = 0; i < 40; ++i) {
    EXPECT_EQ(canvas.dib.Pixel(2, 3 + i), static_cast<COLORREF>(ramp[i])) << i;
    EXPECT_EQ(canvas.dib.Pixel(11, 3 + i), static_cast<COLORREF>(ramp[i])) << i;
  }
  EXPECT_EQ(canvas.dib.Pixel(12, 10), static_cast<COLORREF>(kBackground));
  EXPECT_EQ(canvas.dib.Pixel(5, 43), static_cast<COLORREF>(kBackground));

  // Horizontal, clipped to columns 15..19: the ramp still spans the whole rectangle.
  Canvas clipped(30, 50);
  {
    ui::SaveDCGuard saved(clipped.dc());
    IntersectClipRect(clipped.dc(), 15, 0, 20, 50);
    skin::GradientFill(clipped.dc(), RECT{10, 0, 30, 5}, MakeColour(255, 0, 0), false,
                       MakeColour(0, 0, 255));
  }
  const auto hramp = skin::MakeGradient(20, MakeColour(255, 0, 0), MakeColour(0, 0, 255));
  for (int x = 0; x < 30; ++x)
    EXPECT_EQ(clipped.dib.Pixel(x, 2),
              static_cast<COLORREF>(x >= 15 && x < 20 ? hramp[x - 10] : kBackground))
        << x;
  // System colour references are resolved.
  Canvas sys(4, 4);
  skin::GradientFill(sys.dc(), RECT{0, 0, 4, 4}, static_cast<Colour>(0x80000000 | COLOR_WINDOW),
                     true, static_cast<Colour>(0x80000000 | COLOR_WINDOW));
  EXPECT_EQ(sys.dib.Pixel(1, 1), GetSysColor(COLOR_WINDOW));
}

}  // namespace
