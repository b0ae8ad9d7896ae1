// Participant files far larger than any party's: drawn from without a crash
// or a hang. The times are printed for the record, not asserted.

#include "reliability_support.h"

#include <QElapsedTimer>

namespace {

const QString kParticipants = QLatin1String(working_files::kParticipants);

QByteArray participantLine(int index)
{
    static const QByteArray stem = G("员工");
    return stem + QByteArray::number(index).rightJustified(7, '0') + " 110101199001011234";
}

// Written in pieces, so the test holds no second copy of the file.
void writeParticipantFile(const QString& path, qint64 bytes, int* lineCount)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray piece;
    int lines = 0;
    qint64 written = 0;
    while (written < bytes) {
        piece += participantLine(lines++) + "\r\n";
        if (piece.size() >= (1 << 20)) {
            ASSERT_EQ(file.write(piece), piece.size());
            written += piece.size();
            piece.clear();
        }
    }
    *lineCount = lines;
}

void report(const char* step, QElapsedTimer& timer)
{
    std::printf("%-40s %6lld ms\n", step, static_cast<long long>(timer.restart()));
}

TEST(LargeParticipantFile, TwoHundredMegabytesAreRolledAndDrawnFrom)
{
    DrawHarness draw;
    int lines = 0;
    QElapsedTimer timer;
    timer.start();
    writeParticipantFile(draw.dir.filePath(kParticipants), 200ll << 20, &lines);
    if (HasFatalFailure())
        return;
    report("write 200 MB", timer);
    draw.settings.countTexts = {"", "", "", "", "", "2"};
    draw.dir.writeFile(QLatin1String(working_files::kResults),
                       G("五等奖：") + participantLine(5) + "\r\n");

    draw.click();
    report("start: load and check", timer);
    ASSERT_TRUE(draw.surface.running());
    // The roll shows only who may win: the earlier winner is out already.
    EXPECT_EQ(draw.participants.count(), lines - 1);
    draw.tick();
    draw.pass();
    report("first tick and pass of the roll", timer);
    EXPECT_EQ(draw.surface.timerInterval, (lines - 1) * RollingDisplay::kIntervalPerParticipantMs);
    EXPECT_TRUE(draw.surface.display.startsWith(G("员工")));

    draw.setPickSeconds(5); // index 5 once the earlier winner is out
    draw.click();
    report("stop: reload, remove, pick, record", timer);
    EXPECT_EQ(draw.participants.count(), lines - 1);
    EXPECT_EQ(draw.currentWinner, participantLine(6));
    EXPECT_EQ(draw.resultsFile(), G("五等奖：") + participantLine(5) + "\r\n" + G("五等奖：") +
                                      participantLine(6) + "\r\n");
}

// At more than about 23.8 million lines, lines × 90 ms no longer fits the
// timer's int; the interval stops at its largest value.
TEST(LargeParticipantFile, MoreLinesThanTheTimerCanCountGiveTheLongestInterval)
{
    DrawHarness draw;
    draw.dir.writeFile(kParticipants, QByteArray(24'000'000, '\n'));
    draw.settings.countTexts = {"", "", "", "", "", "1"};
    draw.click();
    ASSERT_TRUE(draw.surface.running());
    draw.tick();
    EXPECT_EQ(draw.surface.timerInterval, std::numeric_limits<int>::max());
}

} // namespace
