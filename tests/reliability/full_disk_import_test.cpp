// The participant import onto a full disk, through the real settings window.

#include "settings_window/settings_window_fixture.h"
#include "small_filesystem.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

TEST_F(SettingsWindowTest, FullDiskImportSaysTheDiskIsNotWritableAndKeepsTheParticipants)
{
    SmallFilesystem disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    ASSERT_TRUE(QDir::setCurrent(disk.path()));
    const QByteArray earlier = G("张三\r\n李四\r\n");
    writeBytes(disk.filePath("rafflixlist.txt"), earlier);
    disk.fill();

    auto* field = control<QPlainTextEdit>("mmo1");
    field->clear();
    QGuiApplication::clipboard()->setText(QString(5000, QChar(0x738B)) + QStringLiteral("\n王五"));
    field->paste();
    control<QPushButton>("btn1")->click();
    EXPECT_EQ(boxTexts(), QStringList{QStringLiteral("磁盘不可写或其它未知错误！")});
    EXPECT_EQ(bytesOf(disk.filePath("rafflixlist.txt")), earlier);
    EXPECT_EQ(namesIn(disk.path()), (QStringList{"filler", "rafflixlist.txt"}));
}

} // namespace
