// The pointer hit test and the button levels.
#include "display_env.h"
#include "shell/input.h"

#include <gtest/gtest.h>

namespace {

TEST(MouseInRect, RectangleIsOpenOnAllFourSides)
{
  struct { int x, y, inside; } rows[] = {
    {11, 531, 1}, {129, 552, 1}, {10, 540, 0}, {130, 540, 0}, {50, 530, 0}, {50, 553, 0},
    {11, 530, 0}, {129, 553, 0}, {70, 541, 1},
  };
  for (auto row : rows) {
    set_pointer(row.x, row.y, 0);
    EXPECT_EQ(mouse_in_rect(10, 530, 120, 23), row.inside) << row.x << "," << row.y;
  }
}

TEST(MouseInRect, WidthOrHeightOneNeverHolds)
{
  for (int x = 4; x <= 7; x++)
    for (int y = 4; y <= 7; y++) {
      set_pointer(x, y, 0);
      EXPECT_EQ(mouse_in_rect(5, 5, 1, 10), 0);
      EXPECT_EQ(mouse_in_rect(5, 5, 10, 1), 0);
    }
  set_pointer(6, 6, 0);
  EXPECT_EQ(mouse_in_rect(5, 5, 2, 2), 1);  // the one pixel a 2 x 2 rectangle has
}

TEST(Buttons, AreReadAsLevelsOfTheirBits)
{
  struct { int b, left, right, right_alone; } rows[] = {
    {0, 0, 0, 0}, {1, 1, 0, 0}, {2, 0, 1, 1}, {3, 1, 1, 0}, {4, 0, 0, 0}, {6, 0, 1, 0},
  };
  for (auto row : rows) {
    set_pointer(0, 0, row.b);
    EXPECT_EQ(left_button_down(), row.left) << row.b;
    EXPECT_EQ(right_button_down(), row.right) << row.b;
    EXPECT_EQ(right_button_alone(), row.right_alone) << row.b;
  }
}

}  // namespace
