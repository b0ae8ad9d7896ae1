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

// The operator chose another level or extra prize while the names roll: the
// roll turns to who may win it and the board to what the Stop will draw, as
// a Start would. False, with the notice, when nobody may win it; the roll
// then goes on as it was.
bool turnRollToChoice(DrawContext& context);
