#pragma once
// Time as the link sees it: a clock that tells the time and makes one-shot timers. The link's
// reply timer and the virtual radio's reply delays run on it, so the same code runs on the event
// loop of a window (platform/qt_clock.h) and on a ManualClock in tests, where time moves only
// when the test says so. Nothing here ever sleeps.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace corvane::link {

using Milliseconds = std::chrono::milliseconds;

// A one-shot timer. start() (re)arms it; the callback runs once, on the clock's thread, when the
// interval has passed, unless stop() or the timer's destruction came first.
class Timer
{
public:
    virtual ~Timer() = default;
    virtual void start(Milliseconds interval) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

class Clock
{
public:
    virtual ~Clock() = default;
    // Time since an arbitrary start of this clock.
    virtual Milliseconds now() const = 0;
    // A stopped timer that calls `onTimeout` when it expires. The callback may start, stop or
    // destroy any timer of the clock, its own included.
    virtual std::unique_ptr<Timer> createTimer(std::function<void()> onTimeout) = 0;
};

// A clock for tests and for serving the virtual radio from a poll loop: time stands still until
// advance() moves it; timers that fall due on the way fire in order of their due time (timers due
// at the same moment in the order they were started), each with now() at its due time.
class ManualClock : public Clock
{
public:
    ManualClock() = default;
    ~ManualClock() override;
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    Milliseconds now() const override { return m_now; }
    std::unique_ptr<Timer> createTimer(std::function<void()> onTimeout) override;

    // Moves time forward by `step` (0 fires what is due now) and fires every timer due meanwhile,
    // including timers started by the callbacks that fall due within the step.
    void advance(Milliseconds step);
    void advanceTo(Milliseconds time);
    // Fires timers one due time after the other until none is running or `limit` is reached;
    // returns false when the limit stopped it.
    bool runUntilIdle(Milliseconds limit = Milliseconds(600000));
    bool hasRunningTimers() const;
    // The due time of the next running timer; now() when none runs.
    Milliseconds nextDueTime() const;

private:
    class ManualTimer;
    friend class ManualTimer;
    ManualTimer* nextDue() const;

    Milliseconds m_now{0};
    std::uint64_t m_nextSequence = 0;
    std::vector<ManualTimer*> m_timers;
};

} // namespace corvane::link
