#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// The presenter's black screen: a black cover over the whole stage view,
// above the board and every control, until it is taken away or the stage
// view is left. The draw goes on beneath it; a box still comes to the front.
class StageBlank : public QObject
{
    Q_OBJECT
  public:
    explicit StageBlank(QWidget* window);

    bool isBlanked() const { return cover_ != nullptr; }
    void setBlanked(bool blanked);
    QWidget* cover() const { return cover_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
    // Made only while the stage is black, so the window's controls are as
    // they were at every other time.
    QPointer<QWidget> cover_;
};
