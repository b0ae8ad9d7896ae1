#pragma once

#include "verify/record_check.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <array>
#include <vector>

// The report a notary or a witness signs: the draw as its record tells it,
// every winner with the numbers that pick it, as a PDF.
namespace draw_report {

struct Prize
{
    QByteArray name;  // GBK: a level's or an extra prize's
    QByteArray count; // as the settings hold it
    QByteArray prize;
};

struct Event
{
    QByteArray title; // GBK, the settings' 抽奖标题
    std::vector<Prize> prizes;
    QDateTime madeAt;
};

// The event as the working folder's settings and extra prizes hold it.
Event eventOfWorkingFolder(const QDateTime& madeAt);

// Writes the PDF of a verified record through the checked atomic write;
// throws AppError (Chinese, with the reason) when it cannot be written.
void write(const QString& pdfPath, const record_check::Result& record, const Event& event);

// "作废" or the history line's event, in words for the report; empty for
// lines the report passes over.
QString eventText(const QByteArray& historyLine);

} // namespace draw_report
