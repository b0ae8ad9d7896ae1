#pragma once

#include "platform/qt/window_front.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

// Minimizing the main window minimizes the whole program: the companion
// window (the settings window, which stays on top of everything) leaves the
// screen with it, and comes back when the main window is restored, if it was
// open when the main window went.
class WholeProgramMinimize : public QObject
{
    Q_OBJECT
  public:
    WholeProgramMinimize(QWidget* mainWindow, QWidget* companion);

    bool companionAwaitsRestore() const { return companionWasShown_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void mainWindowStateChanged(Qt::WindowStates oldState);

    QWidget* mainWindow_;
    QPointer<QWidget> companion_;
    bool companionWasShown_ = false;
};
