#include "link/clock.h"

#include <algorithm>

namespace corvane::link {

class ManualClock::ManualTimer : public Timer
{
public:
    ManualTimer(ManualClock* clock, std::function<void()> onTimeout)
        : m_clock(clock), m_onTimeout(std::move(onTimeout))
    {
        m_clock->m_timers.push_back(this);
    }
    ~ManualTimer() override
    {
        if (m_clock != nullptr) {
            auto& timers = m_clock->m_timers;
            timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
        }
    }

    void start(Milliseconds interval) override
    {
        m_active = true;
        m_due = m_clock != nullptr ? m_clock->m_now + std::max(interval, Milliseconds(0)) : Milliseconds(0);
        m_sequence = m_clock != nullptr ? m_clock->m_nextSequence++ : 0;
    }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }

    void fire()
    {
        m_active = false;
        // A copy: the callback may destroy this timer.
        const std::function<void()> callback = m_onTimeout;
        if (callback) {
            callback();
        }
    }

    ManualClock* m_clock;
    std::function<void()> m_onTimeout;
    bool m_active = false;
    Milliseconds m_due{0};
    std::uint64_t m_sequence = 0;
};

ManualClock::~ManualClock()
{
    for (ManualTimer* timer : m_timers) {
        timer->m_clock = nullptr;
        timer->m_active = false;
    }
}

std::unique_ptr<Timer> ManualClock::createTimer(std::function<void()> onTimeout)
{
    return std::make_unique<ManualTimer>(this, std::move(onTimeout));
}

ManualClock::ManualTimer* ManualClock::nextDue() const
{
    ManualTimer* best = nullptr;
    for (ManualTimer* timer : m_timers) {
        if (!timer->m_active) {
            continue;
        }
        if (best == nullptr || timer->m_due < best->m_due ||
            (timer->m_due == best->m_due && timer->m_sequence < best->m_sequence)) {
            best = timer;
        }
    }
    return best;
}

void ManualClock::advance(Milliseconds step)
{
    advanceTo(m_now + std::max(step, Milliseconds(0)));
}

void ManualClock::advanceTo(Milliseconds time)
{
    while (ManualTimer* timer = nextDue()) {
        if (timer->m_due > time) {
            break;
        }
        m_now = std::max(m_now, timer->m_due);
        timer->fire();
    }
    m_now = std::max(m_now, time);
}

bool ManualClock::runUntilIdle(Milliseconds limit)
{
    const Milliseconds end = m_now + limit;
    while (ManualTimer* timer = nextDue()) {
        if (timer->m_due > end) {
            return false;
        }
        m_now = std::max(m_now, timer->m_due);
        timer->fire();
    }
    return true;
}

bool ManualClock::hasRunningTimers() const
{
    return nextDue() != nullptr;
}

Milliseconds ManualClock::nextDueTime() const
{
    const ManualTimer* timer = nextDue();
    return timer != nullptr ? timer->m_due : m_now;
}

} // namespace corvane::link
