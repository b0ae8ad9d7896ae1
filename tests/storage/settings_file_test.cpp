#include "base/app_error.h"
#include "storage/program_settings.h"
#include "storage/settings_file.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class SettingsFileTest : public ::testing::Test
{
  protected:
    QByteArray read(const char* section, const char* key) const
    {
        return readSetting(G(section), G(key));
    }
    void write(const char* section, const char* key, const QByteArray& value) const
    {
        writeSetting(G(section), G(key), value);
    }
    QByteArray file() const { return dir.readFile("rafflixset.ini"); }

    ScopedWorkingDirectory dir;
};

TEST_F(SettingsFileTest, MissingFileSectionOrKeyReadsEmpty)
{
    EXPECT_EQ(read("基本设置", "抽奖标题"), QByteArray());
    dir.writeFile("rafflixset.ini", G("[基本设置]\r\n抽奖标题=年会\r\n"));
    EXPECT_EQ(read("奖项设置", "抽奖标题"), QByteArray());
    EXPECT_EQ(read("基本设置", "标题背景"), QByteArray());
    EXPECT_EQ(read("基本设置", "抽奖标题"), G("年会"));
}

TEST_F(SettingsFileTest, ReadDropsBlanksAndOnePairOfMatchingQuotes)
{
    dir.writeFile("rafflixset.ini", "[s]\r\n"
                                    "a =  spaced \t\r\n"
                                    "b=\"quoted\"\r\n"
                                    "c='single'\r\n"
                                    "d=\"unmatched'\r\n"
                                    "e=\"\"inner\"\"\r\n"
                                    "f=\"\r\n");
    EXPECT_EQ(readSetting("s", "a"), "spaced");
    EXPECT_EQ(readSetting("s", "b"), "quoted");
    EXPECT_EQ(readSetting("s", "c"), "single");
    EXPECT_EQ(readSetting("s", "d"), "\"unmatched'");
    EXPECT_EQ(readSetting("s", "e"), "\"inner\"");
    EXPECT_EQ(readSetting("s", "f"), "\"");
}

TEST_F(SettingsFileTest, ReadCutsAValueAt2047Bytes)
{
    const QByteArray longValue(3000, 'x');
    dir.writeFile("rafflixset.ini", "[s]\r\nk=" + longValue + "\r\n");
    EXPECT_EQ(readSetting("s", "k"), QByteArray(2047, 'x'));
}

TEST_F(SettingsFileTest, ReadSeesChangesMadeBetweenCalls)
{
    dir.writeFile("rafflixset.ini", "[s]\r\nk=1\r\n");
    EXPECT_EQ(readSetting("s", "k"), "1");
    dir.writeFile("rafflixset.ini", "[s]\nk=2\n");
    EXPECT_EQ(readSetting("s", "k"), "2");
}

TEST_F(SettingsFileTest, WriteCreatesReplacesInPlaceAndAppends)
{
    write("基本设置", "抽奖标题", G("年会"));
    EXPECT_EQ(file(), G("[基本设置]\r\n抽奖标题=年会\r\n"));
    write("基本设置", "标题背景", ".\\bg.jpg");
    write("奖项设置", "特等奖人数", "1");
    write("基本设置", "开始音乐", "");
    write("基本设置", "抽奖标题", G("春节"));
    EXPECT_EQ(file(), G("[基本设置]\r\n抽奖标题=春节\r\n标题背景=.\\bg.jpg\r\n开始音乐=\r\n"
                        "[奖项设置]\r\n特等奖人数=1\r\n"));
    EXPECT_EQ(read("基本设置", "开始音乐"), QByteArray());
}

TEST_F(SettingsFileTest, WriteKeepsForeignLinesAndOtherSections)
{
    dir.writeFile("rafflixset.ini", "; note\r\n[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n");
    writeSetting("a", "z", "3");
    EXPECT_EQ(file(), "; note\r\n[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n");
}

TEST_F(SettingsFileTest, RefusedWriteReportsThePathAndLeavesTheFile)
{
    dir.writeFile("rafflixset.ini", "[s]\r\nk=old\r\n");
    dir.makeReadOnly("rafflixset.ini");
    try {
        writeSetting("s", "k", "new");
        FAIL() << "write to a read-only settings file succeeded";
    } catch (const AppError& error) {
        EXPECT_EQ(error.message(),
                  "Unable to write to " + QDir::toNativeSeparators(dir.filePath("rafflixset.ini")));
    }
    EXPECT_EQ(file(), "[s]\r\nk=old\r\n");
}

TEST_F(SettingsFileTest, DefaultsAreWrittenOnlyWhenNoFileExists)
{
    program_settings::writeDefaultSettingsIfMissing();
    EXPECT_EQ(file(), G("[基本设置]\r\n"
                        "抽奖标题=2011年春节员工抽奖\r\n"
                        "标题背景=.\\bg.jpg\r\n"
                        "开始音乐=.\\01.wav\r\n"
                        "停止音乐=.\\02.wav\r\n"
                        "[奖项设置]\r\n"
                        "特等奖人数=1\r\n"
                        "特等奖奖品=电压力锅\r\n"
                        "一等奖人数=2\r\n"
                        "一等奖奖品=电吹风\r\n"
                        "二等奖人数=3\r\n"
                        "二等奖奖品=购物卡150元\r\n"
                        "三等奖人数=4\r\n"
                        "三等奖奖品=毛巾1条\r\n"
                        "四等奖人数=\r\n"
                        "四等奖奖品=\r\n"
                        "五等奖人数=\r\n"
                        "五等奖奖品=\r\n"
                        "是否重复=否\r\n"
                        "是否显示奖项=否\r\n"));

    dir.writeFile("rafflixset.ini", "");
    program_settings::writeDefaultSettingsIfMissing();
    EXPECT_EQ(file(), QByteArray());
}

TEST_F(SettingsFileTest, ADirectoryNamedLikeTheFileIsNotTheFile)
{
    QDir(dir.path()).mkdir("rafflixset.ini");
    EXPECT_EQ(read("基本设置", "抽奖标题"), QByteArray());
    EXPECT_THROW(program_settings::writeDefaultSettingsIfMissing(), AppError);
}

} // namespace
