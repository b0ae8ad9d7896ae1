#include "ui/settings_window/seti_draw_rules_page.h"

#include "base/gbk.h"
#include "base/working_files.h"
#include "draw/participant_columns.h"
#include "draw/rules_check.h"
#include "platform/clock.h"
#include "platform/message_boxes.h"
#include "platform/services.h"
#include "storage/draw_history.h"
#include "storage/prize_level.h"
#include "storage/rules_history.h"
#include "storage/text_line_list.h"
#include "ui/guard/guarded_connect.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

namespace {

const QString kNoCondition = QStringLiteral("（无条件）");
const QString kNoCap = QStringLiteral("（不限）");
const QString kWholeLine = QStringLiteral("整行");

QLabel* makeLabel(QWidget* parent, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

// A column box's column: empty for its first entry (none, or whole lines).
QByteArray chosenColumn(const QComboBox* box)
{
    return box->currentIndex() <= 0 ? QByteArray() : gbk::encode(box->currentText());
}

void chooseColumn(QComboBox* box, const QByteArray& column)
{
    if (column.isEmpty()) {
        box->setCurrentIndex(0);
        return;
    }
    const QString name = gbk::decode(column);
    // A column the list no longer has stays shown, so the check can name it.
    if (box->findText(name) < 0)
        box->addItem(name);
    box->setCurrentIndex(box->findText(name));
}

QString joinedLines(const std::vector<QByteArray>& lines, const QString& separator)
{
    QStringList shown;
    for (const QByteArray& line : lines)
        shown << gbk::decode(line);
    return shown.join(separator);
}

// The participant list as it is now; empty when there is none.
TextLineList participantsNow()
{
    TextLineList participants;
    if (QFile::exists(QLatin1String(working_files::kParticipants)))
        participants.load(QLatin1String(working_files::kParticipants));
    return participants;
}

} // namespace

DrawRulesPage::DrawRulesPage()
{
    setObjectName(QStringLiteral("tsDrawRules"));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("rulesTabs"));
    tabs_->setGeometry(4, 4, 459, 180);

    auto* levelTab = new QWidget;
    tabs_->addTab(levelTab, QStringLiteral("各奖项条件"));
    buildLevelTab(levelTab);

    auto addListTab = [this](const QString& caption, const QString& name, const QString& hint,
                             QComboBox*& column, QPlainTextEdit*& field) {
        auto* tab = new QWidget;
        tabs_->addTab(tab, caption);
        makeLabel(tab, QStringLiteral("按"), 8, 9);
        column =
            makeColumnBox(tab, name + QStringLiteral("Column"), kWholeLine, QRect(28, 6, 110, 20));
        makeLabel(tab, hint, 146, 9);
        field = new QPlainTextEdit(tab);
        field->setObjectName(name);
        field->setGeometry(8, 32, 438, 112);
    };
    addListTab(QStringLiteral("不参与抽奖"), QStringLiteral("rulesExcluded"),
               QStringLiteral("每行一人，这些人不参与任何奖项"), excludedColumn_, excluded_);
    addListTab(QStringLiteral("签到名单"), QStringLiteral("rulesSignIn"),
               QStringLiteral("留空则全部参与；迟到者可随时追加"), signInColumn_, signIn_);

    auto* hint =
        makeLabel(this, QStringLiteral("* 保存后从下一次停止起生效，不结束本轮。"), 8, 196);
    hint->setObjectName(QStringLiteral("rulesHint"));
    QPalette palette = hint->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    hint->setPalette(palette);

    save_ = new QPushButton(QStringLiteral("保存规则"), this);
    save_->setObjectName(QStringLiteral("rulesSave"));
    save_->setGeometry(384, 190, 75, 25);
    save_->setAutoDefault(false);
    connectGuarded(save_, &QPushButton::clicked, this, this, [this] { saveClick(); });
    connectGuarded(levelBox_, &QComboBox::currentIndexChanged, this, this, [this] {
        keepLevel(shownLevel_);
        showLevel(gbk::encode(levelBox_->currentText()));
    });
}

QComboBox* DrawRulesPage::makeColumnBox(QWidget* parent, const QString& objectName,
                                        const QString& none, const QRect& at)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(objectName);
    box->setGeometry(at);
    box->addItem(none);
    return box;
}

void DrawRulesPage::buildLevelTab(QWidget* tab)
{
    makeLabel(tab, QStringLiteral("奖项"), 8, 9);
    levelBox_ = new QComboBox(tab);
    levelBox_->setObjectName(QStringLiteral("rulesLevel"));
    levelBox_->setGeometry(44, 6, 90, 20);
    for (PrizeLevel level : kAllPrizeLevels)
        levelBox_->addItem(gbk::decode(levelName(level)));
    makeLabel(tab, QStringLiteral("条件（多个值用、分开）"), 146, 9);
    for (int row = 0; row < draw_rules_file::kMaxConditions; ++row) {
        const int top = 34 + 26 * row;
        ConditionRow& r = rows_[static_cast<size_t>(row)];
        r.column = makeColumnBox(tab, QStringLiteral("rulesColumn%1").arg(row), kNoCondition,
                                 QRect(8, top, 110, 20));
        r.isOrNot = new QComboBox(tab);
        r.isOrNot->setObjectName(QStringLiteral("rulesIs%1").arg(row));
        r.isOrNot->addItems({QStringLiteral("是"), QStringLiteral("不是")});
        r.isOrNot->setGeometry(124, top, 60, 20);
        r.values = new QLineEdit(tab);
        r.values->setObjectName(QStringLiteral("rulesValues%1").arg(row));
        r.values->setGeometry(190, top, 256, 20);
    }
    makeLabel(tab, QStringLiteral("每"), 8, 117);
    capColumn_ =
        makeColumnBox(tab, QStringLiteral("rulesCapColumn"), kNoCap, QRect(28, 114, 110, 20));
    makeLabel(tab, QStringLiteral("最多"), 146, 117);
    capMost_ = new QSpinBox(tab);
    capMost_->setObjectName(QStringLiteral("rulesCap"));
    capMost_->setRange(1, 99999);
    capMost_->setGeometry(180, 114, 70, 20);
    makeLabel(tab, QStringLiteral("人中奖"), 256, 117);
}

void DrawRulesPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The page is filled once; shown again, it keeps what the operator typed
    // and only takes the columns of a list imported meanwhile.
    guarded(this, [this] {
        if (filled_)
            setColumnChoices(columnsNow());
        else
            fill();
    });
}

std::vector<QByteArray> DrawRulesPage::columnsNow() const
{
    return ParticipantColumns::ofWorkingFolder(mostCells(participantsNow())).names();
}

void DrawRulesPage::setColumnChoices(const std::vector<QByteArray>& names)
{
    for (QComboBox* box : {rows_[0].column, rows_[1].column, rows_[2].column, capColumn_,
                           excludedColumn_, signInColumn_}) {
        const QSignalBlocker quiet(box);
        const QByteArray chosen = chosenColumn(box);
        while (box->count() > 1)
            box->removeItem(1);
        for (const QByteArray& name : names)
            box->addItem(gbk::decode(name));
        chooseColumn(box, chosen);
    }
}

void DrawRulesPage::fill()
{
    filled_ = true;
    setColumnChoices(columnsNow());
    rules_ = draw_rules_file::read(QLatin1String(draw_rules_file::kFileName));
    chooseColumn(excludedColumn_, rules_.excluded.column);
    excluded_->setPlainText(joinedLines(rules_.excluded.values, QStringLiteral("\n")));
    chooseColumn(signInColumn_, rules_.signedIn.column);
    signIn_->setPlainText(joinedLines(rules_.signedIn.values, QStringLiteral("\n")));
    showLevel(gbk::encode(levelBox_->currentText()));
}

void DrawRulesPage::showLevel(const QByteArray& levelName)
{
    shownLevel_ = levelName;
    const LevelRules& level = rules_.forLevel(levelName);
    for (size_t row = 0; row < rows_.size(); ++row) {
        const bool used = row < level.conditions.size();
        chooseColumn(rows_[row].column, used ? level.conditions[row].column : QByteArray());
        rows_[row].isOrNot->setCurrentIndex(used && !level.conditions[row].is ? 1 : 0);
        rows_[row].values->setText(
            used ? joinedLines(level.conditions[row].values, QStringLiteral("、")) : QString());
    }
    chooseColumn(capColumn_, level.cap.most > 0 ? level.cap.column : QByteArray());
    capMost_->setValue(level.cap.most > 0 ? level.cap.most : 2);
}

void DrawRulesPage::keepLevel(const QByteArray& levelName)
{
    if (levelName.isEmpty())
        return;
    LevelRules level;
    for (const ConditionRow& row : rows_) {
        const std::vector<QByteArray> values = splitValues(gbk::encode(row.values->text()));
        if (row.column->currentIndex() > 0 && !values.empty())
            level.conditions.push_back(
                {chosenColumn(row.column), row.isOrNot->currentIndex() == 0, values});
    }
    if (capColumn_->currentIndex() > 0)
        level.cap = {chosenColumn(capColumn_), capMost_->value()};
    if (level.isEmpty())
        rules_.levels.erase(levelName);
    else
        rules_.levels[levelName] = level;
}

DrawRules DrawRulesPage::rulesOnPage()
{
    keepLevel(shownLevel_);
    DrawRules rules = rules_;
    rules.excluded = {chosenColumn(excludedColumn_),
                      splitListLines(gbk::encode(excluded_->toPlainText()))};
    rules.signedIn = {chosenColumn(signInColumn_),
                      splitListLines(gbk::encode(signIn_->toPlainText()))};
    return rules;
}

void DrawRulesPage::saveClick()
{
    const DrawRules rules = rulesOnPage();
    const TextLineList participants = participantsNow();
    const RulesCheck check = checkRules(
        rules, ParticipantColumns::ofWorkingFolder(mostCells(participants)), participants);
    if (!check.error.isEmpty()) {
        services().boxes->show(this, warningBox(check.error + QStringLiteral("\r\n规则未保存。")));
        return;
    }
    const QString path = QLatin1String(draw_rules_file::kFileName);
    if (rules == draw_rules_file::read(path) && (!rules.isEmpty() || !QFile::exists(path))) {
        services().boxes->show(this, noticeBox(QStringLiteral("规则没有改动。")));
        return;
    }
    draw_rules_file::write(path, rules);
    rules_ = rules;
    // Best effort, as every history line: the rules file is what the draw reads.
    draw_history::appendLine(QLatin1String(draw_history::kFileName),
                             rules_history::changeLine(services().clock->now(), rules));
    QString text = QStringLiteral("规则已保存，从下一次停止起生效。");
    if (!check.unmatchedSignIns.empty())
        text += QStringLiteral("\r\n签到名单中以下 %1 行不符合任何参与者：\r\n")
                    .arg(check.unmatchedSignIns.size()) +
                joinedLines(std::vector<QByteArray>(
                                check.unmatchedSignIns.begin(),
                                check.unmatchedSignIns.begin() +
                                    std::min<long>(10, long(check.unmatchedSignIns.size()))),
                            QStringLiteral("\r\n")) +
                (check.unmatchedSignIns.size() > 10 ? QStringLiteral("\r\n……") : QString());
    services().boxes->show(this, noticeBox(text));
}
