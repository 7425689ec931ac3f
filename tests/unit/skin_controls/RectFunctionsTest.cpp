#include <gtest/gtest.h>

#include <climits>

#include "skin/controls/RectFunctions.h"

using namespace tolvar;

TEST(RectFunctions, EdgeRules) {
    const Rect r{2, 3, 10, 7};

    // PointInRect counts the right and bottom edges as inside.
    EXPECT_TRUE(PointInRect(r, {2, 3}));
    EXPECT_TRUE(PointInRect(r, {10, 7}));
    EXPECT_TRUE(PointInRect(r, {10, 3}));
    EXPECT_FALSE(PointInRect(r, {11, 7}));
    EXPECT_FALSE(PointInRect(r, {10, 8}));
    EXPECT_FALSE(PointInRect(r, {1, 5}));

    // RectInRect tests both corners with the right and bottom edges outside.
    EXPECT_FALSE(RectInRect(r, r));
    EXPECT_TRUE(RectInRect({2, 3, 9, 6}, r));
    EXPECT_FALSE(RectInRect({2, 3, 10, 6}, r));
    EXPECT_FALSE(RectInRect({1, 3, 9, 6}, r));
    EXPECT_TRUE(RectInRect({5, 5, 3, 4}, r));  // only the two corners count

    EXPECT_FALSE(IsEmptyRect(r));
    EXPECT_TRUE(IsEmptyRect({2, 3, 2, 7}));
    EXPECT_TRUE(IsEmptyRect({2, 3, 10, 3}));
    EXPECT_TRUE(IsEmptyRect({10, 3, 2, 7}));
    EXPECT_TRUE(IsEmptyRect({}));
    EXPECT_FALSE(IsEmptyRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX}));  // no overflow
    EXPECT_TRUE(IsEmptyRect({INT_MAX, 0, INT_MIN, 1}));

    EXPECT_TRUE(SameRect(r, Rect{2, 3, 10, 7}));
    EXPECT_FALSE(SameRect(r, Rect{2, 3, 10, 8}));
    EXPECT_FALSE(SameRect(r, Rect{3, 3, 10, 7}));
}
