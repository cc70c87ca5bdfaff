// Window placement: centring truncates toward zero and the raise comes after the halving.
#include <gtest/gtest.h>

#include "app/Placement.h"

TEST(Placement, CentresThenRaisesWithTruncationTowardZero) {
  EXPECT_EQ(app::CentredOrigin(1280, 612), 334);
  EXPECT_EQ(app::CentredOrigin(1024, 511, app::kMainFormRaise), 256 - 40);   // 513/2 = 256
  EXPECT_EQ(app::CentredOrigin(768, 800, app::kMainFormRaise), -16 - 40);    // taller than screen
  EXPECT_EQ(app::CentredOrigin(600, 601, app::kAdvancedFormRaise), 0 - 10);  // -1/2 is 0, not -1
  EXPECT_EQ(app::CentredOrigin(600, 603, 0), -1);                            // -3/2 is -1, not -2
}
