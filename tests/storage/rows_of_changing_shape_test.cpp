// Readers reuse a row's strings from row to row; random rows that grow and
// shrink, with blank cells, breaks, tabs and quotes, must still come out as
// a plain model of the rows says.

#include "storage/csv_reader.h"
#include "storage/list_builder.h"
#include "storage/xlsx_reader.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using Rows = QList<QStringList>;

Rows randomRows(QRandomGenerator& random, const QStringList& pieces)
{
    Rows rows;
    for (int r = 0, count = random.bounded(1, 12); r < count; ++r) {
        QStringList row;
        for (int c = 0, cells = random.bounded(1, 6); c < cells; ++c) {
            QString cell;
            for (int p = 0, length = random.bounded(0, 4); p < length; ++p)
                cell += pieces[random.bounded(static_cast<int>(pieces.size()))];
            row << cell;
        }
        rows << row;
    }
    return rows;
}

QString csvText(const Rows& rows)
{
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& cell : row)
            fields << u'"' + QString(cell).replace(u'"', QStringLiteral("\"\"")) + u'"';
        text += fields.join(u',') + QStringLiteral("\r\n");
    }
    return text;
}

QStringList modelLines(const Rows& rows)
{
    static const QRegularExpression breaksAndTabs(QStringLiteral("[\r\n\t]+"));
    QStringList lines;
    for (const QStringList& row : rows) {
        QStringList kept;
        for (const QString& cell : row)
            if (!cell.trimmed().isEmpty())
                kept << QString(cell).replace(breaksAndTabs, QStringLiteral(" "));
        if (!kept.isEmpty())
            lines << kept.join(u'\t');
    }
    return lines;
}

TEST(RowsOfChangingShape, CsvRowsAndTheirLinesFollowTheModel)
{
    QRandomGenerator random(26);
    const QStringList pieces{"a", "张", " ", ",", "\"", "\r\n", "\n", "\t", "Bb"};
    for (int round = 0; round < 300; ++round) {
        const Rows rows = randomRows(random, pieces);
        const QString text = csvText(rows);
        ASSERT_EQ(csv_reader::parse(text, u','), rows) << text.toStdString();

        ListBuilder builder;
        csv_reader::Parser parser(u',', builder);
        ASSERT_TRUE(parser.feed(text) && parser.finish());
        EXPECT_EQ(builder.takeLines().toList(), modelLines(rows)) << text.toStdString();
    }
}

TEST(RowsOfChangingShape, WorkbookRowsKeepTheirNonBlankCells)
{
    QRandomGenerator random(62);
    const QStringList pieces{"a", "张", " ", "&", "<", "7"};
    for (int round = 0; round < 200; ++round) {
        const Rows rows = randomRows(random, pieces);
        // Cells by turns inline, shared and, when they are digits, numbers;
        // the type once written with a character reference.
        QString sheet = QStringLiteral("<worksheet><sheetData>");
        QString strings = QStringLiteral("<sst>");
        int shared = 0;
        Rows expected;
        for (qsizetype r = 0; r < rows.size(); ++r) {
            sheet += QStringLiteral("<row r=\"%1\">").arg(r + 1);
            QStringList kept;
            for (qsizetype c = 0; c < rows[r].size(); ++c) {
                const QString& cell = rows[r][c];
                static const QRegularExpression digits(QStringLiteral("^[1-9]7*$"));
                if (digits.match(cell).hasMatch())
                    sheet += QStringLiteral("<c s=\"0\"><v>%1</v></c>").arg(cell);
                else if ((r + c) % 2 == 0)
                    sheet += QStringLiteral("<c t=\"inlineStr\"><is><t>%1</t></is></c>")
                                 .arg(cell.toHtmlEscaped());
                else {
                    sheet += QStringLiteral("<c t=\"%1\"><v>%2</v></c>")
                                 .arg(c % 3 == 0 ? "&#115;" : "s")
                                 .arg(shared++);
                    strings += QStringLiteral("<si><t>%1</t></si>").arg(cell.toHtmlEscaped());
                }
                if (!cell.trimmed().isEmpty())
                    kept << cell;
            }
            sheet += QStringLiteral("</row>");
            if (!kept.isEmpty())
                expected << kept;
        }
        sheet += QStringLiteral("</sheetData></worksheet>");
        strings += QStringLiteral("</sst>");
        const xlsx_reader::Result result =
            xlsx_reader::readParts(sheet.toUtf8(), strings.toUtf8(), QByteArray(), false);
        ASSERT_EQ(result.status, xlsx_reader::Status::Ok) << sheet.toStdString();
        EXPECT_EQ(result.rows, expected) << sheet.toStdString();
    }
}

} // namespace
