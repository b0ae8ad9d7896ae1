// The import page's 从文件导入... on one file, for measuring its time and peak
// resident memory from outside: `prizmora_import_probe FILE [read|field]`
// reads the file as the file button does and, with "field" (the default),
// puts its lines into a shown import field that holds the page's
// instruction line. It prints what it read, the times and its own peak.
// `prizmora_import_probe --make FOLDER ROWS` writes list.csv and list.xlsx
// there (participant_table_files.h) in a process of its own.

#include "participant_table_files.h"
#include "peak_memory.h"
#include "storage/list_file_reader.h"
#include "ui/settings_window/import_field_edits.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <cstdio>
#include <cstdlib>

namespace {

int makeFiles(const QString& folder, int rows)
{
    writeParticipantCsv(QDir(folder).filePath(QStringLiteral("list.csv")), rows);
    writeParticipantWorkbook(QDir(folder).filePath(QStringLiteral("list.xlsx")), rows);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--make") == 0)
        return makeFiles(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [read|field] | --make FOLDER ROWS\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const bool intoField = argc < 3 || qstrcmp(argv[2], "read") != 0;

    // The field as the import page shows it, with its instruction line.
    QPlainTextEdit field;
    field.setGeometry(18, 24, 425, 153);
    field.setPlainText(QStringLiteral("每行一条数据，不能有空行（推荐格式:姓名 身份证号码）"));
    field.show();
    QCoreApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    list_file_reader::ListFile file = list_file_reader::read(path);
    const qint64 readMs = timer.elapsed();
    const qsizetype lines = file.lines.size();
    if (intoField && file.problem == list_file_reader::Problem::None) {
        import_field_edits::replaceWithList(field, file.lines.takeBlocks());
        QCoreApplication::processEvents();
    }
    std::printf("problem: %d\nlines: %lld\nread: %lld ms\ntotal: %lld ms\n",
                static_cast<int>(file.problem), static_cast<long long>(lines),
                static_cast<long long>(readMs), static_cast<long long>(timer.elapsed()));
    printPeakMemory();
    return file.problem == list_file_reader::Problem::None ? 0 : 1;
}
