#pragma once

#include "draw/draw_context.h"
#include "storage/prize_level.h"

#include <QByteArray>
#include <QString>

namespace draw_texts {
QByteArray startCaption(); // 开始抽奖
QByteArray stopCaption();  // 停止抽奖
QString participantFileMissing();
QString participantListEmpty();
QString totalIsZero();
QString tooFewParticipants();
QString allDrawn();
QByteArray allDrawnDisplay(); // 抽奖完毕！
// A level has open places but nobody who may still win is left.
QString noCandidates(PrizeLevel level, qint64 openPlaces);
QString noCandidates(const QByteArray& prizeName,
                     qint64 openPlaces); // a level's or an extra prize's
} // namespace draw_texts

// The Start/Stop command: reload and check, then start the roll or stop it
// and record one winner for the lowest open level.
void runStartStop(DrawContext& context);
