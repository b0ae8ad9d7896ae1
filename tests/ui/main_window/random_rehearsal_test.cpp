#include "rehearsal_model.h"

#include "base/line_splitting.h"
#include "draw/draw_options.h"
#include "draw/extra_prize_edits.h"
#include "storage/draw_history.h"
#include "storage/draw_rules_file.h"
#include "storage/program_settings.h"
#include "support/fake_services.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"
#include "ui/guard/handler_guard.h"
#include "ui/main_window/cou.h"
#include "ui/main_window/operator_menu.h"
#include "ui/main_window/results_list_lines.h"
#include "ui/main_window/round_controls.h"
#include "ui/stage/stage_mode.h"
#include "ui/stage/stage_screens.h"
#include "verify/record_check.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBlock>
#include <gtest/gtest.h>
#include <memory>

using namespace rehearsal;

namespace {

// Sequences that failed once, shortened; each must pass for good.
const std::vector<const char*> kRegressionSequences = {
    // the earlier of two equal winners voided, then a kill and continue
    "p28 ry v62 c c c v17 c c kn s2.3.3.0.1.2y t l73 c l80 x23 e20 c c c b4.1.1.4.1.1 c c c c ry t "
    "c v72 c c c c ry e54 c c v74 ky",
    "p36 c c s2.0.0.0.0.0y",                      // a save leaves the old progress
    "p12 c i l80",                                // Initialize mid-roll idles the board
    "p18 c c c c s0.0.0.0.0.1n t c",              // take-back under lower counts
    "p30 b2.1.4.3.4.1 c c c c s0.0.0.3.3.0n t c", // the same, board at Start
    "p17 c c s0.0.0.0.3.0y b3.1.4.4.4.3 t c c",   // the same, at the Stop
    "p12 s0.0.0.0.0.11n b1.1.1.1.1.4 c c c c c c v0 v0 c c c c",  // voids leave too few
    "p14 a3.2 c c e0 c c v0 kn ky e0 c c c c c c c c c c e0 c c", // extra prizes across a kill
                                                                  // (written, not shortened)
    "p12 m1 c m0 m1 c v0 c m0 c ry m1 c c", // the projector in and out mid-roll (written)
    // a choice mid-roll under a group cap; one nobody may win (written)
    "p38 b2.2.4.2.2.1 g61 s0.4.0.0.0.0n c c c l95",
    "p12 g7 s0.5.0.0.0.2n b1.3.1.1.1.1 l2 c c c l2 c",
    "p32 b1.1.2.4.3.4 c c c v75", // a void mid-roll opens a lower level's place
};

QByteArray titlePicture()
{
    static const QByteArray bytes = [] {
        QImage picture(700, 110, QImage::Format_RGB888);
        picture.fill(Qt::red);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "JPG");
        return jpeg;
    }();
    return bytes;
}

struct Failure
{
    std::string check; // which check failed, kept while shortening
    std::string detail;
};

// One sequence against a real main window in a fresh working folder.
class Rehearsal
{
  public:
    explicit Rehearsal(const Sequence& sequence) : sequence_(sequence)
    {
        // Names of one width: no name begins another. A second column, the
        // group that caps count.
        QByteArray list;
        for (int i = 0; i < sequence.participants; ++i) {
            model_.people.push_back(G("员工") + QByteArray::number(100 + i) + '\t' + G("组") +
                                    QByteArray::number(i % 3));
            list += model_.people.back() + "\r\n";
        }
        dir_.writeFile("bg.jpg", titlePicture());
        dir_.writeFile("rafflixlist.txt", list);
    }

    std::vector<Failure> run()
    {
        startWindow(false);
        for (size_t i = 0; i < sequence_.actions.size() && !stopped_; ++i) {
            const size_t failedBefore = failures_.size();
            fakes_.clock.time = fakes_.clock.time.addSecs(1); // the pick depends on the second
            fakes_.boxes.shown.clear();
            fakes_.boxes.answers.clear();
            perform(sequence_.actions[i]);
            checkFiles();
            for (size_t f = failedBefore; f < failures_.size(); ++f)
                failures_[f].detail = "after action " + std::to_string(i) + " (" +
                                      format(sequence_.actions[i]) + "): " + failures_[f].detail;
        }
        // Whatever the operator did, anyone can compute the winners again.
        const record_check::Result record = record_check::checkFolder(dir_.path());
        if (!stopped_)
            expect(record.outcome == record_check::Result::Outcome::Verified, "record",
                   "entry " + std::to_string(record.failedEntry) + ": " +
                       record.reason.english.toStdString());
        return failures_;
    }

