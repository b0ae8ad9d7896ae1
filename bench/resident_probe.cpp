// A scripted session of the main window for measuring resident memory from
// outside: `prizmora_resident_probe N` loads N participants (0: none, no
// draw) with 1,000 winners recorded and repeats off, runs Start, rolls for
// half a second on the real timers, runs Stop, then prints the size of the
// participant file and its own peak. The working folder is made on tmpfs
// when there is one, so the files take no page cache counted elsewhere.

#include "base/working_files.h"
#include "bench_data.h"
#include "bench_workspace.h"
#include "peak_memory.h"
#include "platform/qt/real_services.h"
#include "platform/services.h"
#include "storage/prize_level.h"
#include "storage/program_settings.h"
#include "storage/settings_file.h"
#include "ui/main_window/cou.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kRecordedWinners = 1000;

void runEventsFor(int milliseconds)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace

int main(int argc, char** argv)
{
    const int participantCount = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    installChineseUserInterface(application);

    BenchWorkspace workspace(memoryFolder());
    // The program's own services, except that no box may wait for an answer
    // and the desktop launcher goes into the temporary folder.
    installRealServices();
    services().boxes = &workspace.fakes.boxes;
    services().desktop = &workspace.fakes.desktop;
    workspace.fakes.desktop.folder = workspace.filePath(QStringLiteral("desktop"));
    workspace.writeTitlePicture();

    TForm1 window;
    window.show();
    runEventsFor(100);
    if (participantCount > 0) {
        writeSetting(setting_names::prizeSection(), setting_names::levelCountKey(PrizeLevel::Fifth),
                     QByteArray::number(kRecordedWinners + 1));
        window.loadMainWindowState();
        // Written a piece at a time, so the peak is the draw's and not the probe's.
        const QString participantPath =
            workspace.filePath(QLatin1String(working_files::kParticipants));
        writeParticipantFile(participantPath, participantCount);
        std::printf("list bytes: %lld\n",
                    static_cast<long long>(QFileInfo(participantPath).size()));
        workspace.writeFile(QLatin1String(working_files::kResults),
                            fileBytes(resultsLines(participantCount, kRecordedWinners)));
        window.btn3Click(); // Start
        runEventsFor(600);
        window.btn3Click(); // Stop
        runEventsFor(200);
        if (window.currentWinner().isEmpty() || !workspace.fakes.boxes.shown.empty()) {
            std::fprintf(stderr, "the scripted draw did not draw a winner\n");
            return 1;
        }
    }
    printPeakMemory();
    return 0;
}
