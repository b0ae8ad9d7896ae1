#include "ui/main_window/whole_program_minimize.h"

#include <QEvent>
#include <QWindowStateChangeEvent>

WholeProgramMinimize::WholeProgramMinimize(QWidget* mainWindow, QWidget* companion)
    : QObject(mainWindow), mainWindow_(mainWindow), companion_(companion)
{
    setObjectName(QStringLiteral("wholeProgramMinimize"));
    mainWindow_->installEventFilter(this);
}

bool WholeProgramMinimize::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mainWindow_ && event->type() == QEvent::WindowStateChange)
        mainWindowStateChanged(static_cast<QWindowStateChangeEvent*>(event)->oldState());
    return QObject::eventFilter(watched, event);
}

void WholeProgramMinimize::mainWindowStateChanged(Qt::WindowStates oldState)
{
    if (!companion_)
        return;
    const bool minimized = mainWindow_->windowState() & Qt::WindowMinimized;
    const bool wasMinimized = oldState & Qt::WindowMinimized;
    if (minimized && !wasMinimized) {
        companionWasShown_ = companion_->isVisible();
        if (companionWasShown_)
            companion_->hide();
    } else if (!minimized && wasMinimized && companionWasShown_) {
        companionWasShown_ = false;
        bringToFront(companion_);
    }
}
