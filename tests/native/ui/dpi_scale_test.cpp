// The rule that turns 96-dpi design values into pixels at another DPI and back: rounding, edges,
// and no drift however often the DPI changes.
#include <gtest/gtest.h>

#include "ui/DpiScale.h"

namespace {

using ui::DesignRect;

TEST(DpiScale, RoundsHalfAwayFromZero) {
  EXPECT_EQ(ui::ScaleValue(1, 144), 2);    // 1.5
  EXPECT_EQ(ui::ScaleValue(-1, 144), -2);  // a negative position mirrors a positive one
  EXPECT_EQ(ui::ScaleValue(5, 120), 6);    // 6.25
  EXPECT_EQ(ui::ScaleValue(479, 144), 719);
  EXPECT_EQ(ui::ScaleValue(719, 96, 144), 479);
  EXPECT_EQ(ui::ScaleValue(7, 96), 7);
  EXPECT_EQ(ui::ScaleValue(7, 144, 0), 7);  // an unknown DPI changes nothing
  // No overflow on a large screen at 480 dpi.
  EXPECT_EQ(ui::ScaleValue(30000000, 480), 150000000);
  EXPECT_EQ(ui::ScaleFontHeight(-11, 144), -17);
  EXPECT_EQ(ui::ScaleFontHeight(-11, 120), -14);
  EXPECT_EQ(ui::ScaleFontHeight(-1, 48), -1);  // a font never gets height 0 (the default size)
}

TEST(DpiScale, NeighboursStillTouchAndNothingVanishes) {
  // Two buttons one above the other, as on the main window.
  const DesignRect upper{538, 4, 63, 24}, lower{538, 28, 63, 24};
  for (int ppi : {72, 120, 144, 168, 192, 240}) {
    const DesignRect u = ui::ScaleRect(upper, ppi), l = ui::ScaleRect(lower, ppi);
    EXPECT_EQ(u.top + u.height, l.top) << ppi;
    EXPECT_EQ(u.left, l.left) << ppi;
    EXPECT_EQ(u.width, l.width) << ppi;
  }
  // A 1-pixel line at 72 dpi stays 1 pixel; an empty one stays empty.
  EXPECT_EQ(ui::ScaleRect({10, 10, 1, 1}, 72).width, 1);
  EXPECT_EQ(ui::ScaleRect({10, 10, 1, 1}, 72).height, 1);
  EXPECT_EQ(ui::ScaleRect({10, 10, 0, 0}, 72).width, 0);
}

// What a form does on every DPI change: its controls are placed from the design values, and the
// program's own SetBounds calls at the current DPI go through UpdateDesignRect.
TEST(DpiScale, RoundTripsNeverDriftEvenWithProgramCallsOnTheWay) {
  DesignRect design{45, 5, 113, 21};
  DesignRect shown = design;
  for (int round = 0; round < 10; ++round) {
    for (int ppi : {144, 120, 96}) {
      shown = ui::ScaleRect(design, ppi);
      // A combo box keeps its own height: the window reports another one.
      shown.height += 3;
      // The program moves nothing but hands back what it reads (SetLeft(Left()) and the like).
      design = ui::UpdateDesignRect(design, shown, shown, ppi);
      // ...or what the design scales to.
      design = ui::UpdateDesignRect(design, shown, ui::ScaleRect(design, ppi), ppi);
    }
  }
  EXPECT_EQ(design, (DesignRect{45, 5, 113, 21}));
}

// An auto-sized label measures its text in the new font while it still stands at its old place,
// then the form moves it: its height must not creep from round to round.
TEST(DpiScale, AControlMeasuringItselfBeforeItIsMovedDoesNotDrift) {
  auto textHeight = [](int ppi) { return ppi == 96 ? 13 : 17; };  // as Wine measures Tahoma
  auto textWidth = [](int ppi) { return ppi == 96 ? 44 : 68; };
  DesignRect design{5, 8, 44, 13};
  DesignRect shown = design;
  for (int round = 0; round < 10; ++round) {
    for (int ppi : {144, 96}) {
      const DesignRect measured{shown.left, shown.top, textWidth(ppi), textHeight(ppi)};
      design = ui::UpdateDesignRect(design, shown, measured, ppi);
      shown = ui::ScaleRect(design, ppi);
    }
    EXPECT_EQ(shown, (DesignRect{5, 8, 44, 13})) << round;
  }
}

TEST(DpiScale, ProgramChangesAtAnotherDpiBecomeDesignValues) {
  const DesignRect design{45, 5, 113, 21};
  const DesignRect shown = ui::ScaleRect(design, 144);  // {68, 8, 169, 31}
  // Moved 30 pixels right at 150 %: 20 design pixels; the size stays as designed.
  DesignRect moved = shown;
  moved.left += 30;
  const DesignRect d = ui::UpdateDesignRect(design, shown, moved, 144);
  EXPECT_EQ(d, (DesignRect{65, 5, 113, 21}));
  EXPECT_EQ(ui::ScaleRect(d, 96), d);
  // Made 60 pixels high at 150 %: 40 design pixels high.
  DesignRect taller = shown;
  taller.height = 60;
  EXPECT_EQ(ui::UpdateDesignRect(design, shown, taller, 144).height, 40);
  // At 96 dpi a program's value is the design value as it is.
  EXPECT_EQ(ui::UpdateDesignRect(design, design, {1, 2, 3, 4}, 96), (DesignRect{1, 2, 3, 4}));
}

}  // namespace
