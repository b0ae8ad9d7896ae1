#pragma once

#include "storage/draw_rules_file.h"

#include <QWidget>
#include <array>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

// The page 抽奖规则 after 批量抽奖: who takes no part, who has signed in,
// and per level its conditions and the most winners one group may take.
// Saving checks the rules against the participant list, writes them to
// their own file and into the history; they hold from the next Stop on and
// the round goes on.
class DrawRulesPage : public QWidget
{
    Q_OBJECT
  public:
    DrawRulesPage();

    struct ConditionRow
    {
        QComboBox* column = nullptr; // first entry: no condition
        QComboBox* isOrNot = nullptr;
        QLineEdit* values = nullptr;
    };
    QComboBox* levelBox() const { return levelBox_; }
    const ConditionRow& conditionRow(int row) const { return rows_[static_cast<size_t>(row)]; }
    QComboBox* capColumnBox() const { return capColumn_; }
    QSpinBox* capField() const { return capMost_; }
    QComboBox* excludedColumnBox() const { return excludedColumn_; }
    QPlainTextEdit* excludedField() const { return excluded_; }
    QComboBox* signInColumnBox() const { return signInColumn_; }
    QPlainTextEdit* signInField() const { return signIn_; }
    QPushButton* saveButton() const { return save_; }

    // Handler; throws on failure, the connection guards it.
    void saveClick();
    // Fills the column choices from the list and the page from the rules file.
    void fill();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildLevelTab(QWidget* tab);
    QComboBox* makeColumnBox(QWidget* parent, const QString& objectName, const QString& none,
                             const QRect& at);
    std::vector<QByteArray> columnsNow() const;
    void setColumnChoices(const std::vector<QByteArray>& names);
    void showLevel(const QByteArray& levelName);
    void keepLevel(const QByteArray& levelName);
    DrawRules rulesOnPage();

    DrawRules rules_; // as the page holds them, the level shown included once kept
    QByteArray shownLevel_;
    bool filled_ = false;
    QTabWidget* tabs_ = nullptr;
    QComboBox* levelBox_ = nullptr;
    std::array<ConditionRow, draw_rules_file::kMaxConditions> rows_{};
    QComboBox* capColumn_ = nullptr;
    QSpinBox* capMost_ = nullptr;
    QComboBox* excludedColumn_ = nullptr;
    QPlainTextEdit* excluded_ = nullptr;
    QComboBox* signInColumn_ = nullptr;
    QPlainTextEdit* signIn_ = nullptr;
    QPushButton* save_ = nullptr;
};
