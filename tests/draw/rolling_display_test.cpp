#include "base/app_error.h"
#include "draw_harness.h"

#include <gtest/gtest.h>

namespace {

TEST(RollingGenerator, FollowsTheLinearCongruentialSequence)
{
    RollingGenerator generator;
    generator.reseed(0);
    EXPECT_EQ(generator.next(100), 0u);
    EXPECT_EQ(generator.seed(), 1u);
    EXPECT_EQ(generator.next(100), 3u); // seed 134775814
    EXPECT_EQ(generator.seed(), 134775814u);
    generator.reseed(0xFFFFFFFFu);
    EXPECT_EQ(generator.next(0), 0u);
    EXPECT_EQ(generator.seed(), static_cast<quint32>(0xFFFFFFFFull * 134775813ull + 1));
    for (int i = 0; i < 1000; ++i)
        EXPECT_LT(generator.next(7), 7u);
}

TEST(RollingDisplay, TickReseedsFromTheCounterSetsTheIntervalAndShowsALine)
{
    DrawHarness roll;
    roll.settings.countTexts = {"", "", "", "", "", "1"};
    roll.setParticipants({"A", "B", "C", "D", "E"});
    roll.click(); // start: loads the list, timer on
    roll.fakes.clock.counter = 0x1234567800000009ull;
    roll.tick();
    EXPECT_EQ(roll.surface.timerInterval, 5 * 90);
    EXPECT_TRUE(roll.surface.passesActive);
    RollingGenerator expected;
    expected.reseed(9);
    EXPECT_EQ(roll.surface.display, roll.participants.get(int(expected.next(5))));

    roll.fakes.clock.counter.reset();
    roll.fakes.clock.ticks = 77;
    roll.tick();
    RollingGenerator fromTicks;
    fromTicks.reseed(77);
    roll.pass();
    EXPECT_EQ(roll.surface.display, roll.participants.get(int(fromTicks.next(5))));
}

TEST(RollingDisplay, EndsOnTheWinnerOnceTheTimerIsOff)
{
    DrawHarness roll;
    roll.settings.countTexts = {"", "", "", "", "", "1"};
    roll.setParticipants({"A", "B", "C"});
    roll.setPickSeconds(1000000001);
    roll.click();
    roll.tick();
    roll.click(); // stop: draws C
    EXPECT_EQ(roll.currentWinner, "C");
    roll.pass();
    EXPECT_EQ(roll.surface.display, "C");
    EXPECT_FALSE(roll.surface.passesActive);
}

TEST(RollingDisplay, StopBeforeTheFirstTickLeavesTheDisplay)
{
    DrawHarness roll;
    roll.settings.countTexts = {"", "", "", "", "", "1"};
    roll.setParticipants({"A", "B", "C"});
    roll.startAndStop();
    EXPECT_FALSE(roll.currentWinner.isEmpty());
    EXPECT_EQ(roll.surface.display, G("准备开始..."));
    EXPECT_FALSE(roll.surface.passesActive);
}

TEST(RollingDisplay, AListEmptiedUnderTheRollReportsOnceAndStopsRolling)
{
    DrawHarness roll;
    roll.setParticipants({"A", "B"});
    roll.settings.countTexts = {"", "", "", "", "", "1"};
    roll.click();
    roll.tick();
    roll.participants.clear();
    roll.surface.display = G("准备开始...");
    try {
        roll.pass();
        FAIL() << "a pass over an empty list succeeded";
    } catch (const AppError& error) {
        EXPECT_EQ(error.message(), "List index out of bounds (0)");
    }
    EXPECT_FALSE(roll.surface.passesActive);
    const int interval = roll.surface.timerInterval;
    roll.tick(); // finds the list empty: nothing changes
    EXPECT_EQ(roll.surface.timerInterval, interval);
    EXPECT_FALSE(roll.surface.passesActive);
    roll.click(); // the next Stop draws without showing the winner
    EXPECT_FALSE(roll.currentWinner.isEmpty());
    EXPECT_EQ(roll.surface.display, G("准备开始..."));
}

} // namespace
