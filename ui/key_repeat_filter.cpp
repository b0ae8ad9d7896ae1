#include "ui/key_repeat_filter.h"

#include <QKeyEvent>

KeyRepeatFilter::KeyRepeatFilter(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("keyRepeatFilter"));
}

bool KeyRepeatFilter::isRepeatedCommandKey(const QKeyEvent& event)
{
    if (!event.isAutoRepeat())
        return false;
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

bool KeyRepeatFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        if (isRepeatedCommandKey(*static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
