#pragma once

#include "storage/stage_screen_settings.h"

#include <QObject>

class QCheckBox;
class QComboBox;
class QWidget;
class TForm1;

// On the page 舞台与隐私: whether the stage view goes to a screen of its own
// and to which. Saving writes the changed values and hands them to the main
// window, which moves a stage view already shown.
class StageScreenField : public QObject
{
    Q_OBJECT
  public:
    StageScreenField(QWidget* page, int top);

    QCheckBox* onSecondScreenField() const { return onSecondScreen_; }
    QComboBox* screenField() const { return screen_; }

    // Fills the fields from the settings and the screens there are now.
    void fill();
    // Throws when the choice cannot be written.
    void save(TForm1* mainWindow);

  private:
    QCheckBox* onSecondScreen_;
    QComboBox* screen_;
};
