#include "ui/input/key_repeat_filter.h"

#include <QKeyEvent>

namespace {

bool isEnter(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

} // namespace

KeyRepeatFilter::KeyRepeatFilter(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("keyRepeatFilter"));
}

bool KeyRepeatFilter::isRepeatedCommandPress(const QKeyEvent& event) const
{
    if (!isEnter(event))
        return false;
    if (event.isAutoRepeat())
        return true;
    // Events made up inside the program carry no time stamp.
    if (event.timestamp() == 0)
        return false;
    // Where the X server sends repeats as presses without releases (detectable
    // auto-repeat), the toolkit may not mark them: a press of Enter while it
    // is still down from a press a moment ago is a repeat. The same press
    // seen again on its way to the focused control keeps its time stamp.
    if (enterDownAt_ != 0 && event.timestamp() != enterDownAt_ &&
        event.timestamp() >= enterDownAt_ && event.timestamp() - enterDownAt_ <= kRepeatGapMs)
        return true;
    return event.timestamp() != 0 && event.key() == releasedKey_ && releasedAt_ != 0 &&
           event.timestamp() >= releasedAt_ && event.timestamp() - releasedAt_ <= kSameMomentMs;
}

bool KeyRepeatFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        releasedKey_ = key->key();
        releasedAt_ = key->timestamp();
        if (isEnter(*key))
            enterDownAt_ = 0;
    } else if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool repeated = isRepeatedCommandPress(*key);
        // Every press of a held Enter, taken or dropped, keeps it down.
        if (isEnter(*key) && key->timestamp() != 0)
            enterDownAt_ = key->timestamp();
        if (repeated)
            return true;
    }
    return QObject::eventFilter(watched, event);
}
