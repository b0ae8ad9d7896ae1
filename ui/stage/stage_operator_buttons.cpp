#include "ui/stage/stage_operator_buttons.h"

#include "ui/stage/stage_mode.h"

#include <QEvent>

StageOperatorButtons::StageOperatorButtons(QWidget* window, StageMode* stage,
                                           std::vector<QWidget*> buttons)
    : QObject(window), window_(window), stage_(stage)
{
    setObjectName(QStringLiteral("stageOperatorButtons"));
    for (QWidget* button : buttons)
        buttons_.emplace_back(button);
    window_->installEventFilter(this);
}

bool StageOperatorButtons::eventFilter(QObject* watched, QEvent* event)
{
    // The stage view comes and goes with a change of the window's state.
    if (watched == window_ &&
        (event->type() == QEvent::WindowStateChange || event->type() == QEvent::Resize)) {
        for (const QPointer<QWidget>& button : buttons_) {
            if (button)
                button->setVisible(!stage_->isActive());
        }
    }
    return QObject::eventFilter(watched, event);
}
