#pragma once

#include <QObject>

class KeyRepeatFilter;
class QKeyEvent;
class StageBlank;
class StageMode;
class TForm1;

// The presenter remote on the main window: its keys run the draw's commands
// (presenter_keys), one command per press however long the button is held.
class PresenterRemote : public QObject
{
    Q_OBJECT
  public:
    PresenterRemote(TForm1* window, StageMode* stage, const KeyRepeatFilter* repeats);

    // True when the key was the remote's and is taken.
    bool handleKey(const QKeyEvent& key);
    StageBlank* blank() const { return blank_; }

  private:
    TForm1* window_;
    StageMode* stage_;
    StageBlank* blank_;
    const KeyRepeatFilter* repeats_;
};
