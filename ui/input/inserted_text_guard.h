#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

// Keeps text from coming into a field that only the program writes: a paste
// by key (Ctrl+V, Shift+Insert), the X selection by a middle click, and a
// drop. Typed characters are the key-press filter's job; keys that edit
// without producing a character, such as Delete, still reach the field.
class InsertedTextGuard : public QObject
{
    Q_OBJECT
  public:
    explicit InsertedTextGuard(QObject* parent = nullptr);

    // Guards the field and, for a scrolling field, the viewport that takes
    // its mouse and drop events.
    void guard(QWidget* field);

    static bool isPasteKey(const QKeyEvent& event);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
