#pragma once

#include "base/gbk.h"
#include "draw/draw_command.h"
#include "draw/draw_surface.h"

#include <QStringList>

// The main window's controls as plain values.
class FakeDrawSurface : public DrawSurface
{
  public:
    QByteArray startStopCaption() const override { return caption; }
    void setStartStopCaption(const QByteArray& text) override { caption = text; }
    bool drawTimerEnabled() const override { return timerEnabled; }
    void setDrawTimerEnabled(bool enabled) override { timerEnabled = enabled; }
    int drawTimerInterval() const override { return timerInterval; }
    void setDrawTimerInterval(int milliseconds) override { timerInterval = milliseconds; }
    void setDisplayText(const QByteArray& text) override { display = text; }
    void setProgressText(const QByteArray& text) override { progressText = text; }
    void setProgressPosition(int position) override { progressPosition = position; }
    void appendResultLine(const QByteArray& line) override { resultLines.push_back(line); }
    void setRollingPassesActive(bool active) override { passesActive = active; }
    bool rollingPassesActive() const override { return passesActive; }
    void tell(const DrawNotice& notice) override { notices.push_back(notice); }

    bool running() const { return caption == draw_texts::stopCaption(); }

    QByteArray caption = draw_texts::startCaption();
    bool timerEnabled = false;
    int timerInterval = 100;
    QByteArray display = gbk::text("准备开始...");
    QByteArray progressText;
    int progressPosition = 0;
    std::vector<QByteArray> resultLines;
    bool passesActive = false;
    std::vector<DrawNotice> notices;
};
