#include "core/common/placement.h"

#include <gtest/gtest.h>

using namespace tvp;

TEST(Placement, CentresWithHalvesTowardZero) {
  Rect dialog{0, 0, 300, 200};
  Point p = CenterOver(dialog, Rect{100, 50, 501, 351}, 1024, 768, true);
  EXPECT_EQ(p.x, 100 + (401 - 300) / 2);
  EXPECT_EQ(p.y, 50 + (301 - 200) / 2);
  // A host narrower than the dialog: the half is negative and truncated toward zero.
  p = CenterOver(dialog, Rect{200, 200, 301, 301}, 1024, 768, false);
  EXPECT_EQ(p.x, 200 + (101 - 300) / 2);  // -99, not -100
  EXPECT_EQ(p.x, 101);
}

TEST(Placement, ClampingKeepsTheWindowOnTheScreen) {
  Rect dialog{0, 0, 300, 200};
  Point p = CenterOver(dialog, Rect{-500, -400, -300, -300}, 1024, 768, true);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  p = CenterOver(dialog, Rect{900, 700, 1100, 800}, 1024, 768, true);
  EXPECT_EQ(p.x, 1024 - 300);
  EXPECT_EQ(p.y, 768 - 200);
  p = CenterOver(dialog, Rect{900, 700, 1100, 800}, 1024, 768, false);
  EXPECT_EQ(p.x, 850);
  // Larger than the screen: the right edge wins, the window starts off-screen.
  p = CenterOver(Rect{0, 0, 2000, 100}, Rect{0, 0, 100, 100}, 1024, 768, true);
  EXPECT_EQ(p.x, 1024 - 2000);
}