  private:
    // A failed check the model does not follow (the screen's texts) lets
    // the sequence go on; any other ends it.
    void expect(bool holds, const char* check, const std::string& detail)
    {
        if (holds || stopped_ || failed(check))
            return;
        failures_.push_back(Failure{check, detail});
        stopped_ = std::string(check) != "progress" && std::string(check).rfind("board", 0) != 0;
    }
    bool failed(const std::string& check) const
    {
        return std::any_of(failures_.begin(), failures_.end(),
                           [&check](const Failure& failure) { return failure.check == check; });
    }
    std::vector<QByteArray> results() { return splitIntoLines(dir_.readFile("retotal.txt")); }
    QPlainTextEdit* resultsList() { return window_->findChild<QPlainTextEdit*>("mmo1"); }
    QStringList listLines() { return resultsList()->toPlainText().split(QLatin1Char('\n')); }
    const DrawStatus& status() { return window_->drawStatus(); }
    bool boxShown(const QString& text)
    {
        return std::any_of(fakes_.boxes.shown.begin(), fakes_.boxes.shown.end(),
                           [&text](const BoxRequest& box) { return box.text.contains(text); });
    }
    template <typename Step> void guardedStep(Step step) { guarded(window_.get(), step); }

    // A start of the program in the folder, shown, with the continue
    // question answered as the action says.
    void startWindow(bool continueRound)
    {
        model_.rounds.push_back({Model::Start::ProgramStart, {}});
        model_.kept.clear();
        model_.chosen.reset();
        model_.chosenExtra.clear();
        const Model::Round* left = model_.leftByRestart();
        fakes_.boxes.answers = {continueRound ? BoxAnswer::Yes : BoxAnswer::No};
        const size_t shownBefore = fakes_.boxes.shown.size();
        window_ = std::make_unique<TForm1>();
        window_->show();
        QApplication::processEvents();
        const auto questions =
            std::count_if(fakes_.boxes.shown.begin() + shownBefore, fakes_.boxes.shown.end(),
                          [](const BoxRequest& box) { return box.yesNo; });
        expect(questions == (left ? 1 : 0), "continue question",
               left ? "no question to continue the round left behind"
                    : "asked to continue with no round left behind");
        if (left && continueRound)
            model_.resume();
        else if (left)
            model_.rounds.push_back({Model::Start::NewRound, {}});
    }

