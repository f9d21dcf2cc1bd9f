#include "platform/scaling.h"

#include <gtest/gtest.h>

#include "platform/canvas.h"

namespace timer555 {
namespace {

TEST(ScaleTrunc, WholeProductsComeOutOneLess) {
  struct Case {
    int value, expected;
  } cases[] = {{10, 11}, {20, 23}, {11, 13}, {12, 14}, {16, 19}, {21, 25}, {23, 27}, {0, 0}};
  for (const auto& c : cases) EXPECT_EQ(ScaleTrunc(c.value), c.expected) << c.value;
}

TEST(FontSizes, PointsBecomeEmPixelsAt96Dpi) {
  struct Case {
    int points, pixels;
  } cases[] = {{10, 13}, {11, 15}, {12, 16}, {13, 17}, {14, 19}, {21, 28}, {8, 11}, {9, 12}};
  for (const auto& c : cases) {
    EXPECT_EQ(PointsToPixels(c.points), c.pixels) << c.points;
    EXPECT_EQ(HeightToPoints(-c.pixels), c.points) << c.points;
  }
}

}  // namespace
}  // namespace timer555
