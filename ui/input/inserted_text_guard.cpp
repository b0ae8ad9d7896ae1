#include "ui/input/inserted_text_guard.h"

#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QWidget>

InsertedTextGuard::InsertedTextGuard(QObject* parent) : QObject(parent) {}

void InsertedTextGuard::guard(QWidget* field)
{
    field->setAcceptDrops(false);
    field->installEventFilter(this);
    if (auto* scrolling = qobject_cast<QAbstractScrollArea*>(field)) {
        scrolling->viewport()->setAcceptDrops(false);
        scrolling->viewport()->installEventFilter(this);
    }
}

bool InsertedTextGuard::isPasteKey(const QKeyEvent& event)
{
    if (event.matches(QKeySequence::Paste))
        return true;
    // Shift+Insert pastes in the edit fields on every platform, whatever
    // the key bindings say.
    return event.key() == Qt::Key_Insert &&
           (event.modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier;
}

bool InsertedTextGuard::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (isPasteKey(*static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton)
            return true;
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        event->ignore();
        return true;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