    void perform(const Action& action)
    {
        const bool rolling = window_->isDrawRunning();
        switch (action.kind) {
        case Action::StartStop:
            return startStop(rolling);
        case Action::Initialize:
            window_->findChild<QPushButton*>("btn2")->click();
            // An Initialize while the names roll empties the lists they roll
            // from; what the Stop draws is known again at the next Start.
            boardUnknownUntilStart_ = rolling;
            model_.newRound(Model::Start::Initialize);
            model_.chosen.reset();
            model_.chosenExtra.clear();
            return;
        case Action::TakeBack:
            window_->roundControls()->takeBackAction()->trigger(); // Ctrl+R
            if (!rolling && model_.leftByReset()) {
                model_.resume();
                model_.chosen.reset();
                model_.chosenExtra.clear();
            }
            return;
        case Action::AddExtra: {
            const QByteArray name = G("加奖") + QByteArray::number(++model_.extrasAdded);
            const QString problem = extra_prize_edits::add({name,
                                                            {},
                                                            QByteArray::number(action.values[0]),
                                                            QByteArray::number(action.values[1])});
            expect(problem.isEmpty(), "add extra prize", problem.toStdString());
            model_.extras.push_back({name, action.values[0], action.values[1]});
            // Shown beside the progress from the next change of the round on.
            progressKeptBySave_ = window_->findChild<QLabel*>("lbl3")->text();
            return;
        }
        case Action::RemoveExtra: {
            if (model_.extras.empty())
                return;
            const auto gone = model_.extras.begin() + action.pick % model_.extras.size();
            extra_prize_edits::remove(gone->name);
            model_.extras.erase(gone);
            progressKeptBySave_ = window_->findChild<QLabel*>("lbl3")->text();
            return;
        }
        case Action::ChooseExtra: {
            const std::vector<QByteArray> open = model_.openExtras();
            if (open.empty())
                return;
            const Model before = model_;
            model_.chosen.reset();
            model_.chosenExtra = open[action.pick % open.size()];
            guardedStep(
                [&] { window_->findChild<OperatorMenu*>()->chooseExtraPrize(model_.chosenExtra); });
            return rollTurned(rolling, before, "board after a choice");
        }
        case Action::Void:
            return voidWinner(action.pick, rolling);
        case Action::Choose: {
            const std::vector<PrizeLevel> levels = model_.openLevels();
            const unsigned entry = action.pick % (levels.size() + 1);
            const Model before = model_;
            model_.chosen = entry ? std::optional<PrizeLevel>(levels[entry - 1]) : std::nullopt;
            model_.chosenExtra.clear();
            guardedStep([&] { window_->findChild<OperatorMenu*>()->choose(model_.chosen); });
            return rollTurned(rolling, before, "board after a choice");
        }
        case Action::SavePrizes:
            if (rolling) // the settings window refuses while the names roll
                return;
            saveCounts(action);
            return;
        case Action::SaveBatch:
            if (rolling)
                return;
            program_settings::writeChangedBatchSizes(action.values);
            loadDrawOptions(window_->drawOptions());
            model_.batchSizes = action.values;
            return;
        case Action::Exclude:
            // Rules saved while the names roll hold from the Stop; the
            // board announced the Start's.
            boardUnknownUntilStart_ = boardUnknownUntilStart_ || rolling;
            return exclude(action.pick);
        case Action::Cap:
            boardUnknownUntilStart_ = boardUnknownUntilStart_ || rolling;
            model_.caps[action.pick % 6] = int(action.pick / 6 % 3);
            return writeRules();
        case Action::Restart:
        case Action::Kill:
            return restart(action);
        case Action::Screens:
            return moveStage(action.pick % 2 == 1);
        }
    }

    // A projector plugged in or out with the stage view shown: where the
    // stage shows changes, the draw does not (the checks after every step).
    void moveStage(bool projector)
    {
        StageScreens& screens = *window_->stageScreens();
        const QRect console = window_->screen()->geometry();
        screens.setChoice({true, -1});
        window_->stageMode()->enter();
        screens.screensChanged(
            projector ? std::vector<QRect>{console, console.translated(console.width(), 0)}
                      : std::vector<QRect>{console});
        expect(screens.isShown() == projector && window_->stageMode()->isActive() != projector,
               "stage screen",
               projector ? "the stage view is not on the projector"
                         : "the stage view is not back on the main window");
    }

    // While the names roll the roll and the board turn to a choice or a void,
    // as at a Start; a choice nobody may win is told and stays as it was.
    void rollTurned(bool rolling, const Model& before, const char* when)
    {
        if (!rolling || (!model_.nextLevel() && model_.nextExtra().isEmpty()))
            return;
        if (model_.expectedWinners() == 0) {
            expect(boxShown(QStringLiteral("已没有可以中奖的人")), "choice refused",
                   "no box says that nobody may win the choice");
            model_.chosen = before.chosen;
            model_.chosenExtra = before.chosenExtra;
            return;
        }
        boardUnknownUntilStart_ = false;
        expectBoard(when);
    }

    // What the board says while the names roll: the model's next Stop.
    void expectBoard(const char* when)
    {
        const int expected = model_.expectedWinners();
        const QByteArray extra = model_.nextExtra();
        expect(status().phase == DrawStatus::Phase::Rolling && status().batch == expected &&
                   status().extraPrize == extra &&
                   (!extra.isEmpty() || status().level == model_.nextLevel()),
               when,
               std::string(when) + ": the board announces " + std::to_string(status().batch) +
                   " of level " + std::to_string(levelIndex(status().level)) + ", expected " +
                   std::to_string(expected) + " of level " +
                   (extra.isEmpty() ? std::to_string(levelIndex(*model_.nextLevel()))
                                    : gbk::decode(extra).toStdString()));
    }

