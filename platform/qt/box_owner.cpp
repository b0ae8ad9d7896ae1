#include "platform/qt/box_owner.h"

#include <QApplication>
#include <QWidget>

namespace {

bool isOnScreen(const QWidget* window)
{
    return window && window->isVisible() && !(window->windowState() & Qt::WindowMinimized);
}

} // namespace

bool ownerStaysOnTop(const QWidget* owner)
{
    return owner && owner->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

QWidget* boxOwner(QWidget* requested)
{
    if (QWidget* modal = QApplication::activeModalWidget(); isOnScreen(modal))
        return modal;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        const Qt::WindowType type = window->windowType();
        if ((type == Qt::Window || type == Qt::Dialog) && isOnScreen(window) &&
            ownerStaysOnTop(window))
            return window;
    }
    if (QWidget* active = QApplication::activeWindow(); isOnScreen(active))
        return active;
    return requested ? requested->window() : nullptr;
}
