#include "storage/characters_outside_gbk.h"
#include "storage/csv_reader.h"
#include "storage/spreadsheet_number.h"
#include "storage/xlsx_reader.h"
#include "support/spreadsheet_fixture_files.h"

#include <gtest/gtest.h>

namespace {

TEST(SpreadsheetNumbers, ShownAsTheSpreadsheetShowsThem)
{
    using spreadsheet_number::shown;
    EXPECT_EQ(shown("1000123"), "1000123");
    EXPECT_EQ(shown("1.2345678901234567E+17"), "123456789012345670");
    EXPECT_EQ(shown("1234567890123456789"), "1234567890123456789");
    EXPECT_EQ(shown("0.30000000000000004"), "0.3");
    EXPECT_EQ(shown("12.50"), "12.5");
    EXPECT_EQ(shown("-0.5"), "-0.5");
    EXPECT_EQ(shown("1E-3"), "0.001");
    EXPECT_EQ(shown("2.5e2"), "250");
    EXPECT_EQ(shown("-0"), "0");
    EXPECT_EQ(shown("#N/A"), "#N/A");
    EXPECT_EQ(shown(""), "");
}

TEST(SpreadsheetNumbers, DatesFromSerialDays)
{
    using spreadsheet_number::shownAsDate;
    EXPECT_EQ(shownAsDate("45331", false), "2024-02-09");
    EXPECT_EQ(shownAsDate("45331.75", false), "2024-02-09 18:00");
    EXPECT_EQ(shownAsDate("45331.5000115741", false), "2024-02-09 12:00:01");
    EXPECT_EQ(shownAsDate("1", false), "1900-01-01");
    EXPECT_EQ(shownAsDate("59", false), "1900-02-28");
    EXPECT_EQ(shownAsDate("61", false), "1900-03-01");
    EXPECT_EQ(shownAsDate("0", true), "1904-01-01");
    EXPECT_EQ(shownAsDate("-1", false), "-1");
    EXPECT_EQ(shownAsDate("1e300", false), shownAsDate("1e300", true));

    EXPECT_TRUE(spreadsheet_number::isDateFormatCode("yyyy\\-mm\\-dd"));
    EXPECT_TRUE(spreadsheet_number::isDateFormatCode("[$-F800]dddd, mmmm dd, yyyy"));
    EXPECT_FALSE(spreadsheet_number::isDateFormatCode("General"));
    EXPECT_FALSE(spreadsheet_number::isDateFormatCode("[Red]0.00"));
    EXPECT_FALSE(spreadsheet_number::isDateFormatCode("0 \"days\""));
    EXPECT_FALSE(spreadsheet_number::isDateFormatCode("h:mm:ss"));
}

QList<QStringList> rows(std::initializer_list<QStringList> list)
{
    return QList<QStringList>(list);
}

TEST(CsvReader, QuotesSeparatorsAndBreaksByTheRfc)
{
    EXPECT_EQ(csv_reader::parse("a,\"b,c\",\"d\"\"e\"\r\n\"f\r\ng\",,h"),
              rows({{"a", "b,c", "d\"e"}, {"f\r\ng", "", "h"}}));
    // A break at the very end ends the last record; it starts no empty one.
    EXPECT_EQ(csv_reader::parse("a,b\n"), rows({{"a", "b"}}));
    EXPECT_EQ(csv_reader::parse("a\r\rb\n"), rows({{"a"}, {""}, {"b"}}));
    EXPECT_EQ(csv_reader::parse("a,"), rows({{"a", ""}}));
    EXPECT_EQ(csv_reader::parse(""), rows({}));
    // Lenient: a quote inside an unquoted field stays; an unclosed quote
    // runs to the end.
    EXPECT_EQ(csv_reader::parse("5\"7,x\n\"open,y"), rows({{"5\"7", "x"}, {"open,y"}}));
}

TEST(CsvReader, PiecesGiveTheRecordsOfTheWholeText)
{
    // Breaks, doubled quotes and quotes that end a field, cut anywhere.
    for (const char* text : {"a,\"b,c\",\"d\"\"e\"\r\n\"f\r\ng\",,h", "a\r\rb\r\n\r\n",
                             "\"\",\"\"\"\"\n", "5\"7,x\n\"open,y"}) {
        const QString whole = QString::fromUtf8(text);
        for (const qsizetype size : {1, 2, 3}) {
            RowCollector records;
            csv_reader::Parser parser(u',', records);
            for (qsizetype at = 0; at < whole.size(); at += size)
                parser.feed(QStringView(whole).sliced(at, std::min(size, whole.size() - at)));
            parser.finish();
            EXPECT_EQ(records.rows, csv_reader::parse(whole, u',')) << text << " " << size;
        }
    }
}

TEST(CsvReader, SeparatorFromTheFirstRecord)
{
    EXPECT_EQ(csv_reader::detectSeparator("a;b;\"c,d,e\"\nx,y,z,w"), u';');
    EXPECT_EQ(csv_reader::detectSeparator("a,b;c,d"), u',');
    EXPECT_EQ(csv_reader::detectSeparator("a\tb\tc"), u'\t');
    EXPECT_EQ(csv_reader::detectSeparator("one"), u',');
    EXPECT_EQ(csv_reader::parse("姓名;部门\n张三;\"市场;部\""),
              rows({{"姓名", "部门"}, {"张三", "市场;部"}}));
}

TEST(XlsxReader, DamagedWorkbooksAreRefused)
{
    QByteArray workbook = fixtureBytes("calc_participants.xlsx");
    ASSERT_FALSE(workbook.isEmpty());
    EXPECT_EQ(xlsx_reader::read(workbook).status, xlsx_reader::Status::Ok);
    // Every byte of the worksheet's compressed data changed: the checksum
    // or the inflation fails, and nothing half-read comes back.
    const qsizetype sheetEntry = workbook.indexOf("xl/worksheets/sheet1.xml");
    ASSERT_GT(sheetEntry, 0);
    for (qsizetype at = sheetEntry + 30; at < sheetEntry + 60; ++at)
        workbook[at] = static_cast<char>(workbook[at] ^ 0x5A);
    const xlsx_reader::Result damaged = xlsx_reader::read(workbook);
    EXPECT_NE(damaged.status, xlsx_reader::Status::Ok);
    EXPECT_TRUE(damaged.rows.isEmpty());
}

TEST(CharactersOutsideGbk, CountedPerCharacterAndShownByLine)
{
    const CharactersOutsideGbk found =
        findCharactersOutsideGbk(QStringLiteral("张三\n王䶮 1\n€ ok\n김철수\n\U0001F600\n李四"), 2);
    // 䶮, the three Hangul syllables, and the emoji as one character.
    EXPECT_EQ(found.count, 5);
    EXPECT_EQ(found.lineCount, 3);
    EXPECT_EQ(found.firstLines,
              QStringList({QStringLiteral("第 2 行：王䶮 1"), QStringLiteral("第 4 行：김철수")}));
    EXPECT_EQ(findCharactersOutsideGbk(QStringLiteral("张三 ?\n")).count, 0);
}

} // namespace