    void startStop(bool rolling)
    {
        const QByteArray extra = model_.nextExtra();
        const std::optional<PrizeLevel> level = model_.nextLevel();
        const int expected = model_.expectedWinners();
        if (!rolling)
            boardUnknownUntilStart_ = false;
        window_->findChild<QPushButton*>("btn3")->click();
        const bool allDrawn = boxShown(QStringLiteral("抽奖数据已全部产生"));
        expect(allDrawn == (!level && extra.isEmpty()), "all-drawn box",
               level ? "the all-drawn box came while level " + std::to_string(levelIndex(*level)) +
                           " has " + std::to_string(model_.open(*level)) + " open places"
                     : "no all-drawn box with every place drawn");
        if ((!level && extra.isEmpty()) || stopped_)
            return;
        if (!rolling) {
            if (expected > 0)
                expectBoard("board at Start");
            return;
        }
        const std::vector<QByteArray> after = results();
        expect(after.size() >= model_.kept.size() &&
                   std::equal(model_.kept.begin(), model_.kept.end(), after.begin()),
               "Stop keeps earlier winners", "the Stop changed the winners before it");
        if (stopped_)
            return;
        const std::vector<QByteArray> drawn(after.begin() + model_.kept.size(), after.end());
        expect(static_cast<int>(drawn.size()) == expected, "Stop winners",
               "the Stop drew " + std::to_string(drawn.size()) + ", expected " +
                   std::to_string(expected));
        std::set<QByteArray> batch;
        for (const QByteArray& line : drawn) {
            const QByteArray person = results_format::recordedWinner(line);
            const std::string who = gbk::decode(line).toStdString();
            expect(extra.isEmpty() ? results_format::levelPrefix(line) == levelName(*level)
                                   : results_format::extraPrizeName(line) == extra,
                   "Stop level",
                   who + " drawn, expected " +
                       (extra.isEmpty() ? "level " + std::to_string(levelIndex(*level))
                                        : gbk::decode(extra).toStdString()));
            expect(!model_.voidedPeople().count(person), "voided drawn again",
                   who + " was voided in this round");
            expect(model_.mayWin(person) && batch.insert(person).second, "won twice",
                   who + " has won in this round already");
            if (extra.isEmpty() && model_.cap(*level) > 0) {
                expect(model_.groupWinners(*level, person) < model_.cap(*level), "group cap",
                       who + " drawn past the group's cap");
                model_.kept.push_back(line); // the next of the batch counts it
            }
        }
        expect(expected == 0 || status().batch == expected, "board at Stop",
               "the board shows " + std::to_string(status().batch) + " drawn");
        for (const QByteArray& line : drawn)
            model_.current().entries.push_back({line, false});
        model_.kept = after;
        model_.chosen.reset();
        model_.chosenExtra.clear();
    }

    void voidWinner(unsigned pick, bool rolling)
    {
        RoundControls& rounds = *window_->roundControls();
        std::vector<int> voidable;
        for (int line = 0; line < resultsList()->document()->blockCount(); ++line)
            if (rounds.entryOnLine(line) >= 0)
                voidable.push_back(line);
        const int kept = Model::activeCount(model_.current());
        expect(static_cast<int>(voidable.size()) == kept, "voidable lines",
               "the results list offers " + std::to_string(voidable.size()) +
                   " winners to void, the round keeps " + std::to_string(kept));
        if (voidable.empty() || stopped_)
            return;
        const int line = voidable[pick % voidable.size()];
        const QByteArray shown = gbk::encode(
            results_list_lines::wholeLine(resultsList()->document()->findBlockByNumber(line)));
        fakes_.boxes.answers = {BoxAnswer::Yes};
        guardedStep([&] { rounds.voidWinnerOnLine(line); });
        model_.voidWinner(shown.left(shown.indexOf(G(" 时间："))));
        rollTurned(rolling, model_, "board after a void");
        if (!rolling) {
            model_.chosen.reset();
            model_.chosenExtra.clear();
        }
    }

