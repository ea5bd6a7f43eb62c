// SPDX-License-Identifier: MIT
// The view's pure piece: dialog units to pixels.
#include <gtest/gtest.h>

#include "app/qt/dialog_units.h"

namespace torvix::testing {
namespace {

// Each coordinate is rounded to the nearest pixel, halves away from zero, as MulDiv does.
TEST(DialogUnitsTest, ScaleByAQuarterCharacterAcrossAndAnEighthDown) {
  const DialogUnits classic{6, 13};
  const PixelRect cancel = ToPixels({431, 165, 32, 14}, classic);
  EXPECT_EQ(cancel.x, 647);  // 646.5
  EXPECT_EQ(cancel.y, 268);  // 268.125
  EXPECT_EQ(cancel.width, 48);
  EXPECT_EQ(cancel.height, 23);  // 22.75
  const PixelRect wide = ToPixels({517, 204, 0, 0}, DialogUnits{7, 16});
  EXPECT_EQ(wide.x, 905);  // 904.75
  EXPECT_EQ(wide.y, 408);
  EXPECT_EQ(ToPixels({-3, 0, 0, 0}, classic).x, -5);  // -4.5
  // The average width is the rounded 52nd of the alphabet's width.
  EXPECT_EQ(AverageCharWidth(312), 6);
  EXPECT_EQ(AverageCharWidth(337), 6);
  EXPECT_EQ(AverageCharWidth(338), 7);
}

}  // namespace
}  // namespace torvix::testing
