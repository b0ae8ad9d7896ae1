#include "base/app_error.h"
#include "base/line_splitting.h"
#include "draw/round_files.h"
#include "draw/round_state.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using draw_history::Resume;

TEST(RoundFiles, AFailedResultsWriteChangesNothingAndAVoidOutlivesAHandEdit)
{
    ScopedWorkingDirectory dir;
    const QDateTime at(QDate(2026, 2, 1), QTime(20, 0));
    const std::vector<QByteArray> drawn = {G("五等奖：甲"), G("五等奖：乙"), G("五等奖：甲")};
    RoundState state(QStringLiteral("history.txt"));
    state.programStarted(at);
    for (const QByteArray& line : drawn)
        state.winnerRecorded(at, line);
    state.initialized(at);
    dir.writeFile("retotal.txt", "");
    const QByteArray historyBefore = dir.readFile("history.txt");

    dir.makeReadOnly("retotal.txt");
    EXPECT_THROW(round_files::restore(state, drawn, Resume::AfterReset, at), AppError);
    EXPECT_EQ(dir.readFile("history.txt"), historyBefore) << "the resume is noted only after";
    EXPECT_TRUE(state.currentRound().entries.empty());

    QFile::setPermissions(dir.filePath("retotal.txt"), QFile::ReadOwner | QFile::WriteOwner);
    round_files::restore(state, drawn, Resume::AfterReset, at);
    EXPECT_EQ(splitIntoLines(dir.readFile("retotal.txt")), drawn);
    ASSERT_EQ(state.currentRound().entries.size(), 3u);

    // The first 甲 is voided: the last equal line leaves the file.
    EXPECT_EQ(round_files::voidEntry(state, 0, at).size(), 2u);
    EXPECT_EQ(splitIntoLines(dir.readFile("retotal.txt")),
              (std::vector<QByteArray>{drawn[0], drawn[1]}));
    // 乙 edited out of the file by hand: the file stays, the void is noted.
    dir.writeFile("retotal.txt", drawn[0] + "\r\n");
    EXPECT_EQ(round_files::voidEntry(state, 1, at).size(), 1u);
    EXPECT_EQ(dir.readFile("retotal.txt"), drawn[0] + "\r\n");
    EXPECT_EQ(state.voidedWinners(), (std::vector<QByteArray>{drawn[0], drawn[1]}));
}

} // namespace
