#include "storage/list_file_reader.h"

#include "base/regular_file.h"
#include "base/system_reason.h"
#include "storage/binary_content.h"
#include "storage/csv_reader.h"
#include "storage/list_builder.h"
#include "storage/text_file_decoding.h"
#include "storage/text_rows.h"
#include "storage/xlsx_reader.h"
#include "storage/zip_archive_reader.h"

#include <QFileInfo>

#include <optional>

namespace list_file_reader {

namespace {

ListFile withProblem(Problem problem, qint64 limit = 0)
{
    ListFile file;
    file.problem = problem;
    file.limit = limit;
    return file;
}

// The lines the builder made, or why reading stopped.
ListFile finished(ListBuilder& builder)
{
    switch (builder.stop()) {
    case ListBuilder::Stop::RowTooLong: {
        ListFile file = withProblem(Problem::RowTooLong, ListBuilder::kMaxLineCharacters);
        file.row = builder.stopRow();
        return file;
    }
    case ListBuilder::Stop::TooMuchText:
        return withProblem(Problem::ListTooLarge, builder.passedLimit());
    case ListBuilder::Stop::Cancelled:
        return withProblem(Problem::Cancelled);
    case ListBuilder::Stop::None:
        break;
    }
    ListFile file;
    file.firstLineLooksLikeTitles = builder.firstLineLooksLikeTitles();
    file.lines = builder.takeLines();
    file.linesHandedOver = builder.linesHandedOver();
    if (file.lines.isEmpty() && file.linesHandedOver == 0)
        return withProblem(Problem::Empty);
    return file;
}

ListFile workbookList(const QByteArray& bytes, ListBuilder& builder)
{
    switch (xlsx_reader::read(bytes, builder)) {
    case xlsx_reader::Status::Ok:
    case xlsx_reader::Status::Stopped:
        return finished(builder);
    case xlsx_reader::Status::Encrypted:
        return withProblem(Problem::Encrypted);
    case xlsx_reader::Status::TooLarge:
        return withProblem(Problem::UnpackedTooLarge, ZipArchiveReader::kMaxMemberBytes);
    case xlsx_reader::Status::NotAWorkbook:
    case xlsx_reader::Status::Damaged:
        break;
    }
    return withProblem(Problem::NotReadable);
}

ListFile textList(const QByteArray& bytes, bool csv, ListBuilder& builder)
{
    BinaryContentCheck binary;
    std::optional<csv_reader::Parser> csvRows;
    TextRowParser textRows(builder);
    text_file_decoding::decodeInPieces(bytes, [&](QStringView piece) {
        binary.add(piece);
        if (binary.hasZeroCharacter())
            return false;
        if (!csv)
            return textRows.feed(piece);
        // The separator from the first record, which the first piece holds
        // unless it is far too long anyway.
        if (!csvRows)
            csvRows.emplace(csv_reader::detectSeparator(piece), builder);
        return csvRows->feed(piece);
    });
    // Binary content is what a binary file ends a row with: it decides.
    if (binary.isBinary())
        return withProblem(Problem::Binary);
    if (csvRows)
        csvRows->finish();
    else if (!csv)
        textRows.finish();
    return finished(builder);
}

} // namespace

qint64 maxReadingBytes(qint64 fileBytes)
{
    return 160LL * 1024 * 1024 + 2 * fileBytes;
}

qint64 maxFieldBytes(qint64 fileBytes)
{
    return 160LL * 1024 * 1024 + 3 * fileBytes;
}

ListFile fromRows(const QList<QStringList>& rows)
{
    ListBuilder builder;
    qint64 row = 0;
    for (const QStringList& cells : rows)
        builder.addRow(cells, ++row);
    return finished(builder);
}

ListFile fromBytes(const QByteArray& bytes, const QString& fileName)
{
    return fromBytes(bytes, fileName, {});
}

ListFile fromBytes(const QByteArray& bytes, const QString& fileName,
                   const ListBuilder::BlockHandOff& handOff)
{
    if (bytes.isEmpty())
        return withProblem(Problem::Empty);
    ListBuilder builder(maxReadingBytes(bytes.size()), maxFieldBytes(bytes.size()));
    if (xlsx_reader::isCompoundDocument(bytes))
        return withProblem(Problem::Encrypted);
    // A workbook's string table is held until its last row: with a field
    // filling meanwhile, the two would pass the import's memory limit.
    if (xlsx_reader::isZipArchive(bytes))
        return workbookList(bytes, builder);
    builder.setBlockHandOff(handOff);
    // Named as a workbook but none (a PDF or a list renamed): refused as a
    // damaged workbook, never read as lines of text.
    if (fileName.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        return withProblem(Problem::NotReadable);
    return textList(bytes, fileName.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive), builder);
}

ListFile read(const QString& path)
{
    return read(path, {});
}

ListFile read(const QString& path, const ListBuilder::BlockHandOff& handOff)
{
    const QFileInfo info(path);
    if (info.exists() && info.size() > kMaxFileBytes)
        return withProblem(Problem::FileTooLarge, kMaxFileBytes);
    // A pipe or a device would block the window, or never end: refused at
    // the open, so nothing put in the file's place meanwhile gets through.
    const regular_file::Content content = regular_file::readAll(path);
    if (!content.ok()) {
        ListFile file = withProblem(Problem::CannotOpen);
        file.reason = system_reason::text(content.error);
        return file;
    }
    if (content.bytes.size() > kMaxFileBytes)
        return withProblem(Problem::FileTooLarge, kMaxFileBytes);
    return fromBytes(content.bytes, info.fileName(), handOff);
}

} // namespace list_file_reader
