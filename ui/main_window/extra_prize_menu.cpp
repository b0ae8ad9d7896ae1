#include "ui/main_window/extra_prize_menu.h"

#include "base/gbk.h"
#include "draw/extra_prize_edits.h"
#include "platform/message_boxes.h"
#include "platform/services.h"
#include "storage/extra_prizes.h"
#include "ui/guard/guarded_connect.h"
#include "ui/main_window/cou.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTabWidget>

namespace {

// The page lives in the settings window, a layer above: it is found by name.
QWidget* extraPrizePage()
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (QWidget* page = top->findChild<QWidget*>(QStringLiteral("tsExtraPrizes")))
            return page;
    return nullptr;
}

} // namespace

ExtraPrizeMenu::ExtraPrizeMenu(TForm1* window, QMenu* menu)
    : QObject(window), window_(window), prizeMenu_(new QMenu(menu))
{
    setObjectName(QStringLiteral("extraPrizeMenu"));
    prizeMenu_->setObjectName(QStringLiteral("extraPrizeEntries"));
    prizeMenu_->setTitle(QStringLiteral("加奖"));
    menu->addMenu(prizeMenu_);
    connectGuarded(menu, &QMenu::aboutToShow, this, window_, [this] { fill(); });
}

void ExtraPrizeMenu::fill()
{
    prizeMenu_->clear();
    QAction* add = prizeMenu_->addAction(QStringLiteral("添加加奖..."));
    add->setObjectName(QStringLiteral("addExtraPrize"));
    connectGuarded(add, &QAction::triggered, this, window_, [this] { openPage(QString()); });
    const extra_prizes::ExtraPrizeList prizes = extra_prizes::read();
    if (!prizes.empty())
        prizeMenu_->addSeparator();
    for (size_t i = 0; i < prizes.size(); ++i) {
        const QByteArray name = prizes[i].name;
        QAction* change =
            prizeMenu_->addAction(QStringLiteral("修改“%1”...").arg(gbk::decode(name)));
        change->setObjectName(QStringLiteral("changeExtraPrize%1").arg(i));
        connectGuarded(change, &QAction::triggered, this, window_,
                       [this, name] { openPage(gbk::decode(name)); });
        QAction* remove = prizeMenu_->addAction(QStringLiteral("删除“%1”").arg(gbk::decode(name)));
        remove->setObjectName(QStringLiteral("removeExtraPrize%1").arg(i));
        connectGuarded(remove, &QAction::triggered, this, window_,
                       [this, name] { this->remove(name); });
    }
}

void ExtraPrizeMenu::openPage(const QString& name)
{
    window_->btn1Click();
    QWidget* page = extraPrizePage();
    if (!page)
        return;
    if (auto* tabs = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget()))
        tabs->setCurrentWidget(page);
    QMetaObject::invokeMethod(page, "selectPrize", Q_ARG(QString, name));
}

void ExtraPrizeMenu::remove(const QByteArray& name)
{
    const qint64 winners = extra_prize_edits::winnersOf(name);
    if (winners > 0) {
        BoxRequest ask = questionBox(extra_prize_edits::removeQuestion(name, winners), true);
        ask.topMost = true;
        if (services().boxes->show(window_, ask) != BoxAnswer::Yes)
            return;
    }
    extra_prize_edits::remove(name);
    if (QWidget* page = extraPrizePage())
        QMetaObject::invokeMethod(page, "refresh");
}
