#include "storage/xlsx_reader.h"

#include "storage/spreadsheet_number.h"
#include "storage/zip_archive_reader.h"

#include <QHash>
#include <QXmlStreamReader>

#include <optional>

namespace xlsx_reader {

namespace {

// The text of the element the reader stands on, its runs joined and its
// phonetic guides (rPh) left out.
QString elementText(QXmlStreamReader& xml)
{
    QString text;
    int depth = 1;
    int phoneticDepth = 0;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (xml.name() == QLatin1String("rPh") && phoneticDepth == 0)
                phoneticDepth = depth;
            break;
        case QXmlStreamReader::EndElement:
            if (depth == phoneticDepth)
                phoneticDepth = 0;
            --depth;
            break;
        case QXmlStreamReader::Characters:
            if (phoneticDepth == 0)
                text += xml.text();
            break;
        default:
            break;
        }
    }
    return text;
}

// Only the text of <t> elements counts, not the spaces between elements.
QString stringItemText(QXmlStreamReader& xml)
{
    QString text;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("rPh"))
                xml.skipCurrentElement();
            else if (xml.name() == QLatin1String("t"))
                text += elementText(xml);
            else
                ++depth;
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    return text;
}

std::optional<QStringList> sharedStrings(const QByteArray& xmlBytes)
{
    QStringList strings;
    QXmlStreamReader xml(xmlBytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si"))
            strings << stringItemText(xml);
    }
    if (xml.hasError())
        return std::nullopt;
    return strings;
}

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
    const QStringList& strings;
    const QList<bool>& dateStyles;
    bool from1904;
};

QString cellText(const QString& type, int style, const QString& value, const SheetContext& context)
{
    if (type == QLatin1String("s")) {
        bool ok = false;
        const int index = value.trimmed().toInt(&ok);
        return ok && index >= 0 && index < context.strings.size() ? context.strings[index]
                                                                  : QString();
    }
    if (type == QLatin1String("b"))
        return value.trimmed() == QLatin1String("1") ? QStringLiteral("TRUE")
                                                     : QStringLiteral("FALSE");
    if (type == QLatin1String("str") || type == QLatin1String("inlineStr") ||
        type == QLatin1String("e"))
        return value;
    if (type == QLatin1String("d")) // an ISO 8601 date written as such
        return value.left(10);
    if (style >= 0 && style < context.dateStyles.size() && context.dateStyles[style])
        return spreadsheet_number::shownAsDate(value, context.from1904);
    return spreadsheet_number::shown(value);
}

std::optional<QList<QStringList>> sheetRows(const QByteArray& xmlBytes, const SheetContext& context)
{
    QList<QStringList> rows;
    QStringList row;
    QXmlStreamReader xml(xmlBytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("row")) {
            if (!row.isEmpty())
                rows << row;
            row.clear();
            continue;
        }
        if (!xml.isStartElement() || xml.name() != QLatin1String("c"))
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const QString type = attributes.value(QLatin1String("t")).toString();
        bool hasStyle = false;
        const int style = attributes.value(QLatin1String("s")).toInt(&hasStyle);
        QString value;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("v"))
                value = elementText(xml);
            else if (xml.name() == QLatin1String("is"))
                value = stringItemText(xml);
            else
                xml.skipCurrentElement();
        }
        const QString text = cellText(type, hasStyle ? style : -1, value, context);
        if (!text.trimmed().isEmpty())
            row << text;
    }
    if (xml.hasError())
        return std::nullopt;
    if (!row.isEmpty()) // cells outside any row element
        rows << row;
    return rows;
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

Result read(const QByteArray& workbookBytes)
{
    Result result;
    if (isCompoundDocument(workbookBytes)) {
        result.status = Status::Encrypted;
        return result;
    }
    if (!isZipArchive(workbookBytes)) {
        result.status = Status::NotAWorkbook;
        return result;
    }
    ZipArchiveReader workbook(workbookBytes);
    if (!workbook.isOpen()) {
        result.status = Status::NotAWorkbook;
        return result;
    }
    const WorkbookFacts facts = workbookFacts(workbook);
    if (!workbook.has(facts.firstSheetPath)) {
        result.status = Status::NotAWorkbook;
        return result;
    }
    QStringList strings;
    if (workbook.has(QStringLiteral("xl/sharedStrings.xml"))) {
        const std::optional<QByteArray> part =
            workbook.member(QStringLiteral("xl/sharedStrings.xml"));
        const std::optional<QStringList> parsed = part ? sharedStrings(*part) : std::nullopt;
        if (!parsed) {
            result.status = Status::Damaged;
            return result;
        }
        strings = *parsed;
    }
    QList<bool> styles;
    if (const std::optional<QByteArray> part = workbook.member(QStringLiteral("xl/styles.xml")))
        styles = dateStyles(*part);

    const std::optional<QByteArray> sheet = workbook.member(facts.firstSheetPath);
    const std::optional<QList<QStringList>> rows =
        sheet ? sheetRows(*sheet, SheetContext{strings, styles, facts.from1904}) : std::nullopt;
    if (!rows) {
        result.status = Status::Damaged;
        return result;
    }
    result.rows = *rows;
    return result;
}

} // namespace xlsx_reader
