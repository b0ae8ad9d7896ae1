#include "main_window_fixture.h"
#include "platform/qt/qt_message_boxes.h"
#include "ui/guard/handler_guard.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace {

TEST_F(MainWindowTest, FirstStartWritesDefaultsShowsTheTitleAndEmptiesResults)
{
    dir.writeFile("retotal.txt", "old\r\n");
    window();
    EXPECT_TRUE(fakes.boxes.shown.empty());
    EXPECT_TRUE(
        dir.readFile("rafflixset.ini").startsWith(G("[基本设置]\r\n抽奖标题=2011年春节员工抽奖")));
    EXPECT_EQ(dir.readFile("retotal.txt"), QByteArray());
    EXPECT_EQ(control<QLabel>("lbl2")->text(), QStringLiteral("2011年春节员工抽奖"));
    EXPECT_EQ(control<QLabel>("lbl1")->text(), QString());
    EXPECT_EQ(control<QLabel>("img1")->size(), QSize(700, 110));
    EXPECT_EQ(control<QLineEdit>("edt1")->text(), QStringLiteral("准备开始..."));
    EXPECT_EQ(control<QPlainTextEdit>("mmo1")->toPlainText(), QStringLiteral("抽奖结果"));
    EXPECT_EQ(window().size(), QSize(744, 522));
    EXPECT_TRUE(window().windowTitle().startsWith(QStringLiteral("抽奖(")));
}

TEST_F(MainWindowTest, BannerShowsTheFirstThreePrizesOnlyWhenSwitchedOnExactly)
{
    dir.writeFile("rafflixset.ini",
                  G("[基本设置]\r\n标题背景=bg.jpg\r\n[奖项设置]\r\n是否显示奖项=是\r\n"
                    "特等奖奖品=汽车\r\n二等奖奖品=手机\r\n"));
    window();
    EXPECT_EQ(control<QLabel>("lbl1")->text(), QStringLiteral("特等奖：汽车,一等奖:,二等奖:手机"));
    EXPECT_EQ(control<QLabel>("lbl2")->text(), QString());

    dir.writeFile("rafflixset.ini",
                  G("[基本设置]\r\n标题背景=bg.jpg\r\n[奖项设置]\r\n是否显示奖项=是 \r\n"));
    window().loadMainWindowState();
    EXPECT_EQ(control<QLabel>("lbl1")->text(), QStringLiteral("特等奖：,一等奖:,二等奖:"));
}

TEST_F(MainWindowTest, MissingPictureGivesOneErrorBoxAndTheWindowStillWorks)
{
    QFile::remove(dir.filePath("bg.jpg"));
    window();
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].caption, "Prizmora");
    EXPECT_EQ(fakes.boxes.shown[0].icon, BoxIcon::Critical);
    // The reason is the system's text, in the interface's language.
    const QString text = fakes.boxes.shown[0].text;
    EXPECT_TRUE(
        text.startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(dir.filePath("bg.jpg"))))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(QLatin1Char('.')));
    EXPECT_EQ(control<QLabel>("lbl2")->text(), QStringLiteral("2011年春节员工抽奖"));

    writeParticipants(12);
    button("btn3")->click();
    EXPECT_EQ(startStopText(), QStringLiteral("停止抽奖"));
}

TEST_F(MainWindowTest, APictureThatIsNoJpegReportsDecoderCode53)
{
    dir.writeFile("bg.jpg", "GIF89a not a jpeg at all");
    window();
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].text, "JPEG error #53.");
    EXPECT_EQ(fakes.boxes.shown[0].caption, "Prizmora");
}

TEST_F(MainWindowTest, AFailedReRunKeepsTheListsAndTheResultsFile)
{
    writeParticipants(12);
    window();
    button("btn3")->click();
    button("btn3")->click();
    const QByteArray recorded = dir.readFile("retotal.txt");
    ASSERT_FALSE(recorded.isEmpty());
    QFile::remove(dir.filePath("bg.jpg"));
    dir.writeFile("rafflixset.ini", G("[基本设置]\r\n抽奖标题=新标题\r\n标题背景=bg.jpg\r\n"));
    EXPECT_THROW(window().loadMainWindowState(), AppError);
    EXPECT_EQ(dir.readFile("retotal.txt"), recorded);
    EXPECT_EQ(control<QLabel>("lbl2")->text(), QStringLiteral("新标题"));
}

TEST_F(MainWindowTest, TheErrorReportIsARealModalBoxCaptionedWithTheProgramTitle)
{
    QtMessageBoxes realBoxes;
    services().boxes = &realBoxes;
    QFile::remove(dir.filePath("bg.jpg"));

    QString seenTitle;
    QString seenText;
    QString seenButton;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenButton = box->buttons().value(0)->text();
        box->buttons().value(0)->click();
    });
    poll.start(20);
    window();
    poll.stop();
    EXPECT_EQ(seenTitle, "Prizmora");
    EXPECT_TRUE(seenText.startsWith("Cannot open file")) << seenText.toStdString();
    EXPECT_TRUE(seenText.endsWith(".")) << seenText.toStdString();
    EXPECT_EQ(seenButton, QStringLiteral("确定"));
}

TEST(ErrorReportText, AddsAFullStopOnlyAfterCharactersSortingAfterIt)
{
    EXPECT_EQ(errorReportText("Stream write error"), "Stream write error.");
    EXPECT_EQ(errorReportText("JPEG error #53"), "JPEG error #53.");
    EXPECT_EQ(errorReportText(QStringLiteral("出错")), QStringLiteral("出错."));
    EXPECT_EQ(errorReportText("Done."), "Done.");
    EXPECT_EQ(errorReportText("Stop!"), "Stop!");
    EXPECT_EQ(errorReportText("List index out of bounds (-1)"), "List index out of bounds (-1)");
    EXPECT_EQ(errorReportText(""), "");
}

} // namespace
