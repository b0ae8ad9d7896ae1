#include "platform/clock.h"

#include <chrono>

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

std::optional<quint64> SystemClock::performanceCounter() const
{
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<quint64>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(since).count());
}

quint32 SystemClock::tickCount() const
{
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<quint32>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}
