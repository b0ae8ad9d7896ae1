#include "storage/xlsx_reader.h"

#include "storage/spreadsheet_number.h"
#include "storage/xml_scanner.h"
#include "storage/zip_archive_reader.h"

#include <QHash>
#include <QXmlStreamReader>

#include <optional>

namespace xlsx_reader {

namespace {

std::optional<QStringList> sharedStrings(const QByteArray& xmlBytes)
{
    QStringList strings;
    QString current;
    bool inText = false;
    int phoneticDepth = 0; // inside a phonetic guide (rPh), which is not shown
    XmlScanner xml(xmlBytes);
    for (;;) {
        switch (xml.next()) {
        case XmlScanner::Token::StartElement:
            if (xml.name() == "si")
                current.clear();
            else if (xml.name() == "t")
                inText = true;
            else if (xml.name() == "rPh")
                ++phoneticDepth;
            break;
        case XmlScanner::Token::EndElement:
            if (xml.name() == "si")
                strings << current;
            else if (xml.name() == "t")
                inText = false;
            else if (xml.name() == "rPh")
                --phoneticDepth;
            break;
        case XmlScanner::Token::Text:
            if (inText && phoneticDepth <= 0)
                current += xml.text();
            break;
        case XmlScanner::Token::End:
            return strings;
        case XmlScanner::Token::Error:
            return std::nullopt;
        }
    }
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
    bool inCell = false;
    bool inValue = false; // <v>, or <t> of an inline string
    int phoneticDepth = 0;
    QString type;
    int style = -1;
    QString value;
    XmlScanner xml(xmlBytes);
    for (;;) {
        switch (xml.next()) {
        case XmlScanner::Token::StartElement:
            if (xml.name() == "c") {
                inCell = true;
                type = QString::fromLatin1(xml.attribute("t"));
                bool hasStyle = false;
                style = xml.attribute("s").toInt(&hasStyle);
                if (!hasStyle)
                    style = -1;
                value.clear();
            } else if (inCell && (xml.name() == "v" || xml.name() == "t")) {
                inValue = true;
            } else if (xml.name() == "rPh") {
                ++phoneticDepth;
            }
            break;
        case XmlScanner::Token::EndElement:
            if (xml.name() == "c" && inCell) {
                const QString text = cellText(type, style, value, context);
                if (!text.trimmed().isEmpty())
                    row << text;
                inCell = false;
            } else if (xml.name() == "v" || xml.name() == "t") {
                inValue = false;
            } else if (xml.name() == "rPh") {
                --phoneticDepth;
            } else if (xml.name() == "row") {
                if (!row.isEmpty())
                    rows << row;
                row.clear();
            }
            break;
        case XmlScanner::Token::Text:
            if (inCell && inValue && phoneticDepth <= 0)
                value += xml.text();
            break;
        case XmlScanner::Token::End:
            if (!row.isEmpty()) // cells outside any row element
                rows << row;
            return rows;
        case XmlScanner::Token::Error:
            return std::nullopt;
        }
    }
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
    std::optional<QByteArray> strings;
    if (workbook.has(QStringLiteral("xl/sharedStrings.xml"))) {
        strings = workbook.member(QStringLiteral("xl/sharedStrings.xml"));
        if (!strings) {
            result.status = Status::Damaged;
            return result;
        }
    }
    const std::optional<QByteArray> styles = workbook.member(QStringLiteral("xl/styles.xml"));
    const std::optional<QByteArray> sheet = workbook.member(facts.firstSheetPath);
    if (!sheet) {
        result.status = Status::Damaged;
        return result;
    }
    return readParts(*sheet, strings.value_or(QByteArray()), styles.value_or(QByteArray()),
                     facts.from1904);
}

Result readParts(const QByteArray& sheetXml, const QByteArray& sharedStringsXml,
                 const QByteArray& stylesXml, bool datesFrom1904)
{
    Result result;
    const std::optional<QStringList> strings = sharedStrings(sharedStringsXml);
    const QList<bool> styles = dateStyles(stylesXml);
    const std::optional<QList<QStringList>> rows =
        strings ? sheetRows(sheetXml, SheetContext{*strings, styles, datesFrom1904}) : std::nullopt;
    if (!rows) {
        result.status = Status::Damaged;
        return result;
    }
    result.rows = *rows;
    return result;
}

} // namespace xlsx_reader
