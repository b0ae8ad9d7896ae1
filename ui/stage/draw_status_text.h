#pragma once

#include "draw/draw_status.h"

#include <QString>

// The line that tells the audience what is being drawn, e.g.
// "正在抽取：五等奖　奖品：保温杯　本次 10 名　剩余 45 名"; empty when idle.
namespace draw_status_text {

QString headline(const DrawStatus& status, const QByteArray& prizeText);
// "五等奖（剩余 45 名）", an entry of the level menu.
QString levelEntry(PrizeLevel level, qint64 openPlaces);

} // namespace draw_status_text
