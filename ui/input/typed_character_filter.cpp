#include "ui/input/typed_character_filter.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

TypedCharacterFilter::TypedCharacterFilter(QObject* parent, Decision accept)
    : QObject(parent), accept_(std::move(accept))
{
}

bool TypedCharacterFilter::producesCharacter(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return !event.text().isEmpty();
    }
}

static QChar typedCharacter(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace:
        return QChar(8);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    case Qt::Key_Escape:
        return QChar(27);
    default:
        return event.text().isEmpty() ? QChar() : event.text().front();
    }
}

bool TypedCharacterFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!producesCharacter(*key))
            return false;
        return !(accept_ && accept_(watched, typedCharacter(*key)));
    }
    if (event->type() == QEvent::InputMethod) {
        auto* input = static_cast<QInputMethodEvent*>(event);
        if (input->commitString().isEmpty())
            return false;
        for (QChar character : input->commitString()) {
            if (!(accept_ && accept_(watched, character)))
                return true;
        }
    }
    return false;
}
