#include "summary_table.h"

#include <cmath>
#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

struct RegisteredCase
{
    std::string name;
    CaseInfo info;
};

std::vector<RegisteredCase>& registeredCases()
{
    static std::vector<RegisteredCase> cases;
    return cases;
}

double toMilliseconds(double value, benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond:
        return value / 1e6;
    case benchmark::kMicrosecond:
        return value / 1e3;
    case benchmark::kMillisecond:
        return value;
    case benchmark::kSecond:
        return value * 1e3;
    }
    return value;
}

std::string grouped(long long number)
{
    std::string digits = std::to_string(number);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

std::string fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string duration(double milliseconds)
{
    if (milliseconds < 0.1)
        return fixed(milliseconds * 1000.0, 2) + " µs";
    if (milliseconds < 1000.0)
        return fixed(milliseconds, milliseconds < 10 ? 2 : 1) + " ms";
    return fixed(milliseconds / 1000.0, 2) + " s";
}

const CollectingReporter::Result* resultOf(const CollectingReporter& reporter,
                                           const std::string& name)
{
    auto found = reporter.results.find(name);
    return found == reporter.results.end() ? nullptr : &found->second;
}

struct Verdict
{
    bool hasTarget = false;
    bool met = true;
    std::string text;
};

Verdict verdictFor(const CaseInfo& info, const CollectingReporter::Result& result)
{
    Verdict verdict;
    std::vector<std::string> parts;
    if (info.limitFloorRatio > 0) {
        verdict.hasTarget = true;
        const double floorMs = result.pairedFloorMs;
        verdict.met =
            verdict.met && floorMs > 0 && result.milliseconds <= info.limitFloorRatio * floorMs;
        parts.push_back("≤ " + fixed(info.limitFloorRatio, 0) + " × floor");
    }
    if (info.limitMs > 0) {
        verdict.hasTarget = true;
        verdict.met = verdict.met && result.milliseconds < info.limitMs;
        parts.push_back("< " + duration(info.limitMs));
    }
    if (!verdict.hasTarget)
        return verdict;
    for (size_t i = 0; i < parts.size(); ++i)
        verdict.text += (i ? " and " : "") + parts[i];
    verdict.text += verdict.met ? ": met" : ": **missed**";
    return verdict;
}

} // namespace

void registerCase(const std::string& name, const CaseInfo& info,
                  void (*measure)(benchmark::State&, const CaseInfo&))
{
    registeredCases().push_back({name, info});
    // A failing step (a file that cannot be written, say) ends the case with
    // its message instead of the whole program.
    auto guardedMeasure = [measure](benchmark::State& state, const CaseInfo& info) {
        try {
            measure(state, info);
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
        }
    };
    benchmark::RegisterBenchmark(name.c_str(), guardedMeasure, info)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

void CollectingReporter::ReportRuns(const std::vector<Run>& reports)
{
    for (const Run& run : reports) {
        const std::string name = run.run_name.function_name;
        if (run.error_occurred) {
            results[name].error = run.error_message;
            continue;
        }
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (!median && !single)
            continue;
        Result& result = results[name];
        result.milliseconds = toMilliseconds(run.GetAdjustedRealTime(), run.time_unit);
        auto floor = run.counters.find("floor_ms");
        if (floor != run.counters.end())
            result.pairedFloorMs = floor->second.value;
    }
    ConsoleReporter::ReportRuns(reports);
}

std::string summaryTable(const CollectingReporter& reporter)
{
    std::ostringstream table;
    table << "| Case | Participants | Recorded winners | Repeats | Time | Floor | × floor | "
             "Target |\n"
          << "|---|---:|---:|---|---:|---:|---:|---|\n";
    for (const RegisteredCase& entry : registeredCases()) {
        const CollectingReporter::Result* result = resultOf(reporter, entry.name);
        if (!result)
            continue;
        const CaseInfo& info = entry.info;
        table << "| " << info.title << " | "
              << (info.participants > 0 ? grouped(info.participants) : "") << " | "
              << (info.recorded >= 0 ? grouped(info.recorded) : "") << " | "
              << (info.repeats < 0 ? ""
                  : info.repeats   ? "on"
                                   : "off")
              << " | ";
        if (!result->error.empty()) {
            table << "failed: " << result->error << " | | | |\n";
            continue;
        }
        table << duration(result->milliseconds) << " | ";
        if (result->pairedFloorMs > 0)
            table << duration(result->pairedFloorMs) << " | "
                  << fixed(result->milliseconds / result->pairedFloorMs, 2);
        else
            table << " | ";
        table << " | " << verdictFor(info, *result).text << " |\n";
    }
    return table.str();
}

bool allTargetsMet(const CollectingReporter& reporter)
{
    for (const RegisteredCase& entry : registeredCases()) {
        const CollectingReporter::Result* result = resultOf(reporter, entry.name);
        if (!result)
            continue;
        if (!result->error.empty())
            return false;
        const Verdict verdict = verdictFor(entry.info, *result);
        if (verdict.hasTarget && !verdict.met)
            return false;
    }
    return true;
}
