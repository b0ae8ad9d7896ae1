#pragma once

// What the crash-consistency child writes and what the test expects of it;
// shared by both so the two cannot drift apart.

#include "base/gbk.h"
#include "base/line_splitting.h"
#include "base/working_files.h"
#include "draw/draw_context.h"
#include "storage/prize_level.h"
#include "storage/program_settings.h"
#include "storage/results_format.h"

#include <QDateTime>
#include <vector>

namespace crash_sets {

inline constexpr int kParticipants = 50;
inline constexpr int kFifthPrizeWinners = 40;

inline QByteArray participant(int index)
{
    return gbk::text("员工") + QByteArray::number(index).rightJustified(3, '0') +
           " 11010119900101" + QByteArray::number(1000 + index);
}

inline QByteArray participantFile()
{
    std::vector<QByteArray> lines;
    for (int i = 0; i < kParticipants; ++i)
        lines.push_back(participant(i));
    return joinLinesWithCrLf(lines);
}

// Forty fifth-prize winners, earlier winners allowed again, so the k-th
// winner is simply the participant the clock points at.
inline DrawSettings drawSettings()
{
    DrawSettings settings;
    settings.startMusicPath = ".\\01.wav";
    settings.stopMusicPath = ".\\02.wav";
    settings.countTexts = {"", "", "", "", "", QByteArray::number(kFifthPrizeWinners)};
    settings.repeatText = setting_names::yes();
    return settings;
}

// The clock of the stop that draws winner k (counting from 0): its whole
// seconds modulo the number of participants are k.
inline QDateTime pickTimeForWinner(qint64 k)
{
    const qint64 seconds = 1296000000 + k; // a multiple of 50, plus k
    const QDateTime utc = QDateTime::fromSecsSinceEpoch(seconds + 8 * 3600, Qt::UTC);
    return QDateTime(utc.date(), utc.time().addMSecs(500));
}

inline QByteArray expectedResultsLine(int k)
{
    return results_format::resultsLine(PrizeLevel::Fifth, participant(k));
}

struct SettingsWrite
{
    QByteArray section;
    QByteArray key;
    QByteArray value;
};

// The 18 keys set to a second set of values, then back to the defaults;
// after the last write the file is as after the first round of defaults.
inline std::vector<SettingsWrite> settingsWrites()
{
    std::vector<SettingsWrite> writes;
    int i = 0;
    for (const program_settings::SettingValue& setting : program_settings::defaultSettings())
        writes.push_back(
            {setting.section, setting.key, gbk::text("第二套") + QByteArray::number(i++)});
    for (const program_settings::SettingValue& setting : program_settings::defaultSettings())
        writes.push_back({setting.section, setting.key, setting.value});
    return writes;
}

// Two participant lists of different lengths, large enough that a kill
// often lands inside a write.
inline QByteArray participantList(int which)
{
    std::vector<QByteArray> lines;
    const int count = which == 0 ? 3000 : 2200;
    for (int i = 0; i < count; ++i)
        lines.push_back((which == 0 ? gbk::text("甲组") : gbk::text("乙组")) +
                        QByteArray::number(i) + " 110101199001011234");
    return joinLinesWithCrLf(lines);
}

} // namespace crash_sets
