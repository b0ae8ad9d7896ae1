#pragma once

#include <QDateTime>
#include <optional>

// The wall clock and the counters that seed the rolling display; tests set them.
class Clock
{
  public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // A high-resolution counter, or nothing when the platform has none.
    virtual std::optional<quint64> performanceCounter() const = 0;
    // Milliseconds since some fixed start, 32 bits.
    virtual quint32 tickCount() const = 0;
};

class SystemClock : public Clock
{
  public:
    QDateTime now() const override;
    std::optional<quint64> performanceCounter() const override;
    quint32 tickCount() const override;
};
