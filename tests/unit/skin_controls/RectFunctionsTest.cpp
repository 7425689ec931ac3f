#include <gtest/gtest.h>

#include <climits>

#include "base/Geometry.h"

using namespace tolvar;

TEST(RectFunctions, EdgeRules) {
    const Rect r{2, 3, 10, 7};

    // Contains is half-open, as the rectangle: the right and bottom edges are outside.
    EXPECT_TRUE(Contains(r, {2, 3}));
    EXPECT_TRUE(Contains(r, {9, 6}));
    EXPECT_FALSE(Contains(r, {10, 6}));
    EXPECT_FALSE(Contains(r, {9, 7}));
    EXPECT_FALSE(Contains(r, {1, 5}));
    EXPECT_FALSE(Contains({INT_MAX, 0, INT_MIN, 1}, {0, 0}));

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

    EXPECT_EQ(Saturate(int64_t(INT_MAX) + 5), INT_MAX);
    EXPECT_EQ(Saturate(int64_t(INT_MIN) - 5), INT_MIN);
    EXPECT_EQ(Width64({INT_MIN, 0, INT_MAX, 0}), int64_t(UINT_MAX));
}
