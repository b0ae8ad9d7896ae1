#include "main_window/main_window_fixture.h"
#include "storage/default_settings.h"
#include "storage/prize_level.h"
#include "storage/settings_file.h"
#include "ui/results_list_lines.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

namespace {

using results_list_lines::kShownCharacters;

TEST(ResultsListLines, LongLineIsShownShortenedAndSavedWhole)
{
    QPlainTextEdit list;
    list.setPlainText(QStringLiteral("抽奖结果"));
    const QString whole = QStringLiteral("五等奖：") + QString(300000, QChar(0x5F20));
    results_list_lines::append(list, QStringLiteral("short line"));
    results_list_lines::append(list, whole);

    const QString shown = list.document()->lastBlock().text();
    EXPECT_EQ(shown.size(), kShownCharacters + 1);
    EXPECT_TRUE(whole.startsWith(shown.chopped(1)));
    EXPECT_EQ(results_list_lines::savedResults(*list.document()),
              gbk::encode(QStringLiteral("抽奖结果")) + "\r\nshort line\r\n" + gbk::encode(whole) +
                  "\r\n");
}

TEST(ResultsListLines, EditedLongLineIsSavedAsEdited)
{
    QPlainTextEdit list;
    results_list_lines::append(list, QString(5000, QLatin1Char('x')));
    QTextCursor cursor(list.document()->firstBlock());
    cursor.deleteChar(); // Delete still edits the list
    EXPECT_EQ(results_list_lines::savedResults(*list.document()),
              QByteArray(kShownCharacters - 1, 'x') + "\xa1\xad\r\n");
}

TEST(ResultsListLines, CutNeverSplitsACharacterOutsideTheBasicPlane)
{
    const QString face = QString::fromUcs4(U"\U0001F600");
    const QString line = QString(kShownCharacters - 1, QLatin1Char('a')) + face + face;
    const QString shown = results_list_lines::shownLine(line);
    EXPECT_FALSE(shown.at(shown.size() - 2).isHighSurrogate());
    EXPECT_EQ(results_list_lines::shownLine(QStringLiteral("abc")), QStringLiteral("abc"));
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
