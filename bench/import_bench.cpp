// The import of 100,000 pasted lines: empty lines removed, the participant
// file written. Runs the stand-in of participant_import_standin.h.

#include "base/gbk.h"
#include "base/line_splitting.h"
#include "base/working_files.h"
#include "bench_data.h"
#include "bench_timer.h"
#include "bench_workspace.h"
#include "participant_import_standin.h"
#include "summary_table.h"

#include <QPlainTextEdit>
#include <stdexcept>

namespace {

// A pasted list: an empty line after every tenth participant, as lists
// copied out of a spreadsheet often have, and a break after the last.
QString pastedList(int count)
{
    QString text;
    const std::vector<QByteArray> lines = participantLines(count);
    for (size_t i = 0; i < lines.size(); ++i) {
        text += gbk::decode(lines[i]);
        text += u'\n';
        if (i % 10 == 9)
            text += u'\n';
    }
    return text;
}

void checkImported(benchmark::State& state, const BenchWorkspace& workspace, int count)
{
    const QByteArray file = workspace.readFile(QLatin1String(working_files::kParticipants));
    if (static_cast<int>(splitIntoLines(file).size()) != count || !file.endsWith("\r\n"))
        state.SkipWithError("the participant file does not hold the pasted lines");
}

void measureImport(benchmark::State& state, const CaseInfo& info)
{
    BenchWorkspace workspace;
    const QString pasted = pastedList(info.participants);
    QString cleaned;
    for (auto _ : state) {
        IterationTimer timer(state);
        if (!import_standin::importParticipants(pasted, cleaned))
            throw std::runtime_error("the participant file could not be written");
    }
    checkImported(state, workspace, info.participants);
}

// The same through a text field, as the page does it: the text taken from
// the field, the cleaned text put back, the file written.
void measureFieldImport(benchmark::State& state, const CaseInfo& info)
{
    BenchWorkspace workspace;
    const QString pasted = pastedList(info.participants);
    QPlainTextEdit field;
    QString cleaned;
    for (auto _ : state) {
        field.setPlainText(pasted);
        IterationTimer timer(state);
        if (!import_standin::importParticipants(field.toPlainText(), cleaned))
            throw std::runtime_error("the participant file could not be written");
        field.setPlainText(cleaned);
    }
    checkImported(state, workspace, info.participants);
}

} // namespace

void registerImportBenchmarks()
{
    CaseInfo import;
    import.kind = CaseInfo::Kind::Import;
    import.title = "Import of pasted lines (empty-line removal, GBK, file write)";
    import.participants = 100000;
    import.limitMs = 1000;
    registerCase("Import/N:100000", import, measureImport);

    import.title = "Import through a text field (take text, clean, put back, write)";
    registerCase("ImportField/N:100000", import, measureFieldImport);
}
