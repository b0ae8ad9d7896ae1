// Benchmarks of the draw's data path. Beside Google Benchmark's own flags it
// takes --markdown=FILE, where it writes the summary table.

#include "platform/qt/real_services.h"
#include "summary_table.h"

#include <QApplication>
#include <QLocale>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

void registerDrawClickBenchmarks();
void registerRollingBenchmarks();
void registerPhotoRollBenchmarks();
void registerImportBenchmarks();
void registerFileImportBenchmarks();
void registerStartUpBenchmarks();
void registerBatchStopBenchmarks();
void registerRulesStopBenchmarks();
void registerResultsListBenchmarks();
void registerVerifyBenchmarks();
void registerRecordStopBenchmarks();

namespace {

// Removes --markdown=FILE from the arguments and returns FILE.
std::string takeMarkdownPath(int& argc, char** argv)
{
    const char* const flag = "--markdown=";
    std::string path;
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0)
            path = argv[i] + std::strlen(flag);
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    return path;
}

} // namespace

int main(int argc, char** argv)
{
    // Absolute now: cases run in working folders of their own.
    std::string markdownPath = takeMarkdownPath(argc, argv);
    if (!markdownPath.empty())
        markdownPath = std::filesystem::absolute(markdownPath).string();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    installChineseUserInterface(application);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    registerDrawClickBenchmarks();
    registerRollingBenchmarks();
    registerPhotoRollBenchmarks();
    registerImportBenchmarks();
    registerFileImportBenchmarks();
    registerStartUpBenchmarks();
    registerBatchStopBenchmarks();
    registerRulesStopBenchmarks();
    registerResultsListBenchmarks();
    registerVerifyBenchmarks();
    registerRecordStopBenchmarks();

    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const std::string table = summaryTable(reporter);
    std::cout << '\n' << table;
    if (!markdownPath.empty()) {
        std::ofstream out(markdownPath);
        out << table;
        if (!out) {
            std::cerr << "cannot write " << markdownPath << '\n';
            return 1;
        }
    }
    const bool met = allTargetsMet(reporter);
    std::cout << (met ? "\nEvery target met.\n" : "\nSome targets missed or cases failed.\n");
    return met ? 0 : 3;
}
