// Timer and the date-and-time text from an injected clock; the system clock only for its field ranges.
#include "platform/text/clock.h"

#include <gtest/gtest.h>

namespace tessary {
namespace {

LocalDateTime At(int year, int month, int day, int hour, int minute, int second, int millisecond = 0) {
    return {year, month, day, hour, minute, second, millisecond};
}

TEST(Clock, TimerIsSecondsSinceMidnightAsSingle) {
    const struct {
        LocalDateTime time;
        float seconds;
    } cases[] = {
        {At(2024, 3, 5, 0, 0, 0), 0.0f},
        {At(2024, 3, 5, 7, 8, 9, 250), 25689.25f},
        {At(2024, 3, 5, 12, 0, 0), 43200.0f},
        {At(1999, 12, 31, 23, 59, 59, 990), 86399.99f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Timer(c.time), c.seconds) << DateTimeText(c.time);
        const Clock fixed = [&c] { return c.time; };
        EXPECT_EQ(Timer(fixed), c.seconds);
    }
}

TEST(Clock, DateTimeTextIsZeroPadded) {
    EXPECT_EQ(DateTimeText(At(2024, 3, 5, 7, 8, 9, 999)), "2024-03-05 07:08:09");
    EXPECT_EQ(DateTimeText(At(1999, 12, 31, 23, 59, 59)), "1999-12-31 23:59:59");
    EXPECT_EQ(DateTimeText(At(987, 1, 1, 0, 0, 0)), "0987-01-01 00:00:00");
    const Clock fixed = [] { return At(2031, 10, 28, 16, 45, 3); };
    EXPECT_EQ(DateTimeText(fixed), "2031-10-28 16:45:03");
}

TEST(Clock, ElapsedTimeCountsOverMidnight) {
    EXPECT_EQ(TimerElapsed(100.0f, 160.5f), 60.5f);
    EXPECT_EQ(TimerElapsed(86390.0f, 10.0f), 20.0f);  // the timer restarted at midnight
    EXPECT_EQ(TimerElapsed(5.0f, 5.0f), 0.0f);
}

TEST(Clock, SystemClockGivesValidFields) {
    const LocalDateTime now = SystemLocalTime();
    EXPECT_GE(now.year, 2000);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_GE(now.day, 1);
    EXPECT_LE(now.day, 31);
    EXPECT_GE(now.hour, 0);
    EXPECT_LE(now.hour, 23);
    EXPECT_LE(now.minute, 59);
    EXPECT_LE(now.second, 59);
    EXPECT_GE(now.millisecond, 0);
    EXPECT_LE(now.millisecond, 999);
    const float timer = Timer();
    EXPECT_GE(timer, 0.0f);
    EXPECT_LT(timer, 86400.0f);
    EXPECT_EQ(DateTimeText().size(), 19u);
}

}  // namespace
}  // namespace tessary
