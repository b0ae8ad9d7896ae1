#pragma once

#include "storage/prize_level.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

// The winners as a table for spreadsheets: one row per winner in drawing
// order with its number, level, prize, the participant line split at its
// tabs into columns, and the time of the draw.
namespace winners_export {

enum class Format { Xlsx, Csv };

struct Winner
{
    PrizeLevel level = PrizeLevel::Fifth;
    QByteArray participantLine; // GBK, as drawn
    QByteArray time;            // GBK, as shown in the results list
};

// The winners among the on-screen results lines (GBK): every line that
// starts with a level label; the heading and anything else is passed over.
std::vector<Winner> winnersFromResultsLines(const std::vector<QByteArray>& lines);

// The header row, then one row per winner; the time stands in the same
// column in every row, after the widest participant line.
QList<QStringList> table(const std::vector<Winner>& winners,
                         const std::function<QByteArray(PrizeLevel)>& prizeText);

// UTF-8 with a byte-order mark, so spreadsheets read the Chinese texts;
// fields quoted where needed, records ended by CR LF.
QByteArray csvBytes(const QList<QStringList>& table);
// A workbook with one sheet; the numbers of the first column are written as
// numbers, everything else as text, so long digit strings keep every digit.
// Nothing when it cannot be made in the temporary folder, where
// libxlsxwriter builds it; `error` then holds the system's error number.
std::optional<QByteArray> xlsxBytes(const QList<QStringList>& table, int* error = nullptr);

// The format and final name of an export: a name ending in .xlsx or .csv
// keeps its type; any other name takes the type chosen in the dialog (the
// first, the workbook, when none is known) and its suffix.
struct Target
{
    QString path;
    Format format = Format::Xlsx;
};
Target target(const QString& chosenPath, int filterIndex);

// Why an export was not written.
struct SaveResult
{
    enum class Status { Ok, CannotMakeWorkbook, CannotWrite };
    Status status = Status::Ok;
    int error = 0;  // errno, or system_reason::kNotARegularFile
    QString reason; // the system's words for it, in Chinese

    bool ok() const { return status == Status::Ok; }
};

// Writes the file as a whole, every byte checked before it replaces an
// existing one, which a failure leaves as it was.
SaveResult save(const QString& path, Format format, const QList<QStringList>& table);

} // namespace winners_export
