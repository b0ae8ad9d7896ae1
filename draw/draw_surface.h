#pragma once

#include <QByteArray>

class QWidget;

// What the draw command and the rolling display do to the main window's
// controls; the window implements it, tests fake it.
class DrawSurface
{
  public:
    virtual ~DrawSurface() = default;

    virtual QByteArray startStopCaption() const = 0; // btn3
    virtual void setStartStopCaption(const QByteArray& caption) = 0;
    virtual bool drawTimerEnabled() const = 0; // tmr1
    virtual void setDrawTimerEnabled(bool enabled) = 0;
    virtual int drawTimerInterval() const = 0;
    virtual void setDrawTimerInterval(int milliseconds) = 0;
    virtual void setDisplayText(const QByteArray& text) = 0;   // edt1
    virtual void setProgressText(const QByteArray& text) = 0;  // lbl3
    virtual void setProgressPosition(int position) = 0;        // pb1
    virtual void appendResultLine(const QByteArray& line) = 0; // mmo1

    // The roll's passes, about one every 80 ms while active.
    virtual void setRollingPassesActive(bool active) = 0;
    virtual bool rollingPassesActive() const = 0;

    virtual QWidget* boxParent() = 0;
};
