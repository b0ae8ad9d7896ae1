#include "ui/stage/stage_screens.h"

#include "ui/stage/draw_board.h"
#include "ui/stage/draw_status_view.h"
#include "ui/stage/stage_blank.h"
#include "ui/stage/stage_screen_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

std::vector<QRect> systemScreens()
{
    std::vector<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(screen->geometry());
    return screens;
}

} // namespace

StageScreens::StageScreens(QWidget* mainWindow, StageMode* stage, DrawStatusView* status,
                           std::vector<QWidget*> notShown)
    : QObject(mainWindow), mainWindow_(mainWindow), stage_(stage), status_(status),
      notShown_(std::move(notShown)), screens_(systemScreens())
{
    setObjectName(QStringLiteral("stageScreens"));
    notShown_.push_back(status_->banner()); // the board shows it
    stage_->setElsewhere(this);
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    auto* app = qGuiApp;
    connect(app, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        watch(screen);
        followSystemScreens();
    });
    connect(app, &QGuiApplication::screenRemoved, this, [this] { followSystemScreens(); });
}

void StageScreens::watch(QScreen* screen)
{
    connect(screen, &QScreen::geometryChanged, this, [this] { followSystemScreens(); });
}

void StageScreens::followSystemScreens()
{
    // A screen removed is still listed while its signal is sent; the list is
    // read once the change is complete.
    QTimer::singleShot(0, this, [this] { screensChanged(systemScreens()); });
}

void StageScreens::setChoice(const StageScreenChoice& choice)
{
    choice_ = choice;
    screensChanged(screens_);
}

StagePlacement StageScreens::placement() const
{
    return stage_placement::place(screens_, mainWindow_->geometry().center(),
                                  choice_.onSecondScreen, choice_.screen);
}

void StageScreens::screensChanged(const std::vector<QRect>& screens)
{
    screens_ = screens;
    if (!stage_->isShown())
        return; // placed when next entered
    const StagePlacement where = placement();
    if (where.ownScreen && shown_) {
        // A settings save hands the same choice in again: no flicker for it.
        if (where.geometry != placed_)
            place(where.geometry);
    } else if (where.ownScreen != shown_) {
        // From the main window to a screen of its own or back.
        stage_->leave();
        stage_->enter();
    }
}

bool StageScreens::show()
{
    const StagePlacement where = placement();
    if (!where.ownScreen)
        return false;
    if (!window_)
        window_ =
            new StageScreenWindow(mainWindow_, status_->board(), status_->banner(), notShown_);
    shown_ = true;
    place(where.geometry);
    return true;
}

void StageScreens::place(const QRect& screen)
{
    placed_ = screen;
    window_->placeOn(screen);
}

void StageScreens::hide()
{
    if (!shown_)
        return;
    shown_ = false;
    if (window_) {
        window_->blank()->setBlanked(false);
        window_->hide();
    }
}

StageBlank* StageScreens::blank() const
{
    return window_ ? window_->blank() : nullptr;
}

StageScreens::~StageScreens()
{
    delete window_;
}

StageScreenWindow* StageScreens::window() const
{
    return window_;
}
