#pragma once
// The link's clock on the Qt event loop: one-shot QTimers (precise, so the 1500 ms reply timer
// means 1500 ms) and the time since the clock was made.

#include "link/clock.h"

#include <QElapsedTimer>

namespace corvane::platform {

class QtClock : public link::Clock
{
public:
    QtClock();
    link::Milliseconds now() const override;
    std::unique_ptr<link::Timer> createTimer(std::function<void()> onTimeout) override;

private:
    QElapsedTimer m_elapsed;
};

} // namespace corvane::platform
