// A list read from a file into the import field through the import page's
// file button, from the click until the field holds the list: the file
// read, decoded or unpacked and turned into lines (a large one on a thread
// of its own while the field fills), the title row left out. 100,000 participants,
// and 1,048,575: with the title row the 1,048,576 rows of a full worksheet,
// the largest list a spreadsheet holds.

#include "bench_timer.h"
#include "bench_workspace.h"
#include "import_page_scene.h"
#include "participant_table_files.h"
#include "storage/list_file_reader.h"
#include "summary_table.h"

#include <stdexcept>

namespace {

void measureFileIntoField(benchmark::State& state, const CaseInfo& info, const QString& name,
                          void (*write)(const QString&, int))
{
    BenchWorkspace workspace;
    write(workspace.filePath(name), info.participants);
    ImportPageScene page;
    for (auto _ : state) {
        page.resetField();
        IterationTimer timer(state);
        page.importFile(workspace.filePath(name));
    }
    if (page.fieldLines() != info.participants)
        state.SkipWithError("the field does not hold every row");
}

// The file read into lines alone, the field left out: the readers' share.
void measureFileIntoLines(benchmark::State& state, const CaseInfo& info, const QString& name,
                          void (*write)(const QString&, int))
{
    BenchWorkspace workspace;
    write(workspace.filePath(name), info.participants);
    for (auto _ : state) {
        IterationTimer timer(state);
        const list_file_reader::ListFile file = list_file_reader::read(workspace.filePath(name));
        if (file.lines.size() != info.participants + 1)
            throw std::runtime_error("the file did not give every row");
    }
}

void measureWorkbookLines(benchmark::State& state, const CaseInfo& info)
{
    measureFileIntoLines(state, info, QStringLiteral("list.xlsx"), writeParticipantWorkbook);
}

void measureCsvLines(benchmark::State& state, const CaseInfo& info)
{
    measureFileIntoLines(state, info, QStringLiteral("list.csv"), writeParticipantCsv);
}

void measureWorkbook(benchmark::State& state, const CaseInfo& info)
{
    measureFileIntoField(state, info, QStringLiteral("list.xlsx"), writeParticipantWorkbook);
}

void measureCsv(benchmark::State& state, const CaseInfo& info)
{
    measureFileIntoField(state, info, QStringLiteral("list.csv"), writeParticipantCsv);
}

} // namespace

void registerFileImportBenchmarks()
{
    CaseInfo info;
    info.kind = CaseInfo::Kind::Import;
    for (const int rows : {100000, 1048575}) {
        info.participants = rows;
        info.limitMs = rows == 100000 ? 2000 : 0;
        const std::string suffix = "/N:" + std::to_string(rows);
        info.title = "Rows of an .xlsx workbook into the import field";
        registerCase("FileImportXlsx" + suffix, info, measureWorkbook);
        info.title = "Rows of a CSV file (UTF-8 with mark) into the import field";
        registerCase("FileImportCsv" + suffix, info, measureCsv);
    }
    info.participants = 1048575;
    info.limitMs = 0;
    info.title = "Rows of an .xlsx workbook read into lines (no field)";
    registerCase("FileReadXlsx/N:1048575", info, measureWorkbookLines);
    info.title = "Rows of a CSV file (UTF-8 with mark) read into lines (no field)";
    registerCase("FileReadCsv/N:1048575", info, measureCsvLines);
}
