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
    return isEnter(event) && judgedRepeat(event);
}

bool KeyRepeatFilter::isRepeatedPress(const QKeyEvent& event) const
{
    if (event.timestamp() != 0 && event.key() == lastKey_ && event.timestamp() == lastPressAt_)
        return lastRepeated_;
    return judgedRepeat(event);
}

bool KeyRepeatFilter::judgedRepeat(const QKeyEvent& event) const
{
    if (event.isAutoRepeat())
        return true;
    // Events made up inside the program carry no time stamp.
    if (event.timestamp() == 0)
        return false;
    // Where the X server sends repeats as presses without releases (detectable
    // auto-repeat), the toolkit may not mark them: a press of a key while it
    // is still down from a press a moment ago is a repeat. The same press
    // seen again on its way to the focused control keeps its time stamp.
    const unsigned long downAt = downAt_.value(event.key(), 0);
    if (downAt != 0 && event.timestamp() != downAt && event.timestamp() >= downAt &&
        event.timestamp() - downAt <= kRepeatGapMs)
        return true;
    return event.key() == releasedKey_ && releasedAt_ != 0 && event.timestamp() >= releasedAt_ &&
           event.timestamp() - releasedAt_ <= kSameMomentMs;
}

void KeyRepeatFilter::notePress(const QKeyEvent& event, bool repeated)
{
    if (event.timestamp() == 0)
        return;
    // The verdict stays with the press it was made for: seen again on its way
    // to the focused control, the press is no repeat of itself.
    if (event.key() != lastKey_ || event.timestamp() != lastPressAt_) {
        lastKey_ = event.key();
        lastPressAt_ = event.timestamp();
        lastRepeated_ = repeated;
    }
    // Every press of a held key, taken or dropped, keeps it down.
    downAt_.insert(event.key(), event.timestamp());
}

bool KeyRepeatFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        releasedKey_ = key->key();
        releasedAt_ = key->timestamp();
        downAt_.remove(key->key());
    } else if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool repeated = isRepeatedPress(*key);
        notePress(*key, repeated);
        if (repeated && isEnter(*key))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
