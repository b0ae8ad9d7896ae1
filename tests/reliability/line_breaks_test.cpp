// Line breaks on their way into the settings file: a one-line field keeps
// the first line of a paste, and the writer never lets one through.

#include "storage/settings_file.h"
#include "ui/settings_window/settings_window_fixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>

namespace {

class LineBreaksTest : public SettingsWindowTest
{
  protected:
    // Pasted through the clipboard at the caret, as the operator does.
    static void pasteAt(QLineEdit* field, int caret, const QString& text)
    {
        field->setCursorPosition(caret);
        QGuiApplication::clipboard()->setText(text);
        field->paste();
    }
};

TEST_F(LineBreaksTest, APasteIntoAOneLineFieldKeepsItsFirstLineAtTheCaret)
{
    QLineEdit* title = control<QLineEdit>("cxtxtdt1");
    title->setText(QStringLiteral("年会抽奖"));
    pasteAt(title, 2, QStringLiteral("红包\r\n[基本设置]\r\n"));
    EXPECT_EQ(title->text(), QStringLiteral("年会红包抽奖"));
    EXPECT_EQ(title->cursorPosition(), 4);

    QLineEdit* prize = control<QLineEdit>("edt2");
    prize->clear();
    pasteAt(prize, 0, QStringLiteral("电视机\n"));
    EXPECT_EQ(prize->text(), QStringLiteral("电视机"));
    QLineEdit* showPrizes = control<QComboBox>("cbb2")->lineEdit();
    showPrizes->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("是\r\n奖项设置"));
    showPrizes->paste();
    EXPECT_EQ(showPrizes->text(), QStringLiteral("是"));
    // A text set from outside the keyboard is held to one line as well.
    QLineEdit* path = control<QLineEdit>("btn4");
    path->setText(QStringLiteral("bg.jpg\rrest"));
    EXPECT_EQ(path->text(), QStringLiteral("bg.jpg"));
}

TEST_F(LineBreaksTest, SavingPastedFieldsWritesOneSectionOfEachAndNoExtraKeys)
{
    pasteAt(control<QLineEdit>("cxtxtdt1"), 0, QStringLiteral("红包\r\n[基本设置]\r\n抽奖标题=x"));
    control<QPushButton>("btn7")->click();
    control<QLineEdit>("edt2")->setText(QString());
    pasteAt(control<QLineEdit>("edt2"), 0, QStringLiteral("电视机\n[奖项设置]"));
    control<QPushButton>("btn8")->click();
    const QByteArray file = settingsFile();
    EXPECT_EQ(file.count(G("[基本设置]")), 1);
    EXPECT_EQ(file.count(G("[奖项设置]")), 1);
    EXPECT_EQ(file.count("\n"), 20) << "two section lines and the 18 keys";
    EXPECT_EQ(readSetting(G("基本设置"), G("抽奖标题")), G("红包2011年春节员工抽奖"));
    EXPECT_EQ(readSetting(G("奖项设置"), G("特等奖奖品")), G("电视机"));
}

TEST(SettingsWriter, CutsEveryValueAtItsFirstLineBreakWhoeverCallsIt)
{
    ScopedWorkingDirectory dir;
    SettingsFile settings(dir.filePath("rafflixset.ini"));
    settings.write("s", "crlf", "one\r\n[s]\r\ncrlf=two");
    settings.write("s", "lf", "one\ntwo");
    settings.write("s", "cr", "one\rtwo");
    settings.write("s", "lead", "\r\nlost");
    settings.write("s\r\n[t]", "key\nx", "v");
    EXPECT_EQ(dir.readFile("rafflixset.ini"),
              "[s]\r\ncrlf=one\r\nlf=one\r\ncr=one\r\nlead=\r\nkey=v\r\n");
}

} // namespace
