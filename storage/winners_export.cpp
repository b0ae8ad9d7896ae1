#include "storage/winners_export.h"

#include "base/atomic_file.h"
#include "base/gbk.h"
#include "base/regular_file.h"
#include "base/system_reason.h"

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
std::optional<QByteArray> writeWorkbook(const QList<QStringList>& table,
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
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "中奖名单");
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);

    for (qsizetype row = 0; row < table.size(); ++row) {
        const QStringList& cells = table[row];
        for (qsizetype column = 0; column < cells.size(); ++column) {
            const auto r = static_cast<lxw_row_t>(row);
            const auto c = static_cast<lxw_col_t>(column);
            bool isNumber = false;
            const int number = cells[column].toInt(&isNumber);
            if (row > 0 && column == 0 && isNumber)
                worksheet_write_number(sheet, r, c, number, nullptr);
            else if (!cells[column].isEmpty())
                worksheet_write_string(sheet, r, c, cells[column].toUtf8().constData(),
                                       row == 0 ? bold : nullptr);
        }
    }
    const int columns = table.isEmpty() ? 0 : static_cast<int>(table.front().size());
    if (columns > 0)
        worksheet_set_column(sheet, 0, static_cast<lxw_col_t>(columns - 1), 16, nullptr);

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

} // namespace

std::vector<Winner> winnersFromResultsLines(const std::vector<QByteArray>& lines)
{
    std::vector<Winner> winners;
    for (const QByteArray& line : lines) {
        for (PrizeLevel level : kAllPrizeLevels) {
            const QByteArray label = levelLabel(level);
            if (!line.startsWith(label))
                continue;
            Winner winner;
            winner.level = level;
            // The last separator: a participant line may hold the same text.
            const qsizetype at = line.lastIndexOf(timeSeparator());
            if (at >= label.size()) {
                winner.participantLine = line.mid(label.size(), at - label.size());
                winner.time = line.mid(at + timeSeparator().size());
            } else {
                winner.participantLine = line.mid(label.size());
            }
            winners.push_back(winner);
            break;
        }
    }
    return winners;
}

QList<QStringList> table(const std::vector<Winner>& winners,
                         const std::function<QByteArray(PrizeLevel)>& prizeText)
{
    std::vector<QStringList> participantColumns;
    qsizetype widest = 1;
    for (const Winner& winner : winners) {
        participantColumns.push_back(gbk::decode(winner.participantLine).split(u'\t'));
        widest = std::max(widest, participantColumns.back().size());
    }

    QStringList header = {QStringLiteral("序号"), QStringLiteral("奖项"), QStringLiteral("奖品"),
                          QStringLiteral("中奖者")};
    for (qsizetype column = 2; column <= widest; ++column)
        header << QStringLiteral("信息%1").arg(column);
    header << QStringLiteral("时间");

    QList<QStringList> rows = {header};
    for (size_t i = 0; i < winners.size(); ++i) {
        const Winner& winner = winners[i];
        QStringList row = {QString::number(i + 1), gbk::decode(levelName(winner.level)),
                           gbk::decode(prizeText(winner.level))};
        QStringList columns = participantColumns[i];
        while (columns.size() < widest)
            columns << QString();
        row << columns << gbk::decode(winner.time);
        rows << row;
    }
    return rows;
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

std::optional<QByteArray> xlsxBytes(const QList<QStringList>& table, int* error)
{
    int failure = 0;
    std::optional<QByteArray> bytes;
    errno = 0;
    const QTemporaryDir folder;
    if (folder.isValid())
        bytes = writeWorkbook(table, folder, failure);
    else
        failure = lastError();
    if (error)
        *error = failure;
    return bytes;
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
    SaveResult result;
    std::optional<QByteArray> bytes;
    if (format == Format::Xlsx) {
        bytes = xlsxBytes(table, &result.error);
        if (!bytes)
            result.status = SaveResult::Status::CannotMakeWorkbook;
    } else {
        bytes = csvBytes(table);
    }
    if (bytes) {
        const AtomicWriteResult written = writeFileAtomically(path, *bytes);
        if (!written.ok()) {
            result.status = SaveResult::Status::CannotWrite;
            result.error = written.error;
        }
    }
    if (!result.ok())
        result.reason = system_reason::text(result.error);
    return result;
}

} // namespace winners_export
