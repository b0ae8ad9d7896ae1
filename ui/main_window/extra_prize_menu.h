#pragma once

#include <QObject>

class QMenu;
class TForm1;

// The right-click menu's 加奖 entries: add one, change or remove each, so
// the operator adds the boss's prize in seconds, on stage too. Adding and
// changing open the settings page 加奖 at the prize; removing asks first
// when the prize has winners, who stay in the record.
class ExtraPrizeMenu : public QObject
{
  public:
    ExtraPrizeMenu(TForm1* window, QMenu* menu);

    QMenu* prizeMenu() const { return prizeMenu_; }
    // Shows the settings window on page 加奖 at the prize (empty: a new one).
    void openPage(const QString& name);
    void remove(const QByteArray& name);

  private:
    void fill();

    TForm1* window_;
    QMenu* prizeMenu_;
};
