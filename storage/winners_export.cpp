#include "storage/winners_export.h"

#include "base/atomic_file.h"
#include "base/gbk.h"
#include "base/regular_file.h"
#include "base/system_reason.h"
#include "storage/results_format.h"

#include <QDir>
#include <QTemporaryDir>
#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>

namespace winners_export {

namespace {

const QByteArray& timeSeparator()
{
    static const QByteArray separator = gbk::text(" 时间：");
    return separator;
}

QString csvField(const QString& field)
{
    // A field that begins with U+FEFF is quoted too: first in the file, a
    // reader would take it for the byte-order mark and drop it.
    if (!field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n') &&
        !field.contains(u'\r') && !field.contains(u';') && !field.startsWith(QChar(0xFEFF)))
        return field;
    QString quoted = field;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

// The error number of a failure that may not have set one.
int lastError()
{
    return errno != 0 ? errno : EIO;
}

// libxlsxwriter keeps a workbook's rows in a file of its own until it is
// closed; the folder holds that and the finished workbook.
void writeSheet(lxw_workbook* workbook, const Sheet& sheet, lxw_format* bold)
{
    lxw_worksheet* worksheet = workbook_add_worksheet(workbook, sheet.name.toUtf8().constData());
    const QList<QStringList>& table = sheet.rows;
    for (qsizetype row = 0; row < table.size(); ++row) {
        const QStringList& cells = table[row];
        for (qsizetype column = 0; column < cells.size(); ++column) {
            const auto r = static_cast<lxw_row_t>(row);
            const auto c = static_cast<lxw_col_t>(column);
            bool isNumber = false;
            const int number = cells[column].toInt(&isNumber);
            if (row > 0 && column == 0 && isNumber)
                worksheet_write_number(worksheet, r, c, number, nullptr);
            else if (!cells[column].isEmpty())
                worksheet_write_string(worksheet, r, c, cells[column].toUtf8().constData(),
                                       row == 0 ? bold : nullptr);
        }
    }
    const int columns = table.isEmpty() ? 0 : static_cast<int>(table.front().size());
    if (columns > 0)
        worksheet_set_column(worksheet, 0, static_cast<lxw_col_t>(columns - 1), 16, nullptr);
}

// libxlsxwriter keeps a workbook's rows in a file of its own until it is
// closed; the folder holds that and the finished workbook.
std::optional<QByteArray> writeWorkbook(const std::vector<Sheet>& sheets,
                                        const QTemporaryDir& folder, int& error)
{
    const QByteArray path =
        QDir(folder.path()).filePath(QStringLiteral("winners.xlsx")).toLocal8Bit();
    const QByteArray scratch = folder.path().toLocal8Bit();
    lxw_workbook_options options{};
    options.tmpdir = const_cast<char*>(scratch.constData());
    errno = 0;
    lxw_workbook* workbook = workbook_new_opt(path.constData(), &options);
    if (!workbook) {
        error = lastError();
        return std::nullopt;
    }
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    for (const Sheet& sheet : sheets)
        writeSheet(workbook, sheet, bold);

    errno = 0;
    if (workbook_close(workbook) != LXW_NO_ERROR) {
        error = lastError();
        return std::nullopt;
    }
    const regular_file::Content content = regular_file::readAll(QString::fromLocal8Bit(path));
    if (!content.ok()) {
        error = content.error;
        return std::nullopt;
    }
    return content.bytes;
}

SaveResult written(const QString& path, const std::optional<QByteArray>& bytes, int workbookError)
{
    SaveResult result;
    if (!bytes) {
        result.status = SaveResult::Status::CannotMakeWorkbook;
        result.error = workbookError;
    } else {
        const AtomicWriteResult write = writeFileAtomically(path, *bytes);
        if (!write.ok()) {
            result.status = SaveResult::Status::CannotWrite;
            result.error = write.error;
        }
    }
    if (!result.ok())
        result.reason = system_reason::text(result.error);
    return result;
}

} // namespace

namespace {

Winner winnerAfterLabel(const QByteArray& line, qsizetype labelBytes)
{
    Winner winner;
    // The last separator: a participant line may hold the same text.
    const qsizetype at = line.lastIndexOf(timeSeparator());
    if (at >= labelBytes) {
        winner.participantLine = line.mid(labelBytes, at - labelBytes);
        winner.time = line.mid(at + timeSeparator().size());
    } else {
        winner.participantLine = line.mid(labelBytes);
    }
    return winner;
}

} // namespace

std::optional<Winner> winnerFromResultsLine(const QByteArray& line)
{
    for (PrizeLevel level : kAllPrizeLevels) {
        const QByteArray label = levelLabel(level);
        if (!line.startsWith(label))
            continue;
        Winner winner = winnerAfterLabel(line, label.size());
        winner.level = level;
        return winner;
    }
    const QByteArray extraPrize = results_format::extraPrizeName(line);
    if (extraPrize.isEmpty())
        return std::nullopt;
    Winner winner = winnerAfterLabel(line, results_format::labelBytes(line));
    winner.extraPrize = extraPrize;
    return winner;
}

std::vector<Winner> winnersFromResultsLines(const std::vector<QByteArray>& lines)
{
    std::vector<Winner> winners;
    for (const QByteArray& line : lines)
        if (std::optional<Winner> winner = winnerFromResultsLine(line))
            winners.push_back(std::move(*winner));
    return winners;
}

QByteArray csvBytes(const QList<QStringList>& table)
{
    QString text;
    for (const QStringList& row : table) {
        QStringList fields;
        for (const QString& field : row)
            fields << csvField(field);
        text += fields.join(u',') + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

std::optional<QByteArray> xlsxBytes(const std::vector<Sheet>& sheets, int* error)
{
    int failure = 0;
    std::optional<QByteArray> bytes;
    errno = 0;
    const QTemporaryDir folder;
    if (folder.isValid())
        bytes = writeWorkbook(sheets, folder, failure);
    else
        failure = lastError();
    if (error)
        *error = failure;
    return bytes;
}

std::optional<QByteArray> xlsxBytes(const QList<QStringList>& table, int* error)
{
    return xlsxBytes({Sheet{QStringLiteral("中奖名单"), table}}, error);
}

Target target(const QString& chosenPath, int filterIndex)
{
    if (chosenPath.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return {chosenPath, Format::Csv};
    if (chosenPath.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        return {chosenPath, Format::Xlsx};
    if (filterIndex == 1)
        return {chosenPath + QStringLiteral(".csv"), Format::Csv};
    return {chosenPath + QStringLiteral(".xlsx"), Format::Xlsx};
}

SaveResult save(const QString& path, Format format, const QList<QStringList>& table)
{
    if (format == Format::Csv)
        return written(path, csvBytes(table), 0);
    int error = 0;
    const std::optional<QByteArray> bytes = xlsxBytes(table, &error);
    return written(path, bytes, error);
}

SaveResult save(const QString& path, const std::vector<Sheet>& sheets)
{
    int error = 0;
    const std::optional<QByteArray> bytes = xlsxBytes(sheets, &error);
    return written(path, bytes, error);
}

} // namespace winners_export
