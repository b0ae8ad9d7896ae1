#pragma once

#include <QWidget>

class TForm1;

// The settings window with its four pages.
class TForm2 : public QWidget
{
    Q_OBJECT
  public:
    explicit TForm2(TForm1* mainWindow);

  private:
    TForm1* mainWindow_;
};
