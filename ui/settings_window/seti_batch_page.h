#pragma once

#include <QWidget>
#include <array>

class QPushButton;
class QSpinBox;
class TForm1;

// The settings page after the four: how many winners one Stop draws for each
// level. Saving writes only the changed values, in a section of their own,
// and hands them to the main window at once; the draw is not started over.
class BatchPage : public QWidget
{
    Q_OBJECT
  public:
    explicit BatchPage(TForm1* mainWindow);

    QSpinBox* sizeField(int levelIndex) const
    {
        return sizeFields_[static_cast<size_t>(levelIndex)];
    }
    QPushButton* saveButton() const { return save_; }

    // Handler; throws on failure, the connection guards it.
    void saveClick();

  private:
    void fill();

    TForm1* mainWindow_;
    std::array<QSpinBox*, 6> sizeFields_{}; // grand to fifth
    QPushButton* save_ = nullptr;
};
