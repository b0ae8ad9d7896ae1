#pragma once

#include <QLineEdit>

class QToolButton;

// A one-line field with an ellipsis button at its right end, as the path
// fields of the basic page need: the field keeps its text, the button only
// raises buttonClicked().
class ButtonEdit : public QLineEdit
{
    Q_OBJECT
  public:
    explicit ButtonEdit(QWidget* parent = nullptr);

    QToolButton* ellipsisButton() const { return button_; }

  signals:
    void buttonClicked();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void placeButton();

    QToolButton* button_;
};
