// A list of 100,000 participants read from a file into the import field, as
// the import page's file button does it: the file read and decoded, its rows
// joined into lines, the field's text replaced.

#include "bench_timer.h"
#include "bench_workspace.h"
#include "storage/list_file_reader.h"
#include "storage/winners_export.h"
#include "summary_table.h"
#include "ui/settings_window/import_field_edits.h"

#include <QPlainTextEdit>
#include <stdexcept>

namespace {

constexpr int kRows = 100000;

// Name, department, employee number and identity number, with a title row.
QList<QStringList> participantTable()
{
    QList<QStringList> table = {{QStringLiteral("序号"), QStringLiteral("姓名"),
                                 QStringLiteral("部门"), QStringLiteral("身份证号")}};
    for (int i = 0; i < kRows; ++i)
        table << QStringList{QString::number(1000000 + i), QStringLiteral("参与者%1").arg(i),
                             QStringLiteral("第%1部").arg(i % 40),
                             QStringLiteral("1101011990%1").arg(i, 8, 10, QLatin1Char('0'))};
    return table;
}

void measureFileIntoField(benchmark::State& state, const QString& name,
                          winners_export::Format format)
{
    BenchWorkspace workspace;
    winners_export::save(workspace.filePath(name), format, participantTable());
    QPlainTextEdit field;
    for (auto _ : state) {
        field.setPlainText(QStringLiteral("每行一条数据"));
        IterationTimer timer(state);
        list_file_reader::ListFile file = list_file_reader::read(workspace.filePath(name));
        if (file.lines.size() != kRows + 1)
            throw std::runtime_error("the file did not give every row");
        file.lines.removeFirst(); // the title row, left out
        import_field_edits::replaceUndoably(field, file.lines.join(u'\n') + u'\n');
    }
    if (field.document()->blockCount() != kRows + 1)
        state.SkipWithError("the field does not hold every row");
}

void measureWorkbook(benchmark::State& state, const CaseInfo&)
{
    measureFileIntoField(state, QStringLiteral("list.xlsx"), winners_export::Format::Xlsx);
}

void measureCsv(benchmark::State& state, const CaseInfo&)
{
    measureFileIntoField(state, QStringLiteral("list.csv"), winners_export::Format::Csv);
}

} // namespace

void registerFileImportBenchmarks()
{
    CaseInfo info;
    info.kind = CaseInfo::Kind::Import;
    info.participants = kRows;
    info.limitMs = 2000;
    info.title = "Rows of an .xlsx workbook into the import field";
    registerCase("FileImportXlsx/N:100000", info, measureWorkbook);
    info.title = "Rows of a CSV file (UTF-8 with mark) into the import field";
    registerCase("FileImportCsv/N:100000", info, measureCsv);
}
