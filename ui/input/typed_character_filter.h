#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;

// Discards typed characters before a field inserts them, as a key-press
// handler does: every key that produces a character (Backspace, Enter and
// control characters included) and every input-method commit. Keys that
// produce no character, such as Delete and the arrows, still reach the field.
class TypedCharacterFilter : public QObject
{
    Q_OBJECT
  public:
    // Decides for one typed character whether it is accepted; the default
    // discards every character.
    using Decision = std::function<bool(QObject* field, QChar character)>;

    explicit TypedCharacterFilter(QObject* parent = nullptr, Decision accept = {});

    static bool producesCharacter(const QKeyEvent& event);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Decision accept_;
};
