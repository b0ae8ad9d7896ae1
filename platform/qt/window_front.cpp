#include "platform/qt/window_front.h"

#include <QWidget>

void bringToFront(QWidget* window)
{
    if (!window)
        return;
    if (window->windowState() & Qt::WindowMinimized) {
        // An iconified window takes no activation and no new state; shown
        // anew it comes back as a normal window.
        window->hide();
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    }
    window->show();
    window->raise();
    window->activateWindow();
}
