#include "ui/input/presenter_keys.h"

#include <gtest/gtest.h>

namespace {

using presenter_keys::Command;
using presenter_keys::Scene;

// Every remote key in the four places it can be pressed.
TEST(PresenterKeys, EachKeyInEachScene)
{
    const Scene normal{false, false, false};
    const Scene normalField{false, false, true};
    const Scene stage{true, false, false};
    const Scene stageFieldBlack{true, true, true};
    struct Row
    {
        int key;
        Command normal, normalField, stage, black;
    };
    const Row rows[] = {
        {Qt::Key_PageDown, Command::StartStop, Command::None, Command::StartStop, Command::Unblank},
        {Qt::Key_Right, Command::StartStop, Command::None, Command::StartStop, Command::Unblank},
        {Qt::Key_PageUp, Command::Nothing, Command::None, Command::Nothing, Command::Unblank},
        {Qt::Key_Left, Command::Nothing, Command::None, Command::Nothing, Command::Unblank},
        {Qt::Key_B, Command::None, Command::None, Command::Blank, Command::Unblank},
        {Qt::Key_Period, Command::None, Command::None, Command::Blank, Command::Unblank},
        {Qt::Key_F5, Command::EnterStage, Command::EnterStage, Command::Nothing, Command::Unblank},
        {Qt::Key_Escape, Command::None, Command::None, Command::LeaveStage, Command::LeaveStage},
        {Qt::Key_Return, Command::None, Command::None, Command::None, Command::None},
        {Qt::Key_F11, Command::None, Command::None, Command::None, Command::None},
        {Qt::Key_Down, Command::None, Command::None, Command::None, Command::None},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(commandFor(row.key, Qt::NoModifier, normal), row.normal);
        EXPECT_EQ(commandFor(row.key, Qt::NoModifier, normalField), row.normalField);
        EXPECT_EQ(commandFor(row.key, Qt::NoModifier, stage), row.stage);
        EXPECT_EQ(commandFor(row.key, Qt::NoModifier, stageFieldBlack), row.black);
        // Shift is how some remotes send F5; Ctrl, Alt and Meta are the keyboard's.
        EXPECT_EQ(commandFor(row.key, Qt::ShiftModifier, stage), row.stage);
        for (Qt::KeyboardModifier held : {Qt::ControlModifier, Qt::AltModifier, Qt::MetaModifier})
            EXPECT_EQ(commandFor(row.key, held, stage), Command::None);
    }
}

} // namespace
