#include "draw/rolling_display.h"

#include "draw/draw_surface.h"
#include "platform/clock.h"
#include "platform/services.h"
#include "storage/text_line_list.h"

#include <algorithm>
#include <limits>

quint32 RollingGenerator::next(quint32 range)
{
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<quint32>((static_cast<quint64>(range) * seed_) >> 32);
}

std::vector<QByteArray> RollingDisplay::upcoming(const TextLineList& participants, int passes) const
{
    std::vector<QByteArray> lines;
    RollingGenerator ahead = generator_;
    const auto count = static_cast<quint32>(participants.count());
    for (int i = 0; count > 0 && i < passes; ++i)
        lines.push_back(participants.get(static_cast<int>(ahead.next(count))));
    return lines;
}

void RollingDisplay::tick(DrawContext& context)
{
    const Clock& clock = *services().clock;
    const std::optional<quint64> counter = clock.performanceCounter();
    generator_.reseed(counter ? static_cast<quint32>(*counter) : clock.tickCount());

    if (context.participants.isEmpty())
        return;
    // More than about 23.8 million lines would overflow the timer's int.
    const int interval = static_cast<int>(
        std::min<qint64>(qint64(context.participants.count()) * kIntervalPerParticipantMs,
                         std::numeric_limits<int>::max()));
    if (context.surface.drawTimerInterval() != interval)
        context.surface.setDrawTimerInterval(interval);
    if (!context.surface.rollingPassesActive()) {
        context.surface.setRollingPassesActive(true);
        pass(context);
    }
}

void RollingDisplay::pass(DrawContext& context)
{
    DrawSurface& surface = context.surface;
    if (!surface.drawTimerEnabled()) {
        surface.setRollingPassesActive(false);
        surface.setDisplayText(context.currentWinner);
        return;
    }
    const int count = context.participants.count();
    const int index = static_cast<int>(generator_.next(static_cast<quint32>(count)));
    try {
        surface.setDisplayText(context.participants.get(index));
    } catch (...) {
        surface.setRollingPassesActive(false);
        throw;
    }
}
