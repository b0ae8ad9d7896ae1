#pragma once

#include "draw/draw_options.h"
#include "draw/draw_status.h"

#include <QObject>
#include <functional>

class QMenu;
struct ExtraPrizeTally;
class TForm1;

// The operator's entries added to the main window's right-click menu: the
// level the next Stop draws (the levels with open places), and the commands
// whose buttons the stage view hides.
class OperatorMenu : public QObject
{
    Q_OBJECT
  public:
    // statusChanged runs after a choice, so the screen shows the chosen level.
    OperatorMenu(TForm1* window, QMenu* menu, DrawOptions& options, DrawStatus& status,
                 std::function<void()> statusChanged);

    QMenu* levelMenu() const { return levelMenu_; }
    // The operator chose the level (nullopt: the automatic order).
    void choose(std::optional<PrizeLevel> level);
    // The operator chose an extra prize: never drawn in the order, only so.
    void chooseExtraPrize(const QByteArray& name);

  private:
    void fillLevelMenu();
    void addExtraPrizes(const ExtraPrizeTally& extras);
    void noteChoice(const DrawOptions& before);

    TForm1* window_;
    DrawOptions& options_;
    DrawStatus& status_;
    std::function<void()> statusChanged_;
    QMenu* levelMenu_;
};
