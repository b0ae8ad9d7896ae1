#include "ui/main_window/operator_menu.h"

#include "draw/level_choice.h"
#include "ui/guard/guarded_connect.h"
#include "ui/main_window/cou.h"
#include "ui/main_window/extra_prize_menu.h"
#include "ui/stage/draw_status_text.h"

#include <QAction>
#include <QMenu>
#include <utility>

OperatorMenu::OperatorMenu(TForm1* window, QMenu* menu, DrawOptions& options, DrawStatus& status,
                           std::function<void()> statusChanged)
    : QObject(window), window_(window), options_(options), status_(status),
      statusChanged_(std::move(statusChanged)), levelMenu_(new QMenu(menu))
{
    setObjectName(QStringLiteral("operatorMenu"));
    menu->addSeparator();
    levelMenu_->setObjectName(QStringLiteral("levelChoiceMenu"));
    levelMenu_->setTitle(QStringLiteral("选择下次抽取的奖项"));
    menu->addMenu(levelMenu_);
    // Filled as the menu opens: a submenu left disabled would never open to
    // fill itself.
    connectGuarded(menu, &QMenu::aboutToShow, this, window_, [this] { fillLevelMenu(); });
    new ExtraPrizeMenu(window_, menu);

    menu->addSeparator();
    auto addCommand = [this, menu](const char* name, const char* text, void (TForm1::*command)()) {
        QAction* action = menu->addAction(QString::fromUtf8(text));
        action->setObjectName(QLatin1String(name));
        TForm1* window = window_;
        connectGuarded(action, &QAction::triggered, this, window,
                       [window, command] { (window->*command)(); });
    };
    addCommand("settingsCommand", "系统设置", &TForm1::btn1Click);
    addCommand("initializeCommand", "初始化", &TForm1::btn2Click);
    addCommand("saveResultsCommand", "保存抽奖...", &TForm1::btn5Click);
}

void OperatorMenu::fillLevelMenu()
{
    levelMenu_->clear();
    const FilesTally files = tallyFromFiles(window_->drawSettings());
    const LevelTally& tally = files.levels;
    const std::vector<PrizeLevel> levels = choosableLevels(tally);

    QAction* automatic = levelMenu_->addAction(QStringLiteral("按顺序（自动）"));
    automatic->setObjectName(QStringLiteral("automaticLevel"));
    automatic->setCheckable(true);
    automatic->setChecked(!options_.chosenLevel && options_.chosenExtraPrize.isEmpty());
    connectGuarded(automatic, &QAction::triggered, this, window_, [this] { choose(std::nullopt); });
    levelMenu_->addSeparator();
    for (PrizeLevel level : levels) {
        QAction* action =
            levelMenu_->addAction(draw_status_text::levelEntry(level, tally.openPlaces(level)));
        action->setObjectName(QStringLiteral("chooseLevel%1").arg(levelIndex(level)));
        action->setCheckable(true);
        action->setChecked(options_.chosenLevel == level);
        connectGuarded(action, &QAction::triggered, this, window_,
                       [this, level] { choose(level); });
    }
    addExtraPrizes(files.extras);
    levelMenu_->setEnabled(levelMenu_->actions().size() > 2); // more than the automatic order
}

void OperatorMenu::addExtraPrizes(const ExtraPrizeTally& extras)
{
    bool first = true;
    for (size_t i = 0; i < extras.prizes.size(); ++i) {
        const QByteArray name = extras.prizes[i].name;
        const qint64 open = extras.openPlaces(name);
        if (open <= 0)
            continue;
        if (std::exchange(first, false))
            levelMenu_->addSeparator();
        QAction* action = levelMenu_->addAction(draw_status_text::prizeEntry(name, open));
        action->setObjectName(QStringLiteral("chooseExtraPrize%1").arg(i));
        action->setCheckable(true);
        action->setChecked(options_.chosenExtraPrize == name);
        connectGuarded(action, &QAction::triggered, this, window_,
                       [this, name] { chooseExtraPrize(name); });
    }
}

void OperatorMenu::chooseExtraPrize(const QByteArray& name)
{
    const DrawOptions before = options_;
    options_.chosenLevel.reset();
    options_.chosenExtraPrize = name;
    noteChoice(before);
}

void OperatorMenu::choose(std::optional<PrizeLevel> level)
{
    const DrawOptions before = options_;
    options_.chosenLevel = level;
    options_.chosenExtraPrize.clear();
    noteChoice(before);
}

void OperatorMenu::noteChoice(const DrawOptions& before)
{
    // While the names roll, the roll and the screen turn to the prize the
    // Stop will draw, under its rules; one nobody may win is told and the
    // choice stays as it was. (An Initialize while they roll resets the
    // status, not the roll.)
    if (window_->isDrawRunning() && !window_->turnRollToChoice()) {
        options_.chosenLevel = before.chosenLevel;
        options_.chosenExtraPrize = before.chosenExtraPrize;
    }
    if (statusChanged_)
        statusChanged_();
}
