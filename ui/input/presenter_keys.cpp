#include "ui/input/presenter_keys.h"

namespace presenter_keys {

namespace {

bool isForward(int key)
{
    return key == Qt::Key_PageDown || key == Qt::Key_Right;
}

bool isBack(int key)
{
    return key == Qt::Key_PageUp || key == Qt::Key_Left;
}

bool isBlankKey(int key)
{
    return key == Qt::Key_B || key == Qt::Key_Period;
}

} // namespace

bool isRemoteKey(int key)
{
    return isForward(key) || isBack(key) || isBlankKey(key) || key == Qt::Key_F5 ||
           key == Qt::Key_Escape;
}

Command commandFor(int key, Qt::KeyboardModifiers modifiers, const Scene& scene)
{
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return Command::None;
    if (!isRemoteKey(key))
        return Command::None;
    if (!scene.stageShown) {
        // The normal window: F5 opens the stage; arrows and pages belong to a
        // focused field, and the black screen to the stage view alone.
        if (key == Qt::Key_F5)
            return Command::EnterStage;
        if ((isForward(key) || isBack(key)) && !scene.fieldFocused)
            return isForward(key) ? Command::StartStop : Command::Nothing;
        return Command::None;
    }
    if (key == Qt::Key_Escape)
        return Command::LeaveStage;
    if (scene.blanked)
        return Command::Unblank;
    if (isBlankKey(key))
        return Command::Blank;
    if (isForward(key))
        return Command::StartStop;
    return Command::Nothing; // back, and F5 in the stage view already
}

} // namespace presenter_keys
