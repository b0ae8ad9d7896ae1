#include "storage/list_file_reader.h"

#include "base/regular_file.h"
#include "base/system_reason.h"
#include "storage/binary_content.h"
#include "storage/csv_reader.h"
#include "storage/header_row.h"
#include "storage/text_file_decoding.h"
#include "storage/xlsx_reader.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace list_file_reader {

namespace {

ListFile withProblem(Problem problem, const QString& reason = {})
{
    ListFile file;
    file.problem = problem;
    file.reason = reason;
    return file;
}

QList<QStringList> textRows(const QString& text)
{
    QList<QStringList> rows;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    for (const QString& line : text.split(lineBreak))
        rows << line.split(u'\t');
    return rows;
}

bool isBlank(const QString& cell)
{
    for (const QChar character : cell)
        if (!character.isSpace())
            return false;
    return true;
}

} // namespace

QString participantLine(const QStringList& cells)
{
    static const QRegularExpression breaksAndTabs(QStringLiteral("[\r\n\t]+"));
    QStringList kept;
    for (const QString& cell : cells) {
        if (isBlank(cell))
            continue;
        const bool hasBreaks = cell.contains(u'\n') || cell.contains(u'\r') || cell.contains(u'\t');
        kept << (hasBreaks ? QString(cell).replace(breaksAndTabs, QStringLiteral(" ")) : cell);
    }
    return kept.join(u'\t');
}

ListFile fromRows(const QList<QStringList>& rows)
{
    ListFile file;
    QStringList firstCells;
    for (const QStringList& row : rows) {
        const QString line = participantLine(row);
        if (line.isEmpty())
            continue;
        if (file.lines.isEmpty())
            firstCells = row;
        file.lines << line;
    }
    if (file.lines.isEmpty())
        return withProblem(Problem::Empty);
    file.firstLineLooksLikeTitles = looksLikeColumnTitles(firstCells);
    return file;
}

ListFile fromBytes(const QByteArray& bytes, const QString& fileName)
{
    if (bytes.isEmpty())
        return withProblem(Problem::Empty);
    if (xlsx_reader::isCompoundDocument(bytes))
        return withProblem(Problem::Encrypted);
    if (xlsx_reader::isZipArchive(bytes)) {
        const xlsx_reader::Result workbook = xlsx_reader::read(bytes);
        if (workbook.status == xlsx_reader::Status::Encrypted)
            return withProblem(Problem::Encrypted);
        if (workbook.status != xlsx_reader::Status::Ok)
            return withProblem(Problem::NotReadable);
        return fromRows(workbook.rows);
    }
    // Named as a workbook but none (a PDF or a list renamed): refused as a
    // damaged workbook, never read as lines of text.
    if (fileName.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        return withProblem(Problem::NotReadable);
    const QString text = text_file_decoding::decode(bytes);
    BinaryContentCheck binary;
    binary.add(text);
    if (binary.isBinary())
        return withProblem(Problem::Binary);
    if (fileName.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return fromRows(csv_reader::parse(text));
    return fromRows(textRows(text));
}

ListFile read(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() && info.size() > kMaxFileBytes)
        return withProblem(Problem::NotReadable);
    // A pipe or a device would block the window, or never end: refused at
    // the open, so nothing put in the file's place meanwhile gets through.
    const regular_file::Content content = regular_file::readAll(path);
    if (!content.ok())
        return withProblem(Problem::CannotOpen, system_reason::text(content.error));
    if (content.bytes.size() > kMaxFileBytes)
        return withProblem(Problem::NotReadable);
    return fromBytes(content.bytes, info.fileName());
}

} // namespace list_file_reader
