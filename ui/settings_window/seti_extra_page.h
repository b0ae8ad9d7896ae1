#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The settings page 加奖: the prizes added on the night, each added, changed
// or removed at once in its own file. The round goes on: nothing here
// touches the results file or reruns the main window's start-up.
class ExtraPrizePage : public QWidget
{
    Q_OBJECT
  public:
    ExtraPrizePage();

    QListWidget* prizeList() const { return list_; }
    QLineEdit* nameField() const { return name_; }
    QLineEdit* prizeField() const { return prize_; }
    QLineEdit* countField() const { return count_; }
    QLineEdit* batchField() const { return batch_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* changeButton() const { return change_; }
    QPushButton* removeButton() const { return remove_; }
    QLabel* problemLabel() const { return problem_; }

    // The right-click menu opens the page on a prize (empty: a new one).
    Q_INVOKABLE void selectPrize(const QString& name);
    // The list as the file holds it now.
    Q_INVOKABLE void refresh();

    // Handlers; throw on failure, the connections guard them.
    void addClick();
    void changeClick();
    void removeClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void fillFields(int row);
    void tell(const QString& problem);

    QListWidget* list_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* prize_ = nullptr;
    QLineEdit* count_ = nullptr;
    QLineEdit* batch_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* change_ = nullptr;
    QPushButton* remove_ = nullptr;
    QLabel* problem_ = nullptr;
};
