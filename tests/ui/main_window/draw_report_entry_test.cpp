#include "base/app_error.h"
#include "draw/draw_command.h"
#include "draw/draw_harness.h"
#include "draw/round_state.h"
#include "storage/draw_record.h"
#include "ui/main_window/draw_report_entry.h"

#include <gtest/gtest.h>

namespace {

// No record: said so; a tampered one: no report; a sound one: the PDF.
TEST(DrawReportEntry, OnlyARecordThatVerifiesGetsAReport)
{
    DrawHarness draw;
    draw.setParticipants({G("甲"), G("乙"), G("丙"), G("丁"), G("戊"), G("己"), G("庚"), G("辛"),
                          G("壬"), G("癸"), G("子")});
    saveDrawReport(nullptr);
    ASSERT_EQ(draw.fakes.boxes.shown.size(), 1u);
    EXPECT_TRUE(draw.fakes.boxes.shown[0].text.contains(QStringLiteral("没有抽奖记录")));

    RoundState round(QLatin1String(draw_history::kFileName));
    round.programStarted(draw.fakes.clock.time);
    DrawContext context = draw.context();
    context.round = &round;
    runStartStop(context);
    runStartStop(context);
    const QByteArray record = draw.dir.readFile(QLatin1String(draw_record::kFileName));
    QByteArray changed = record;
    changed.replace(G("奖："), G("奖:"));
    draw.dir.writeFile(QLatin1String(draw_record::kFileName), changed);
    EXPECT_THROW(saveDrawReport(nullptr), AppError);

    draw.dir.writeFile(QLatin1String(draw_record::kFileName), record);
    draw.fakes.dialogs.answers.push_back(draw.dir.filePath(QStringLiteral("report.pdf")));
    saveDrawReport(nullptr);
    EXPECT_TRUE(draw.dir.readFile(QStringLiteral("report.pdf")).startsWith("%PDF"));
    EXPECT_TRUE(draw.fakes.boxes.shown.back().text.contains(QStringLiteral("1 位中奖者")));
}

} // namespace
