#include "storage/xlsx_reader.h"

#include "storage/shared_string_table.h"
#include "storage/spreadsheet_number.h"
#include "storage/xml_scanner.h"
#include "storage/zip_archive_reader.h"

#include <QHash>
#include <QXmlStreamReader>

#include <algorithm>
#include <optional>

namespace xlsx_reader {

namespace {

// For each cell style, whether its number format shows a date.
QList<bool> dateStyles(const QByteArray& xmlBytes)
{
    QHash<int, bool> customIsDate;
    QList<bool> styles;
    bool inCellFormats = false;
    QXmlStreamReader xml(xmlBytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QXmlStreamAttributes attributes = xml.attributes();
            if (xml.name() == QLatin1String("numFmt")) {
                customIsDate.insert(attributes.value(QLatin1String("numFmtId")).toInt(),
                                    spreadsheet_number::isDateFormatCode(
                                        attributes.value(QLatin1String("formatCode")).toString()));
            } else if (xml.name() == QLatin1String("cellXfs")) {
                inCellFormats = true;
            } else if (inCellFormats && xml.name() == QLatin1String("xf")) {
                const int id = attributes.value(QLatin1String("numFmtId")).toInt();
                styles << customIsDate.value(id, spreadsheet_number::isBuiltInDateFormat(id));
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs")) {
            inCellFormats = false;
        }
    }
    return styles;
}

struct WorkbookFacts
{
    QString firstSheetPath;
    bool from1904 = false;
};

QString attributeByLocalName(const QXmlStreamAttributes& attributes, QLatin1String name)
{
    for (const QXmlStreamAttribute& attribute : attributes)
        if (attribute.name() == name)
            return attribute.value().toString();
    return {};
}

// The first sheet as the workbook lists it, through the workbook's
// relationships to its part; the usual name when those are missing.
WorkbookFacts workbookFacts(ZipArchiveReader& workbook)
{
    WorkbookFacts facts;
    QString firstSheetId;
    if (const std::optional<QByteArray> bytes =
            workbook.member(QStringLiteral("xl/workbook.xml"))) {
        QXmlStreamReader xml(*bytes);
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            const QXmlStreamAttributes attributes = xml.attributes();
            if (xml.name() == QLatin1String("workbookPr")) {
                const QString value = attributes.value(QLatin1String("date1904")).toString();
                facts.from1904 = value == QLatin1String("1") || value == QLatin1String("true");
            } else if (xml.name() == QLatin1String("sheet") && firstSheetId.isEmpty()) {
                firstSheetId = attributeByLocalName(attributes, QLatin1String("id"));
            }
        }
    }
    if (const std::optional<QByteArray> bytes =
            workbook.member(QStringLiteral("xl/_rels/workbook.xml.rels"))) {
        QXmlStreamReader xml(*bytes);
        while (!xml.atEnd() && !firstSheetId.isEmpty()) {
            xml.readNext();
            if (!xml.isStartElement() || xml.name() != QLatin1String("Relationship"))
                continue;
            const QXmlStreamAttributes attributes = xml.attributes();
            if (attributes.value(QLatin1String("Id")) != firstSheetId)
                continue;
            const QString target = attributes.value(QLatin1String("Target")).toString();
            facts.firstSheetPath =
                target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
            break;
        }
    }
    if (facts.firstSheetPath.isEmpty() || !workbook.has(facts.firstSheetPath))
        facts.firstSheetPath = QStringLiteral("xl/worksheets/sheet1.xml");
    return facts;
}

struct SheetContext
{
    const SharedStringTable& strings;
    const QList<bool>& dateStyles;
    bool from1904;
};

enum class CellType { Number, SharedString, Boolean, Text, Date };

CellType cellTypeOf(QByteArrayView type)
{
    if (type == "s")
        return CellType::SharedString;
    if (type == "b")
        return CellType::Boolean;
    if (type == "str" || type == "inlineStr" || type == "e")
        return CellType::Text;
    if (type == "d") // an ISO 8601 date written as such
        return CellType::Date;
    return CellType::Number;
}

// value.trimmed().toInt(), without the copies for the plain digits a
// shared string's index always is.
int indexValue(const QString& value, bool& ok)
{
    if (value.isEmpty() || value.size() > 9)
        return value.trimmed().toInt(&ok);
    int index = 0;
    for (const QChar character : value) {
        if (character < u'0' || character > u'9')
            return value.trimmed().toInt(&ok);
        index = index * 10 + (character.unicode() - u'0');
    }
    ok = true;
    return index;
}

// A cell's text as the spreadsheet shows it, appended to `out`; false when
// it is a shared string too long to keep.
bool appendCellText(CellType type, int style, const QString& value, const SheetContext& context,
                    QString& out)
{
    switch (type) {
    case CellType::SharedString: {
        bool ok = false;
        const int index = indexValue(value, ok);
        if (!ok || index < 0 || index >= context.strings.size())
            return true;
        if (context.strings.isTooLong(index))
            return false;
        out.append(context.strings.at(index));
        return true;
    }
    case CellType::Boolean:
        out.append(value.trimmed() == QLatin1String("1") ? QLatin1String("TRUE")
                                                         : QLatin1String("FALSE"));
        return true;
    case CellType::Text:
        out.append(value);
        return true;
    case CellType::Date:
        out.append(QStringView(value).left(10));
        return true;
    case CellType::Number:
        break;
    }
    if (style >= 0 && style < context.dateStyles.size() && context.dateStyles[style])
        out.append(spreadsheet_number::shownAsDate(value, context.from1904));
    else
        out.append(spreadsheet_number::shown(value));
    return true;
}

bool isBlank(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

enum class Outcome { Read, Damaged, Stopped };

// Each row into the sink as its end tag is read, numbered as the sheet
// numbers it. The row's cells and the value keep their strings from cell to
// cell and row to row: a million rows allocate for their shared strings'
// copies and their numbers, not for every tag.
Outcome sheetRows(XmlScanner& xml, const SheetContext& context, RowSink& sink)
{
    QStringList row;
    qsizetype cellsInRow = 0; // the first cells of `row` that are this row's
    qint64 rowNumber = 0;
    qsizetype rowCharacters = 0;
    bool inCell = false;
    bool inValue = false; // <v>, or <t> of an inline string
    int phoneticDepth = 0;
    CellType type = CellType::Number;
    int style = -1;
    QString value;
    QByteArray decoded;
    auto tooLong = [&] {
        sink.rowTooLong(std::max<qint64>(rowNumber, 1));
        return Outcome::Stopped;
    };
    auto endRow = [&] {
        if (cellsInRow == 0)
            return true;
        if (row.size() > cellsInRow)
            row.resize(cellsInRow);
        const bool go = sink.addRow(row, std::max<qint64>(rowNumber, 1));
        cellsInRow = 0;
        rowCharacters = 0;
        return go;
    };
    for (;;) {
        switch (xml.next()) {
        case XmlScanner::Token::StartElement:
            if (xml.nameIs("row")) {
                bool numbered = false;
                const qint64 number = xml.attributeView("r", decoded).toLongLong(&numbered);
                rowNumber = numbered && number > rowNumber ? number : rowNumber + 1;
            } else if (xml.nameIs("c")) {
                inCell = true;
                type = cellTypeOf(xml.attributeView("t", decoded));
                bool hasStyle = false;
                style = xml.attributeView("s", decoded).toInt(&hasStyle);
                if (!hasStyle)
                    style = -1;
                value.truncate(0);
            } else if (inCell && (xml.nameIs("v") || xml.nameIs("t"))) {
                inValue = true;
            } else if (xml.nameIs("rPh")) {
                ++phoneticDepth;
            }
            break;
        case XmlScanner::Token::EndElement:
            if (xml.nameIs("c") && inCell) {
                if (cellsInRow == row.size())
                    row.append(QString());
                QString& text = row[cellsInRow];
                text.truncate(0);
                if (!appendCellText(type, style, value, context, text))
                    return tooLong();
                if (!isBlank(text)) {
                    rowCharacters += text.size() + 1;
                    if (rowCharacters > sink.maxLineCharacters() + 1)
                        return tooLong();
                    ++cellsInRow;
                }
                inCell = false;
            } else if (xml.nameIs("v") || xml.nameIs("t")) {
                inValue = false;
            } else if (xml.nameIs("rPh")) {
                --phoneticDepth;
            } else if (xml.nameIs("row") && !endRow()) {
                return Outcome::Stopped;
            }
            break;
        case XmlScanner::Token::Text:
            if (inCell && inValue && phoneticDepth <= 0) {
                xml.appendText(value);
                if (value.size() > sink.maxLineCharacters())
                    return tooLong();
            }
            break;
        case XmlScanner::Token::End:
            // Cells outside any row element.
            return endRow() ? Outcome::Read : Outcome::Stopped;
        case XmlScanner::Token::Error:
            return Outcome::Damaged;
        }
    }
}

Status statusOf(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Read:
        return Status::Ok;
    case Outcome::Damaged:
        return Status::Damaged;
    case Outcome::Stopped:
        break;
    }
    return Status::Stopped;
}

// A part unpacked in pieces as the scan asks for them; a part that cannot
// be unpacked, or unpacks to more than the limit, decides over the scan.
template <typename Scan> Status scanPart(ZipArchiveReader& workbook, const QString& name, Scan scan)
{
    const ZipArchiveReader::Status opened = workbook.openMember(name);
    if (opened != ZipArchiveReader::Status::Ok)
        return opened == ZipArchiveReader::Status::TooLarge ? Status::TooLarge : Status::Damaged;
    XmlScanner xml([&workbook](char* buffer, qint64 capacity) {
        return workbook.readMember(buffer, capacity);
    });
    const Status scanned = scan(xml);
    switch (workbook.closeMember()) {
    case ZipArchiveReader::Status::Ok:
    case ZipArchiveReader::Status::Missing:
        return scanned;
    case ZipArchiveReader::Status::TooLarge:
        return Status::TooLarge;
    case ZipArchiveReader::Status::Damaged:
        break;
    }
    return scanned == Status::Stopped ? Status::Stopped : Status::Damaged;
}

} // namespace

