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
    return event.timestamp() != 0 && event.key() == releasedKey_ && releasedAt_ != 0 &&
           event.timestamp() >= releasedAt_ && event.timestamp() - releasedAt_ <= kSameMomentMs;
}

bool KeyRepeatFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        releasedKey_ = key->key();
        releasedAt_ = key->timestamp();
    } else if (event->type() == QEvent::KeyPress) {
        if (isRepeatedCommandPress(*static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
