#include "storage/prize_level.h"
#include "storage/program_settings.h"
#include "storage/settings_file.h"
#include "ui/main_window/main_window_fixture.h"
#include "ui/main_window/results_list_lines.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

namespace {

using results_list_lines::kShownCharacters;

TEST(ResultsListLines, EditedLongLineIsSavedAsEdited)
{
    QPlainTextEdit list;
    results_list_lines::append(list, QString(5000, QLatin1Char('x')));
    QTextCursor cursor(list.document()->firstBlock());
    cursor.deleteChar(); // Delete still edits the list
    EXPECT_EQ(results_list_lines::savedResults(*list.document()),
              QByteArray(kShownCharacters - 1, 'x') + "\xa1\xad\r\n");
}

TEST(ResultsListLines, AMarkAddedAfterAShortenedLineKeepsTheWholeLineBeforeIt)
{
    QPlainTextEdit list;
    const QString whole(5000, QLatin1Char('x'));
    results_list_lines::append(list, whole);
    QTextCursor cursor(list.document()->firstBlock());
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(QStringLiteral(" mark")); // as a voided winner is marked
    EXPECT_EQ(results_list_lines::wholeLine(list.document()->firstBlock()),
              whole + QStringLiteral(" mark"));
    EXPECT_EQ(results_list_lines::savedResults(*list.document()),
              QByteArray(5000, 'x') + " mark\r\n");
}

TEST_F(MainWindowTest, MegabyteWinnerKeepsEveryByteInTheSavedResults)
{
    const QByteArray longLine = G("长") + QByteArray(1024 * 1024, '7');
    // Two lines: the participants must outnumber the one winner.
    dir.writeFile("rafflixlist.txt", longLine + "A\r\n" + longLine + "B\r\n");
    window().show();
    using namespace setting_names;
    for (PrizeLevel level : kAllPrizeLevels)
        writeSetting(prizeSection(), levelCountKey(level), level == PrizeLevel::Fifth ? "1" : "0");
    window().loadMainWindowState();
    window().btn3Click();
    window().btn3Click();
    ASSERT_TRUE(fakes.boxes.shown.empty()) << fakes.boxes.shown[0].text.toStdString();
    auto* mmo1 = control<QPlainTextEdit>("mmo1");
    EXPECT_LE(mmo1->document()->lastBlock().length(), kShownCharacters + 2);

    fakes.dialogs.answers.push_back(dir.filePath("saved.txt"));
    window().btn5Click();
    const QByteArray saved = dir.readFile("saved.txt");
    // The label, the whole winner line, then the time.
    EXPECT_TRUE(saved.contains(G("五等奖：") + longLine + "A ") ||
                saved.contains(G("五等奖：") + longLine + "B "))
        << saved.size();
}

} // namespace
