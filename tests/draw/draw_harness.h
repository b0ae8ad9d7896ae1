#pragma once

#include "draw/draw_command.h"
#include "draw/draw_options.h"
#include "draw/draw_status.h"
#include "draw/rolling_display.h"
#include "fake_draw_surface.h"
#include "storage/text_line_list.h"
#include "support/fake_services.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"

#include <QLocale>

// One main window's worth of draw state over real files in a temporary folder.
struct DrawHarness
{
    DrawHarness()
    {
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        settings.startMusicPath = ".\\01.wav";
        settings.stopMusicPath = ".\\02.wav";
        settings.countTexts = {"1", "2", "3", "4", "", ""};
        settings.repeatText = G("否");
        dir.writeFile("retotal.txt", "");
    }

    void setParticipants(const std::vector<QByteArray>& lines)
    {
        QByteArray bytes;
        for (const QByteArray& line : lines)
            bytes += line + "\r\n";
        dir.writeFile("rafflixlist.txt", bytes);
    }

    // Wall-clock time at which the winner pick reads the given whole seconds;
    // half a second in, clear of the rounding of the day-number clock value.
    void setPickSeconds(qint64 seconds)
    {
        const QDateTime utc = QDateTime::fromSecsSinceEpoch(seconds + 8 * 3600, Qt::UTC);
        fakes.clock.time = QDateTime(utc.date(), utc.time().addMSecs(500));
    }

    DrawContext context()
    {
        return DrawContext{surface,       settings,      participants, results,
                           levelPrefixes, currentWinner, &options,     &status};
    }
    void click()
    {
        DrawContext c = context();
        runStartStop(c);
    }
    // A Start and a Stop click; returns the winner line recorded, if any.
    void startAndStop()
    {
        click();
        click();
    }
    QByteArray resultsFile() const { return dir.readFile("retotal.txt"); }
    // The draw timer's tick and one pass of the roll.
    void tick()
    {
        DrawContext c = context();
        rolling.tick(c);
    }
    void pass()
    {
        DrawContext c = context();
        rolling.pass(c);
    }

    ScopedWorkingDirectory dir;
    ScopedFakeServices fakes;
    FakeDrawSurface surface;
    DrawSettings settings;
    TextLineList participants;
    TextLineList results;
    TextLineList levelPrefixes;
    QByteArray currentWinner;
    RollingDisplay rolling;
    DrawOptions options; // one winner per Stop, no chosen level
    DrawStatus status;
};
