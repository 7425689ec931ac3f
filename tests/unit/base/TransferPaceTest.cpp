// The slowest pace a transfer may keep, against a clock the test moves.
#include <gtest/gtest.h>

#include "base/TransferPace.h"

using namespace tolvar;
using namespace std::chrono_literals;

namespace {
using Clock = TTransferPace::Clock;
const Clock::time_point t0 = Clock::time_point() + 1000h;
}  // namespace

TEST(TransferPace, ATrickleStallsOnceTheGraceIsOverAndASlowLineDoesNot) {
    const TRateFloor program;  // 2 KiB/s after 30 s
    const struct {
        const char* what;
        uint64_t bytesPerPiece;
        Clock::duration every;
        Clock::duration stallsBy;  // when the pace gives up, or zero when it never does
    } cases[] = {
        {"1 KiB every 29 s", 1024, 29s, 30s},
        {"1 KiB every second", 1024, 1s, 30s},
        {"2 KiB every second, just the floor", 2048, 1s, 0s},
        {"3 KiB every second, a slow line", 3 * 1024, 1s, 0s},
        {"60 KiB at once, then nothing", 0, 0s, 30s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TTransferPace pace(t0, program);
        if (c.bytesPerPiece == 0) pace.Add(60 * 1024);
        Clock::time_point stalledAt{};
        for (auto now = t0; now < t0 + 10min; now += 100ms) {
            if (c.bytesPerPiece && (now - t0) % c.every == 0s) pace.Add(c.bytesPerPiece);
            if (pace.Stalled(now)) {
                stalledAt = now;
                break;
            }
        }
        if (c.stallsBy == 0s) {
            EXPECT_EQ(stalledAt, Clock::time_point{}) << "never stalls";
        } else {
            EXPECT_GE(stalledAt, t0 + program.Grace) << "not before the grace";
            EXPECT_LE(stalledAt, t0 + c.stallsBy + 100ms);
        }
    }
}

TEST(TransferPace, TheStallMomentMovesWithEachArrivalToTheLastMillisecondCovered) {
    TTransferPace pace(t0, {5s, 1000});
    EXPECT_EQ(pace.StallsAt(), t0 + 5s) << "nothing yet: the grace alone";
    pace.Add(2500);
    EXPECT_EQ(pace.StallsAt(), t0 + 5s) << "2.5 s covered, within the grace";
    pace.Add(5000);
    EXPECT_EQ(pace.StallsAt(), t0 + 7501ms) << "7.5 s covered";
    EXPECT_FALSE(pace.Stalled(t0 + 7500ms)) << "exactly at the floor is not below it";
    EXPECT_TRUE(pace.Stalled(t0 + 7501ms));

    TTransferPace unbounded(t0, {5s, 0});
    EXPECT_FALSE(unbounded.Stalled(t0 + 1000h)) << "a floor of 0 is none";
    TTransferPace huge(t0, {5s, 1});
    huge.Add(UINT64_MAX / 2);
    EXPECT_FALSE(huge.Stalled(t0 + 1000h)) << "no overflow for any count";
}
