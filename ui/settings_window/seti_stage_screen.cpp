#include "ui/settings_window/seti_stage_screen.h"

#include "ui/main_window/cou.h"
#include "ui/stage/stage_screens.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

StageScreenField::StageScreenField(QWidget* page, int top)
    : QObject(page), onSecondScreen_(new QCheckBox(QStringLiteral("舞台视图显示在第二屏幕"), page)),
      screen_(new QComboBox(page))
{
    setObjectName(QStringLiteral("stageScreenField"));
    onSecondScreen_->setObjectName(QStringLiteral("stageOnSecondScreen"));
    onSecondScreen_->setGeometry(36, top, 180, 20);
    screen_->setObjectName(QStringLiteral("stageScreen"));
    screen_->setGeometry(216, top - 1, 120, 22);
}

void StageScreenField::fill()
{
    const StageScreenChoice choice = stage_screen_settings::read();
    onSecondScreen_->setChecked(choice.onSecondScreen);
    screen_->clear();
    screen_->addItem(QStringLiteral("自动"), -1);
    const QList<QScreen*> screens = QGuiApplication::screens();
    // A screen chosen before stays offered while it is unplugged.
    const int count = std::max<int>(screens.size(), choice.screen + 1);
    for (int i = 0; i < count; ++i) {
        QString text = QStringLiteral("屏幕%1").arg(i + 1);
        if (i < screens.size()) {
            const QSize size = screens[i]->geometry().size();
            text += QStringLiteral(" %1×%2").arg(size.width()).arg(size.height());
        }
        screen_->addItem(text, i);
    }
    screen_->setCurrentIndex(choice.screen + 1);
}

void StageScreenField::save(TForm1* mainWindow)
{
    StageScreenChoice choice;
    choice.onSecondScreen = onSecondScreen_->isChecked();
    choice.screen = screen_->count() > 0 ? screen_->currentData().toInt() : -1;
    stage_screen_settings::writeChanged(choice);
    if (mainWindow)
        mainWindow->stageScreens()->setChoice(choice);
}
