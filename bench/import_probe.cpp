// The import page's 从文件导入... on one file, for measuring its time and peak
// resident memory from outside: `prizmora_import_probe FILE [read|field]`
// reads the file into lines or, with "field" (the default), clicks the file
// button of a shown import page whose field holds the instruction line and
// waits until the list is in the field, a title row left out. It prints what
// it read, the times and its own peak.
// `prizmora_import_probe --make FOLDER ROWS` writes list.csv and list.xlsx
// there (participant_table_files.h) in a process of its own.

#include "import_page_scene.h"
#include "participant_table_files.h"
#include "peak_memory.h"
#include "storage/list_file_reader.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
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

    if (intoField) {
        ImportPageScene scene;
        QElapsedTimer timer;
        timer.start();
        scene.importFile(path);
        const qint64 totalMs = timer.elapsed();
        const int lines = int(scene.fieldLines());
        std::printf("boxes: %d\nlines in the field: %d\ntotal: %lld ms\n", scene.boxesShown(),
                    lines, static_cast<long long>(totalMs));
        printPeakMemory();
        return lines > 1 ? 0 : 1;
    }
    QElapsedTimer timer;
    timer.start();
    const list_file_reader::ListFile file = list_file_reader::read(path);
    std::printf("problem: %d\nlines: %lld\nread: %lld ms\n", static_cast<int>(file.problem),
                static_cast<long long>(file.lines.size()), static_cast<long long>(timer.elapsed()));
    printPeakMemory();
    return file.problem == list_file_reader::Problem::None ? 0 : 1;
}
