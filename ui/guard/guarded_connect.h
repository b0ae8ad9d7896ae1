#pragma once

#include "ui/guard/handler_guard.h"

#include <QObject>
#include <QWidget>
#include <utility>

// Connects a signal to a handler that runs through the guard: whatever the
// handler throws is reported in a box over boxParent's window and never
// crosses Qt's event loop. The connection ends with context.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, QObject* context,
                                       QWidget* boxParent, Handler handler)
{
    return QObject::connect(
        sender, signal, context,
        [boxParent, handler = std::move(handler)]() mutable { guarded(boxParent, handler); });
}
