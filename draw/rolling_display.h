#pragma once

#include "draw/draw_context.h"

#include <QtGlobal>
#include <vector>

// The generator of the rolling display: seed × 134775813 + 1 modulo 2^32, the
// result the upper 32 bits of range × seed.
class RollingGenerator
{
  public:
    void reseed(quint32 seed) { seed_ = seed; }
    quint32 seed() const { return seed_; }
    quint32 next(quint32 range);

  private:
    quint32 seed_ = 0;
};

// While a draw runs the display shows a random participant line about every
// 80 ms and ends on the current winner once the draw timer is off. Driven by
// two timers instead of a loop that pumps events: the draw timer's tick
// (re)starts the passes, a pass timer runs them, and the window never blocks.
class RollingDisplay
{
  public:
    static constexpr int kPassIntervalMs = 80;
    static constexpr int kIntervalPerParticipantMs = 90;

    // The draw timer's tick.
    void tick(DrawContext& context);
    // One pass of the roll. A list emptied under the roll ends it with the
    // list error, reported once.
    void pass(DrawContext& context);

    RollingGenerator& generator() { return generator_; }
    // The lines the next passes show, until the next tick reseeds: what is
    // worth preparing (photos) before it is shown.
    std::vector<QByteArray> upcoming(const TextLineList& participants, int passes) const;

  private:
    RollingGenerator generator_;
};
