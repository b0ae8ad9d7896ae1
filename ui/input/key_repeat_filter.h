#pragma once

#include <QHash>
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

    // The press is a repeat of a held Enter: marked so, or following a
    // release of the same key at once. The X server sends each repeat as a
    // release and a press with one time stamp; under load the toolkit may
    // fail to pair them and report a fresh press, which no hand can make
    // within a few milliseconds of letting go. A press of Enter while Enter
    // is down (pressed within the last second, no release since) is a repeat
    // too, however it is marked; a release missed while another program had
    // the keys cannot hold Enter down for longer than that.
    bool isRepeatedCommandPress(const QKeyEvent& event) const;

    // The same judgement for any key, which the filter lets through: those
    // whose press is a command (the presenter remote's keys) drop the repeats
    // themselves where they take the key, while a held arrow in a field still
    // moves the cursor. The press the filter saw last keeps its verdict.
    bool isRepeatedPress(const QKeyEvent& event) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool judgedRepeat(const QKeyEvent& event) const;
    void notePress(const QKeyEvent& event, bool repeated);

    static constexpr unsigned long kSameMomentMs = 5;
    // Far longer than any repeat interval and the delay before the first.
    static constexpr unsigned long kRepeatGapMs = 1000;

    int releasedKey_ = 0;
    unsigned long releasedAt_ = 0;
    // The last press of each key not yet released, by key.
    QHash<int, unsigned long> downAt_;
    int lastKey_ = 0;
    unsigned long lastPressAt_ = 0;
    bool lastRepeated_ = false;
};
