#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

class StageMode;

// Hides the operator's buttons from the audience while the stage view is
// shown and brings them back after it; their commands stay in the window's
// right-click menu.
class StageOperatorButtons : public QObject
{
    Q_OBJECT
  public:
    StageOperatorButtons(QWidget* window, StageMode* stage, std::vector<QWidget*> buttons);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
    StageMode* stage_;
    std::vector<QPointer<QWidget>> buttons_;
};
