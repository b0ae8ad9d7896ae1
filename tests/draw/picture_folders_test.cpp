#include "draw/picture_folders.h"
#include "draw_harness.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// The index looks at names and kinds of files only; their bytes are decoded
// elsewhere.
void makeFolder(const ScopedWorkingDirectory& work, const QStringList& files)
{
    QDir(work.path()).mkdir(picture_folders::photos());
    for (const QString& file : files)
        work.writeFile(picture_folders::photos() + u'/' + file, "picture");
}

TEST(PhotoIndex, FindsAPhotoByTheChosenColumnsValue)
{
    ScopedWorkingDirectory work;
    makeFolder(work, {"张三.jpg", "1002.PNG", "李四.jpeg", "王五.png", "王五.jpg", "赵六.txt",
                      "J.Smith.png", "😀uro.png"});
    // A pipe named like a photo is never listed, so it is never opened.
    ASSERT_EQ(::mkfifo(QFile::encodeName(work.filePath("照片/1003.jpg")).constData(), 0600), 0);
    QDir(work.path()).mkdir("照片/1004.png");
    const PictureFolder folder(picture_folders::photos());
    const PhotoIndex byName(folder, 0);
    const PhotoIndex byNumber(folder, 1);
    const struct
    {
        const PhotoIndex& index;
        const char* line;
        const char* file; // empty: no photo
    } rows[] = {
        {byName, "张三\t1001\t销售部", "张三.jpg"},
        {byName, " 李四 \t1005", "李四.jpeg"}, // blanks around the cell
        {byName, "王五\t1006", "王五.jpg"},    // of two, the first by file name
        {byName, "赵六\t1007", ""},            // not a picture's extension
        {byName, "J.Smith\t1008", "J.Smith.png"},
        {byName, "钱七\t1002", ""},
        {byName, "", ""},
        {byNumber, "钱七\t1002", "1002.PNG"}, // extensions in any case
        {byNumber, "孙八\t1003", ""},         // a pipe
        {byNumber, "周九\t1004", ""},         // a folder
        {byNumber, "张三", ""},               // no such cell
        {byName, "?uro", ""},                 // a file name GBK cannot hold
    };
    for (const auto& row : rows) {
        const QString expected = *row.file ? "照片/" + QString::fromUtf8(row.file) : QString();
        EXPECT_EQ(row.index.photoOf(G(row.line)), expected) << row.line;
    }
    EXPECT_TRUE(PhotoIndex(folder, -1).photoOf(G("张三")).isEmpty()); // no column chosen
    EXPECT_TRUE(PhotoIndex(PictureFolder("没有"), 0).isEmpty());      // no folder
    EXPECT_EQ(folder.pathOf(G("王五")), "照片/王五.jpg");
}

TEST(RollingDisplay, ForetellsTheLinesOfTheNextPasses)
{
    DrawHarness roll;
    roll.settings.countTexts = {"", "", "", "", "", "1"};
    roll.setParticipants({"A", "B", "C", "D", "E", "F", "G"});
    roll.click();
    roll.tick();
    const std::vector<QByteArray> foretold = roll.rolling.upcoming(roll.participants, 5);
    ASSERT_EQ(foretold.size(), 5u);
    for (const QByteArray& line : foretold) {
        roll.pass();
        EXPECT_EQ(roll.surface.display, line);
    }
    EXPECT_TRUE(roll.rolling.upcoming(TextLineList(), 5).empty());
}

} // namespace
