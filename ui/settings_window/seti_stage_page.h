#pragma once

#include <QWidget>

class QCheckBox;
class QListWidget;
class QPushButton;
class TForm1;

// The settings page 舞台与隐私: what the audience may see of a participant
// line, its long numbers masked and which of its columns are shown. Saving
// writes the changed values in a section of their own and hands them to the
// main window at once; the draw is not started over.
class StagePage : public QWidget
{
    Q_OBJECT
  public:
    explicit StagePage(TForm1* mainWindow);

    QCheckBox* maskField() const { return mask_; }
    QListWidget* columnsField() const { return columns_; }
    QPushButton* saveButton() const { return save_; }

    // Handler; throws on failure, the connection guards it.
    void saveClick();
    // Fills the page from the settings and the participant list.
    void fill();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    TForm1* mainWindow_;
    QCheckBox* mask_ = nullptr;
    QListWidget* columns_ = nullptr;
    QPushButton* save_ = nullptr;
};

// After an import: when the list holds identity or mobile numbers and the
// operator has not yet said whether to hide them, one question, whose answer
// is kept. Throws when the answer cannot be written.
void askToHidePersonalNumbers(QWidget* box, TForm1* mainWindow, const QByteArray& participants);