    // The rules file as the page writes it: it holds from the next Stop,
    // the round goes on.
    void exclude(unsigned pick)
    {
        if (pick == 0)
            model_.excluded.clear();
        else
            model_.excluded.insert(model_.people[pick % model_.people.size()]);
        writeRules();
    }
    void writeRules()
    {
        DrawRules rules;
        rules.excluded.values.assign(model_.excluded.begin(), model_.excluded.end());
        for (PrizeLevel level : kAllPrizeLevels)
            if (model_.cap(level) > 0)
                rules.levels[levelName(level)].cap = {G("第2列"), model_.cap(level)};
        draw_rules_file::write(QLatin1String(draw_rules_file::kFileName), rules);
    }

    void saveCounts(const Action& action)
    {
        program_settings::PrizeSettings prizes = program_settings::readPrizes();
        for (size_t i = 0; i < 6; ++i)
            prizes.counts[i] = action.values[i] ? QByteArray::number(action.values[i]) : "";
        prizes.repeat = action.repeats ? setting_names::yes() : setting_names::no();
        program_settings::writePrizes(prizes);
        guardedStep([&] { window_->loadMainWindowState(); });
        // A save leaves the progress on screen as it was, with the winners
        // the list still shows, until the next change of the round.
        progressKeptBySave_ = window_->findChild<QLabel*>("lbl3")->text();
        model_.counts = action.values;
        model_.repeats = action.repeats;
        if (!model_.current().entries.empty())
            model_.rounds.push_back({Model::Start::SettingsSave, {}});
        model_.kept.clear();
        model_.chosen.reset();
        model_.chosenExtra.clear();
    }

    void restart(const Action& action)
    {
        const std::vector<QByteArray> before = results();
        const QStringList shownBefore = listLines();
        const Model::Round* left = nullptr;
        if (action.kind == Action::Restart) {
            fakes_.boxes.answers = {BoxAnswer::Yes}; // yes, close the program
            window_->close();
        }
        window_.reset();
        model_.rounds.push_back({Model::Start::ProgramStart, {}});
        left = model_.leftByRestart();
        const size_t entries = left ? left->entries.size() : 0;
        const bool leftWasCurrent = left == &model_.rounds[model_.rounds.size() - 2];
        model_.rounds.pop_back();
        startWindow(action.pick);
        if (!left || stopped_)
            return;
        const QStringList shown = listLines();
        if (action.pick && leftWasCurrent) {
            expect(results() == before, "continue keeps the round",
                   "retotal.txt changed by a continue");
            expect(shown.mid(1) == shownBefore.mid(shownBefore.size() - int(entries)),
                   "continue keeps the round", "the results list changed by a continue");
        } else if (!action.pick) {
            expect(results().empty() && shown.size() == 1, "decline starts anew",
                   "winners left after declining to continue");
        }
    }

    void checkFiles()
    {
        for (const BoxRequest& box : fakes_.boxes.shown)
            expect(box.icon != BoxIcon::Critical, "error box", box.text.toStdString());
        const std::vector<QByteArray> kept = results();
        expect(kept == model_.kept, "results file",
               "retotal.txt holds " + std::to_string(kept.size()) + " winners, the round keeps " +
                   std::to_string(model_.kept.size()));
        std::set<QByteArray> inHistory;
        for (const QByteArray& line : splitIntoLines(dir_.readFile(draw_history::kFileName))) {
            const draw_history::HistoryLine read = draw_history::readLine(line);
            if (read.kind == draw_history::HistoryLine::Kind::Winner)
                inHistory.insert(read.resultsLine);
        }
        for (const QByteArray& line : kept)
            expect(inHistory.count(line), "history",
                   gbk::decode(line).toStdString() + " is not in the history");
        const QString progress = window_->findChild<QLabel*>("lbl3")->text();
        const int recorded = model_.levelLines();
        if (progressKeptBySave_ && progress == *progressKeptBySave_)
            return;
        progressKeptBySave_.reset();
        if (model_.overCount()) { // the text itself is still open here
            const QRegularExpressionMatch match =
                QRegularExpression(QStringLiteral("(\\d+)/(\\d+)")).match(progress);
            expect(!match.hasMatch() || match.captured(1).toInt() <= match.captured(2).toInt(),
                   "progress", "progress " + progress.toStdString() + " beyond its total");
        } else {
            QString wanted = recorded
                                 ? QStringLiteral("进度：%1/%2").arg(recorded).arg(model_.total())
                                 : QString();
            if (const auto [drawn, places] = model_.extraProgress();
                places > 0 && (recorded > 0 || drawn > 0))
                wanted += (wanted.isEmpty() ? QString() : QStringLiteral("　")) +
                          QStringLiteral("加奖 %1/%2").arg(drawn).arg(places);
            expect(progress == wanted, "progress",
                   "progress \"" + progress.toStdString() + "\", files hold " +
                       wanted.toStdString());
        }
    }

