#include "link/clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane::link {
namespace {

using namespace std::chrono_literals;

TEST(ManualClock, FiresDueTimersInOrderWithTheirOwnTime)
{
    ManualClock clock;
    std::vector<std::string> fired;
    auto a = clock.createTimer([&] { fired.push_back("a@" + std::to_string(clock.now().count())); });
    auto b = clock.createTimer([&] { fired.push_back("b@" + std::to_string(clock.now().count())); });
    auto c = clock.createTimer([&] { fired.push_back("c@" + std::to_string(clock.now().count())); });
    a->start(300ms);
    b->start(100ms);
    c->start(100ms); // same due time as b, started later
    clock.advance(250ms);
    EXPECT_EQ(fired, (std::vector<std::string>{"b@100", "c@100"}));
    EXPECT_EQ(clock.now(), 250ms);
    EXPECT_TRUE(a->isActive());
    EXPECT_FALSE(b->isActive());
    clock.advance(50ms);
    EXPECT_EQ(fired.back(), "a@300");
}

TEST(ManualClock, RestartStopAndDestructionInsideCallbacks)
{
    ManualClock clock;
    int ticks = 0;
    std::unique_ptr<Timer> self;
    std::unique_ptr<Timer> other = clock.createTimer([&] { ADD_FAILURE() << "stopped timer fired"; });
    self = clock.createTimer([&] {
        ++ticks;
        if (ticks < 3) {
            self->start(10ms); // re-armed from its own callback, due within the same advance
        } else {
            self.reset(); // destroyed from its own callback
        }
        other->stop();
    });
    other->start(25ms);
    self->start(10ms);
    clock.advance(1000ms);
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(clock.hasRunningTimers());

    auto restarted = clock.createTimer([&] { ++ticks; });
    restarted->start(100ms);
    clock.advance(60ms);
    restarted->start(100ms); // restart moves the due time
    clock.advance(60ms);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(clock.nextDueTime(), 1160ms);
    EXPECT_TRUE(clock.runUntilIdle());
    EXPECT_EQ(ticks, 4);
}

} // namespace
} // namespace corvane::link
