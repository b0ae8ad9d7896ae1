#include "draw/stage_placement.h"
#include "storage/stage_screen_settings.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"

#include <gtest/gtest.h>

namespace {

const QRect kLaptop(0, 0, 1280, 800);
const QRect kProjector(1280, 0, 1920, 1080);
const QRect kLeftProjector(-1920, 0, 1920, 1080);
const QRect kThird(3200, 0, 1024, 768);

TEST(StagePlacement, TheStageGoesToAScreenBesideTheMainWindowsOnlyWhenChosen)
{
    const QPoint laptop(640, 400), big(2000, 500), off(-50, -50);
    const StagePlacement mainWindow, right{true, 1, kProjector};
    const struct
    {
        const char* what;
        std::vector<QRect> screens;
        QPoint centre;
        bool option;
        int chosen;
        StagePlacement expected;
    } rows[] = {
        {"option off", {kLaptop, kProjector}, laptop, false, -1, mainWindow},
        {"one screen", {kLaptop}, laptop, true, -1, mainWindow},
        {"no screen", {}, laptop, true, -1, mainWindow},
        {"projector right", {kLaptop, kProjector}, laptop, true, -1, right},
        {"projector left", {kLeftProjector, kLaptop}, laptop, true, -1, {true, 0, kLeftProjector}},
        {"console on the big one", {kLaptop, kProjector}, big, true, -1, {true, 0, kLaptop}},
        {"console off screen", {kLaptop, kProjector}, off, true, -1, right},
        {"mirrored", {kLaptop, QRect(0, 0, 1920, 1080)}, laptop, true, -1, mainWindow},
        {"empty screen", {kLaptop, QRect(1280, 0, 0, 0)}, laptop, true, -1, mainWindow},
        {"third chosen", {kLaptop, kProjector, kThird}, laptop, true, 2, {true, 2, kThird}},
        {"console chosen", {kLaptop, kProjector, kThird}, laptop, true, 0, right},
        {"chosen unplugged", {kLaptop, kProjector}, laptop, true, 2, right},
    };
    for (const auto& row : rows)
        EXPECT_EQ(stage_placement::place(row.screens, row.centre, row.option, row.chosen),
                  row.expected)
            << row.what;
}

TEST(StagePlacement, TheChoiceIsKeptOnlyOnceChanged)
{
    ScopedWorkingDirectory dir;
    EXPECT_EQ(stage_screen_settings::read(), StageScreenChoice());
    stage_screen_settings::writeChanged(StageScreenChoice());
    EXPECT_FALSE(dir.exists("rafflixset.ini"));
    stage_screen_settings::writeChanged({true, 1});
    EXPECT_EQ(stage_screen_settings::read(), (StageScreenChoice{true, 1}));
    EXPECT_TRUE(dir.readFile("rafflixset.ini").contains(G("舞台屏幕=2")));
    stage_screen_settings::writeChanged({true, -1});
    EXPECT_EQ(stage_screen_settings::read(), (StageScreenChoice{true, -1}));
    dir.writeFile("rafflixset.ini",
                  G("[舞台与隐私]\r\n舞台视图显示在第二屏幕=是\r\n舞台屏幕=99\r\n"));
    EXPECT_EQ(stage_screen_settings::read(), (StageScreenChoice{true, -1}));
}

} // namespace
