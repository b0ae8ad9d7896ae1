#pragma once

#include <QPoint>
#include <QRect>
#include <vector>

// Where the stage view goes: on the main window itself, full screen as with
// one screen, or in a window of its own on another screen (the projector)
// while the main window stays where it is as the operator's console.
struct StagePlacement
{
    bool ownScreen = false;
    int screen = -1; // index into the screens given; -1 with the main window
    QRect geometry;  // the whole of that screen

    bool operator==(const StagePlacement& other) const
    {
        return ownScreen == other.ownScreen && screen == other.screen && geometry == other.geometry;
    }
};

namespace stage_placement {

// screens: every screen's geometry in the system's order; mainWindowCentre:
// where the main window is; onSecondScreen: the operator's option; chosen:
// the screen the operator picked (0-based), -1 for the first other one.
// A screen overlapping the main window's (a mirrored projector) is no second
// screen; with none left, or the option off, the main window shows the stage.
StagePlacement place(const std::vector<QRect>& screens, const QPoint& mainWindowCentre,
                     bool onSecondScreen, int chosen = -1);

} // namespace stage_placement
