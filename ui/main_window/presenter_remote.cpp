#include "ui/main_window/presenter_remote.h"

#include "ui/guard/handler_guard.h"
#include "ui/input/key_repeat_filter.h"
#include "ui/input/presenter_keys.h"
#include "ui/main_window/cou.h"
#include "ui/stage/stage_blank.h"
#include "ui/stage/stage_mode.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

PresenterRemote::PresenterRemote(TForm1* window, StageMode* stage, const KeyRepeatFilter* repeats)
    : QObject(window), window_(window), stage_(stage), blank_(new StageBlank(window)),
      repeats_(repeats)
{
    setObjectName(QStringLiteral("presenterRemote"));
}

bool PresenterRemote::handleKey(const QKeyEvent& key)
{
    using presenter_keys::Command;
    QWidget* focus = QApplication::focusWidget();
    presenter_keys::Scene scene;
    scene.stageShown = stage_->isActive();
    scene.blanked = blank_->isBlanked();
    scene.fieldFocused = qobject_cast<QLineEdit*>(focus) != nullptr ||
                         qobject_cast<QPlainTextEdit*>(focus) != nullptr;
    const Command command = presenter_keys::commandFor(key.key(), key.modifiers(), scene);
    if (command == Command::None)
        return false;
    if (repeats_ ? repeats_->isRepeatedPress(key) : key.isAutoRepeat())
        return true;
    switch (command) {
    case Command::StartStop:
        guarded(window_, [this] { window_->btn3Click(); });
        break;
    case Command::Blank:
        blank_->setBlanked(true);
        break;
    case Command::Unblank:
        blank_->setBlanked(false);
        break;
    case Command::EnterStage:
        stage_->enter();
        break;
    case Command::LeaveStage:
        blank_->setBlanked(false);
        stage_->leave();
        break;
    case Command::None:
    case Command::Nothing:
        break;
    }
    return true;
}
