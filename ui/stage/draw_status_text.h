#pragma once

#include "draw/draw_status.h"

#include <QString>
#include <QStringList>

// The line that tells the audience what is being drawn, e.g.
// "正在抽取：五等奖　奖品：保温杯　本次 10 名　剩余 45 名"; empty when idle.
namespace draw_status_text {

// Between the parts of the line.
inline const QString kGap = QStringLiteral("　");

// The line in the parts it may be broken between; prize: the index of the
// prize part, -1 without one.
struct HeadlineParts
{
    QStringList parts;
    int prize = -1;
};

HeadlineParts headlineParts(const DrawStatus& status, const QByteArray& prizeText);
// The parts on one line.
QString headline(const DrawStatus& status, const QByteArray& prizeText);
// "五等奖（剩余 45 名）", an entry of the level menu.
QString levelEntry(PrizeLevel level, qint64 openPlaces);
QString prizeEntry(const QByteArray& name, qint64 openPlaces); // an extra prize's, alike

} // namespace draw_status_text
