#pragma once

#include <QFont>
#include <QObject>
#include <QPointer>
#include <vector>

class QAction;
class QMenu;
class StageMode;

// The right-click menu as it opens. Its first entries tell the operator
// where the program works, how many are in the list and the keys; the stage
// view hides them from the audience and letters the menu and its submenus
// at the stage's scale, so it reads on the projector.
class PopupMenuView : public QObject
{
    Q_OBJECT
  public:
    // The menu's information entries are added here, as its first entries.
    PopupMenuView(QWidget* window, QMenu* menu, StageMode* stage);

    const std::vector<QAction*>& informationEntries() const { return information_; }
    // Brings texts, visibility and letters up to date; runs as the menu opens.
    void update();

  private:
    QMenu* menu_;
    StageMode* stage_;
    QFont designFont_;
    std::vector<QAction*> information_;
};