    ScopedWorkingDirectory dir_;
    ScopedFakeServices fakes_;
    std::optional<QString> progressKeptBySave_;
    bool boardUnknownUntilStart_ = false;
    std::unique_ptr<TForm1> window_;
    Sequence sequence_;
    Model model_;
    std::vector<Failure> failures_;
    bool stopped_ = false;
};

std::vector<Failure> rehearse(const Sequence& sequence)
{
    return Rehearsal(sequence).run();
}

std::optional<Failure> failureOf(const std::vector<Failure>& failures, const std::string& check)
{
    for (const Failure& failure : failures)
        if (failure.check == check)
            return failure;
    return std::nullopt;
}

// Delta debugging: drops ever smaller runs of actions while the same check
// still fails.
Sequence shorten(Sequence sequence, const std::string& check)
{
    for (size_t chunk = sequence.actions.size() / 2; chunk >= 1;) {
        bool dropped = false;
        for (size_t at = 0; at + chunk <= sequence.actions.size();) {
            Sequence shorter = sequence;
            shorter.actions.erase(shorter.actions.begin() + at,
                                  shorter.actions.begin() + at + chunk);
            if (failureOf(rehearse(shorter), check)) {
                sequence = shorter;
                dropped = true;
            } else {
                at += chunk;
            }
        }
        if (!dropped)
            chunk /= 2;
    }
    return sequence;
}

int environmentNumber(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

// The working folders on a memory file system when there is one: the
// program syncs every write, and the disk would set the pace.
class MemoryTemporaryFolder
{
  public:
    MemoryTemporaryFolder() : previous_(qgetenv("TMPDIR"))
    {
        if (previous_.isEmpty() && QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            qputenv("TMPDIR", "/dev/shm");
    }
    ~MemoryTemporaryFolder()
    {
        if (previous_.isEmpty())
            qunsetenv("TMPDIR");
    }

  private:
    QByteArray previous_;
};

constexpr int kShards = 4;
constexpr int kActions = 50;

class RandomRehearsal : public ::testing::TestWithParam<int>
{
};

TEST_P(RandomRehearsal, SequencesOfOperatorActionsKeepTheRoundRight)
{
    MemoryTemporaryFolder memory;
#ifdef PRIZMORA_SANITIZED
    // Under the sanitizers every step is several times slower: a tenth of
    // the sequences there, the full count in the plain build.
    const int sequences = environmentNumber("PRIZMORA_REHEARSAL_SEQUENCES", 200);
#else
    const int sequences = environmentNumber("PRIZMORA_REHEARSAL_SEQUENCES", 2000);
#endif
    const int firstSeed = environmentNumber("PRIZMORA_REHEARSAL_SEED", 1);
    std::set<std::string> failedChecks;
    for (int n = GetParam(); n < sequences; n += kShards) {
        std::mt19937 random(static_cast<unsigned>(firstSeed + n));
        const Sequence sequence = randomSequence(random, kActions);
        for (const Failure& failure : rehearse(sequence)) {
            if (!failedChecks.insert(failure.check).second)
                continue; // each failing check shortened once
            const Sequence shortest = shorten(sequence, failure.check);
            ADD_FAILURE() << "seed " << firstSeed + n << ", check \"" << failure.check
                          << "\"\n  shortened: \"" << format(shortest) << "\"\n  "
                          << failureOf(rehearse(shortest), failure.check).value_or(failure).detail;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(RandomRehearsal, RandomRehearsal, ::testing::Range(0, kShards));

TEST(RandomRehearsalRegressions, EachShortenedSequencePasses)
{
    MemoryTemporaryFolder memory;
    for (const char* text : kRegressionSequences) {
        for (const Failure& failure : rehearse(parse(text)))
            ADD_FAILURE() << text << "\n  " << failure.detail;
    }
}

} // namespace
