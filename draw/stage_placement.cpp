#include "draw/stage_placement.h"

namespace stage_placement {

namespace {

int screenHolding(const std::vector<QRect>& screens, const QPoint& point)
{
    for (size_t i = 0; i < screens.size(); ++i)
        if (screens[i].contains(point))
            return static_cast<int>(i);
    // A window off every screen is put on the first by the system.
    return 0;
}

} // namespace

StagePlacement place(const std::vector<QRect>& screens, const QPoint& mainWindowCentre,
                     bool onSecondScreen, int chosen)
{
    if (!onSecondScreen || screens.size() < 2)
        return StagePlacement();
    const int mainScreen = screenHolding(screens, mainWindowCentre);
    const QRect& console = screens[static_cast<size_t>(mainScreen)];
    auto usable = [&](int index) {
        if (index < 0 || index >= static_cast<int>(screens.size()) || index == mainScreen)
            return false;
        const QRect& screen = screens[static_cast<size_t>(index)];
        return !screen.isEmpty() && !screen.intersects(console);
    };
    int target = usable(chosen) ? chosen : -1;
    for (int i = 0; target < 0 && i < static_cast<int>(screens.size()); ++i)
        if (usable(i))
            target = i;
    if (target < 0)
        return StagePlacement();
    return StagePlacement{true, target, screens[static_cast<size_t>(target)]};
}

} // namespace stage_placement
