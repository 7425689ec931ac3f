#include <gtest/gtest.h>

#include "skin/controls/SkinGeometry.h"

using namespace tolvar;

TEST(GetSizingMode, TestsThePointsInOrder) {
    struct Case {
        Rect skin;
        Point rt, lb, rb;
        SizingMode mode;
    };
    const Rect s{58, 1, 111, 17};
    const Case cases[] = {
        {{}, {49, 7}, {0, 0}, {5, 5}, smNone},  // an empty skin rect wins over everything
        {{5, 5, 5, 9}, {}, {}, {}, smNone},
        {s, {49, 7}, {3, 9}, {4, 4}, smBoth},        // right-bottom needs both coordinates
        {s, {49, 7}, {3, 9}, {4, 0}, smHorizontal},  // ... so this falls to the right-top test
        {s, {0, 7}, {3, 9}, {0, 4}, smHorizontal},
        {s, {}, {6, 48}, {0, 4}, smVertical},
        {s, {}, {0, 1}, {}, smVertical},
        {s, {}, {}, {9, 0}, smFixed},
        {s, {}, {}, {}, smFixed},
    };
    for (const Case& c : cases) {
        const PieceGeometry piece{c.skin, {3, 7}, c.rt, c.lb, c.rb, {}};
        EXPECT_EQ(GetSizingMode(piece), c.mode)
            << c.rt.X << "," << c.rt.Y << " " << c.lb.X << "," << c.lb.Y << " " << c.rb.X << "," << c.rb.Y;
    }
}

TEST(FitGeometry, MovesThePointsByModeAndImposesTheSize) {
    // A 40 x 30 piece fitted to 100 x 50: dx = 60, dy = 20.
    const PieceGeometry piece{{10, 20, 50, 50}, {5, 6}, {30, 7}, {8, 22}, {33, 24}, {4, 5, 36, 26}};
    const TargetGeometry previous{{-1, -2}, {-3, -4}, {-5, -6}, {-7, -8}, {-9, -9, -9, -9}};
    struct Case {
        SizingMode mode;
        TargetGeometry fitted;
        int32_t width, height;
    };
    const Case cases[] = {
        {smBoth, {{5, 6}, {90, 7}, {8, 42}, {93, 44}, {4, 5, 96, 46}}, 100, 50},
        {smHorizontal, {{5, 6}, {90, 7}, {-5, -6}, {-7, -8}, {4, 5, 96, 26}}, 100, 30},
        {smVertical, {{5, 6}, {-3, -4}, {8, 42}, {-7, -8}, {4, 5, 36, 46}}, 40, 50},
        {smFixed, {{-1, -2}, {-3, -4}, {-5, -6}, {-7, -8}, {4, 5, 36, 26}}, 40, 30},
        {smNone, previous, 100, 50},
    };
    for (const Case& c : cases) {
        TargetGeometry fitted = previous;
        int32_t width = 100, height = 50;
        FitGeometry(c.mode, piece, fitted, width, height);
        EXPECT_EQ(fitted, c.fitted) << "mode " << c.mode;
        EXPECT_EQ(width, c.width) << "mode " << c.mode;
        EXPECT_EQ(height, c.height) << "mode " << c.mode;
    }
}

TEST(FitGeometry, TheGaugePieceAtWidth321) {
    const PieceGeometry gauge{{58, 1, 111, 17}, {3, 7}, {49, 7}, {}, {}, {}};
    ASSERT_EQ(GetSizingMode(gauge), smHorizontal);
    TargetGeometry fitted;
    int32_t width = 321, height = 20;
    FitGeometry(smHorizontal, gauge, fitted, width, height);
    EXPECT_EQ(width, 321);
    EXPECT_EQ(height, 16);
    EXPECT_EQ(fitted.RT, (Point{317, 7}));

    const PieceGeometry vgauge{{113, 19, 129, 72}, {6, 4}, {}, {6, 48}, {}, {}};
    EXPECT_EQ(GetSizingMode(vgauge), smVertical);
}
