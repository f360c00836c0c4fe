#include "platform/qt_clock.h"

#include <QTimer>

namespace corvane::platform {

namespace {

class QtTimer : public link::Timer
{
public:
    explicit QtTimer(std::function<void()> onTimeout) : m_timer(new QTimer), m_onTimeout(std::move(onTimeout))
    {
        m_timer->setSingleShot(true);
        m_timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(m_timer, &QTimer::timeout, m_timer, [this] {
            m_firing = true;
            const std::function<void()> callback = m_onTimeout; // it may destroy this timer
            bool destroyed = false;
            m_destroyedFlag = &destroyed;
            if (callback) {
                callback();
            }
            if (!destroyed) {
                m_destroyedFlag = nullptr;
                m_firing = false;
            }
        });
    }
    ~QtTimer() override
    {
        m_timer->stop();
        QObject::disconnect(m_timer, nullptr, nullptr, nullptr);
        if (m_destroyedFlag != nullptr) {
            *m_destroyedFlag = true;
        }
        // A QTimer must not be deleted inside its own timeout signal.
        if (m_firing) {
            m_timer->deleteLater();
        } else {
            delete m_timer;
        }
    }
    QtTimer(const QtTimer&) = delete;
    QtTimer& operator=(const QtTimer&) = delete;

    void start(link::Milliseconds interval) override
    {
        m_timer->start(static_cast<int>(std::max<std::int64_t>(0, interval.count())));
    }
    void stop() override { m_timer->stop(); }
    bool isActive() const override { return m_timer->isActive(); }

private:
    QTimer* m_timer;
    std::function<void()> m_onTimeout;
    bool m_firing = false;
    bool* m_destroyedFlag = nullptr;
};

} // namespace

QtClock::QtClock()
{
    m_elapsed.start();
}

link::Milliseconds QtClock::now() const
{
    return link::Milliseconds(m_elapsed.elapsed());
}

std::unique_ptr<link::Timer> QtClock::createTimer(std::function<void()> onTimeout)
{
    return std::make_unique<QtTimer>(std::move(onTimeout));
}

} // namespace corvane::platform