bool isCompoundDocument(const QByteArray& bytes)
{
    return bytes.startsWith(QByteArrayLiteral("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"));
}

bool isZipArchive(const QByteArray& bytes)
{
    return bytes.startsWith(QByteArrayLiteral("PK\x03\x04"));
}

Status read(const QByteArray& workbookBytes, RowSink& sink)
{
    if (isCompoundDocument(workbookBytes))
        return Status::Encrypted;
    if (!isZipArchive(workbookBytes))
        return Status::NotAWorkbook;
    ZipArchiveReader workbook(workbookBytes);
    if (!workbook.isOpen())
        return Status::NotAWorkbook;
    const WorkbookFacts facts = workbookFacts(workbook);
    if (!workbook.has(facts.firstSheetPath))
        return Status::NotAWorkbook;
    SharedStringTable strings;
    if (workbook.has(QStringLiteral("xl/sharedStrings.xml"))) {
        const Status read =
            scanPart(workbook, QStringLiteral("xl/sharedStrings.xml"), [&](XmlScanner& xml) {
                switch (strings.read(xml, sink)) {
                case SharedStringTable::Outcome::Read:
                    return Status::Ok;
                case SharedStringTable::Outcome::Damaged:
                    return Status::Damaged;
                case SharedStringTable::Outcome::Stopped:
                    break;
                }
                return Status::Stopped;
            });
        if (read != Status::Ok)
            return read;
    }
    const QList<bool> styles =
        dateStyles(workbook.member(QStringLiteral("xl/styles.xml")).value_or(QByteArray()));
    const SheetContext context{strings, styles, facts.from1904};
    return scanPart(workbook, facts.firstSheetPath,
                    [&](XmlScanner& xml) { return statusOf(sheetRows(xml, context, sink)); });
}

Result read(const QByteArray& workbookBytes)
{
    RowCollector rows;
    Result result;
    result.status = read(workbookBytes, rows);
    if (result.status == Status::Ok)
        result.rows = std::move(rows.rows);
    return result;
}

Result readParts(const QByteArray& sheetXml, const QByteArray& sharedStringsXml,
                 const QByteArray& stylesXml, bool datesFrom1904)
{
    Result result;
    RowCollector rows;
    SharedStringTable strings;
    XmlScanner stringsXml(sharedStringsXml);
    if (strings.read(stringsXml, rows) != SharedStringTable::Outcome::Read) {
        result.status = Status::Damaged;
        return result;
    }
    const QList<bool> styles = dateStyles(stylesXml);
    XmlScanner xml(sheetXml);
    result.status = statusOf(sheetRows(xml, SheetContext{strings, styles, datesFrom1904}, rows));
    if (result.status == Status::Ok)
        result.rows = std::move(rows.rows);
    return result;
}

} // namespace xlsx_reader
