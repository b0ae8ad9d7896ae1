#include "base/system_reason.h"
#include "reliability_support.h"
#include "storage/winners_export.h"
#include "ui/main_window/winners_export_entry.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/mount.h>

namespace {

// A small tmpfs of its own, mounted for the test (root only), filled to the
// last byte after the given files are put in it.
class FullDisk
{
  public:
    FullDisk()
    {
        if (!folder_.isValid())
            return;
        const QByteArray path = QFile::encodeName(folder_.path());
        mounted_ = ::mount("tmpfs", path.constData(), "tmpfs", 0, "size=256k") == 0;
    }
    ~FullDisk()
    {
        if (mounted_)
            ::umount2(QFile::encodeName(folder_.path()).constData(), MNT_DETACH);
    }

    bool mounted() const { return mounted_; }
    bool remountReadOnly() const
    {
        return ::mount("tmpfs", QFile::encodeName(folder_.path()).constData(), "tmpfs",
                       MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    QString filePath(const QString& name) const { return folder_.filePath(name); }

    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray read(const QString& name) const
    {
        QFile file(filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void fill() const
    {
        QFile filler(filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();
    }
    QStringList entries() const
    {
        return QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

  private:
    QTemporaryDir folder_;
    bool mounted_ = false;
};

QList<QStringList> winnersTable(int rows)
{
    QList<QStringList> table = {{QStringLiteral("序号"), QStringLiteral("中奖者")}};
    for (int i = 1; i <= rows; ++i)
        table << QStringList{QString::number(i),
                             QStringLiteral("参与者%1 110101199003074518").arg(i)};
    return table;
}

TEST(ExportOnAFullDisk, TheEarlierFileStaysWholeAndNothingIsLeftBehind)
{
    FullDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    disk.write(QStringLiteral("winners.csv"), "old export");
    disk.write(QStringLiteral("winners.xlsx"), "old workbook");
    disk.fill();
    for (const auto& [name, format] :
         {std::pair{QStringLiteral("winners.csv"), winners_export::Format::Csv},
          std::pair{QStringLiteral("winners.xlsx"), winners_export::Format::Xlsx}}) {
        const winners_export::SaveResult saved =
            winners_export::save(disk.filePath(name), format, winnersTable(2000));
        EXPECT_EQ(saved.status, winners_export::SaveResult::Status::CannotWrite)
            << name.toStdString();
        EXPECT_EQ(saved.error, ENOSPC) << name.toStdString();
    }
    EXPECT_EQ(disk.read(QStringLiteral("winners.csv")), "old export");
    EXPECT_EQ(disk.read(QStringLiteral("winners.xlsx")), "old workbook");
    EXPECT_EQ(disk.entries(), QStringList({QStringLiteral("filler"), QStringLiteral("winners.csv"),
                                           QStringLiteral("winners.xlsx")}));
}

// libxlsxwriter builds the workbook in the temporary folder first; a full one
// is a failure, not a short workbook.
TEST(ExportOnAFullDisk, AFullTemporaryFolderFailsTheWorkbook)
{
    FullDisk temporary;
    if (!temporary.mounted())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    temporary.fill();
    const QByteArray previous = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temporary.filePath(QString())));
    int error = 0;
    EXPECT_FALSE(winners_export::xlsxBytes(winnersTable(5000), &error));
    EXPECT_EQ(error, ENOSPC);
    if (previous.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", previous);
}

// The box of a failed export says why, in Chinese, as the import's boxes do.
TEST(ExportOnAFullDisk, TheErrorSaysWhyInChinese)
{
    ScopedWorkingDirectory dir;
    ScopedFakeServices fakes;
    QPlainTextEdit results;
    results.appendPlainText(QStringLiteral("五等奖：张三 时间：2011-1-30 14:30:05"));
    auto exportTo = [&](const QString& path) {
        fakes.dialogs.answers.push_back(path);
        return errorOf([&] { exportWinners(nullptr, results); });
    };
    FullDisk full;
    FullDisk readOnly;
    if (!full.mounted() || !readOnly.mounted())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    full.fill();
    ASSERT_TRUE(readOnly.remountReadOnly());
    const QString noSpace = system_reason::text(ENOSPC);
    for (const char* name : {"win.csv", "win.xlsx"})
        EXPECT_EQ(exportTo(full.filePath(name)),
                  QStringLiteral("无法导出中奖名单到“%1”：%2").arg(full.filePath(name), noSpace));
    EXPECT_EQ(
        exportTo(readOnly.filePath("win.xlsx")),
        QStringLiteral("无法导出中奖名单到“%1”：只读文件系统").arg(readOnly.filePath("win.xlsx")));

    const QByteArray previous = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(full.filePath(QString())));
    EXPECT_EQ(exportTo(dir.filePath("win.xlsx")),
              QStringLiteral("无法导出中奖名单到“%1”：临时文件夹中无法生成工作簿（%2）")
                  .arg(dir.filePath("win.xlsx"), noSpace));
    if (previous.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", previous);
    EXPECT_FALSE(dir.exists("win.xlsx"));
}

} // namespace
