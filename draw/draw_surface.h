#pragma once

#include <QByteArray>
#include <QString>

// What the draw must tell the operator before going on; the window shows it
// in a box with the warning sign.
struct DrawNotice
{
    // Warning: a check the draw failed (captioned 警告); Notice: the draw
    // is complete (captioned 提示).
    enum class Kind { Warning, Notice };
    Kind kind = Kind::Warning;
    QString text;
};

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

    virtual void tell(const DrawNotice& notice) = 0;
};
