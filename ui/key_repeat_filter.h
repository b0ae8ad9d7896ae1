#pragma once

#include <QObject>

class QKeyEvent;

// A held key repeats its press many times a second; Enter runs Start/Stop or
// the focused button's command on every press. Watching the whole program,
// this drops the repeated presses of Enter, so a held Enter is one command,
// while presses the operator makes one by one, however fast, all go through.
class KeyRepeatFilter : public QObject
{
    Q_OBJECT
  public:
    explicit KeyRepeatFilter(QObject* parent = nullptr);

    static bool isRepeatedCommandKey(const QKeyEvent& event);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
