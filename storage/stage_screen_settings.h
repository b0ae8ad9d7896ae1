#pragma once

#include <QByteArray>

// Whether the stage view goes to a screen of its own (the projector) and to
// which, in the section 舞台与隐私 beside the privacy settings. Written only
// once changed, so a settings file written before stays as it was; with
// nothing set the stage view fills the main window's screen as always.
struct StageScreenChoice
{
    bool onSecondScreen = false;
    int screen = -1; // 0-based; -1: the first screen other than the main window's

    bool operator==(const StageScreenChoice& other) const
    {
        return onSecondScreen == other.onSecondScreen && screen == other.screen;
    }
};

namespace stage_screen_settings {

QByteArray onSecondScreenKey(); // 舞台视图显示在第二屏幕: 是 or 否
QByteArray screenKey(); // 舞台屏幕: the screen's number from 1, empty for the first other

// Missing or unusable values keep the stage on the main window's screen.
StageScreenChoice read();
// Writes the values that differ from the file's.
void writeChanged(const StageScreenChoice& choice);

} // namespace stage_screen_settings
