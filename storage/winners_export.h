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
// tabs into columns, and the time of the draw. The columns are named by the
// list's title row where it has one (column_titles_file.h); winners voided
// on the evening are kept apart from those who won.
namespace winners_export {

enum class Format { Xlsx, Csv };

struct Winner
{
    PrizeLevel level = PrizeLevel::Fifth;
    QByteArray participantLine; // GBK, as drawn
    QByteArray time;            // GBK, as shown in the results list
    bool voided = false;
    QByteArray voidedTime;     // GBK, as the drawing time; empty when not known
    QByteArray extraPrize;     // an extra prize's name instead of the level; empty: the level
    QByteArray extraPrizeText; // its prize, when the caller knows it
};

// The winner an on-screen results line (GBK) shows, when it starts with a
// level label or an extra prize's bracketed name.
std::optional<Winner> winnerFromResultsLine(const QByteArray& line);
// The winners among the lines; the heading and anything else is passed over.
std::vector<Winner> winnersFromResultsLines(const std::vector<QByteArray>& lines);

using PrizeText = std::function<QByteArray(PrizeLevel)>;

// The header row, then one row per winner not voided; the time stands in
// the same column in every row, after the widest participant line. The
// participant's columns take the titles (GBK, tabs between them) in order,
// and 中奖者, 信息2, 信息3 ... where there are none.
QList<QStringList> table(const std::vector<Winner>& winners, const PrizeText& prizeText,
                         const QByteArray& columnTitles = {});
// The voided winners: 序号, 奖项, the participant's columns, 抽中时间, 作废时间.
QList<QStringList> voidsTable(const std::vector<Winner>& winners,
                              const QByteArray& columnTitles = {});
// Every winner in drawing order; when any was voided, with 状态 (有效 or 作废)
// and 作废时间 after 时间, and a 序号 only for the winners kept, the one the
// workbook gives them.
QList<QStringList> csvTable(const std::vector<Winner>& winners, const PrizeText& prizeText,
                            const QByteArray& columnTitles = {});

struct Sheet
{
    QString name;
    QList<QStringList> rows;
};
// 中奖名单 with table(), and 作废记录 with voidsTable() when any was voided.
std::vector<Sheet> workbookSheets(const std::vector<Winner>& winners, const PrizeText& prizeText,
                                  const QByteArray& columnTitles = {});

// UTF-8 with a byte-order mark, so spreadsheets read the Chinese texts;
// fields quoted where needed, records ended by CR LF.
QByteArray csvBytes(const QList<QStringList>& table);
// A workbook with one sheet (中奖名单), or of the sheets; the numbers of the first column are
// written as numbers, everything else as text, so long digit strings keep every digit. Nothing when
// it cannot be made in the temporary folder, where libxlsxwriter builds it; `error` then holds the
// system's error number.
std::optional<QByteArray> xlsxBytes(const QList<QStringList>& table, int* error = nullptr);
std::optional<QByteArray> xlsxBytes(const std::vector<Sheet>& sheets, int* error = nullptr);

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
// A workbook of the sheets.
SaveResult save(const QString& path, const std::vector<Sheet>& sheets);

} // namespace winners_export
