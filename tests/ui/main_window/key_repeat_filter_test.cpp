#include "ui/input/key_repeat_filter.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

struct Key
{
    QEvent::Type type;
    unsigned long at;
    bool dropped;
};

// Presses and releases of Enter in order; whether the filter drops each press.
TEST(KeyRepeatFilter, DropsEveryPressOfAHeldEnterHoweverItIsMarked)
{
    const std::vector<std::vector<Key>> sequences = {
        // Repeats as presses without releases, unmarked; the first press is
        // seen twice on its way to the focused control.
        {{QEvent::KeyPress, 1000, false},
         {QEvent::KeyPress, 1000, false},
         {QEvent::KeyPress, 1500, true},
         {QEvent::KeyPress, 1520, true},
         {QEvent::KeyRelease, 2500, false},
         {QEvent::KeyPress, 2700, false}},
        // A release and a press at one moment: a repeat.
        {{QEvent::KeyPress, 1000, false},
         {QEvent::KeyRelease, 1600, false},
         {QEvent::KeyPress, 1600, true}},
        // A release missed while another program had the keys holds no longer.
        {{QEvent::KeyPress, 1000, false}, {QEvent::KeyPress, 3000, false}},
    };
    for (size_t s = 0; s < sequences.size(); ++s) {
        KeyRepeatFilter repeatFilter;
        QObject& filter = repeatFilter; // its filter is public as a QObject
        QObject target;
        for (size_t k = 0; k < sequences[s].size(); ++k) {
            const Key& key = sequences[s][k];
            QKeyEvent event(key.type, Qt::Key_Return, Qt::NoModifier);
            event.setTimestamp(key.at);
            EXPECT_EQ(filter.eventFilter(&target, &event), key.dropped)
                << "sequence " << s << " event " << k;
        }
    }
}

} // namespace
