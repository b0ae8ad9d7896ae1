#include "ui/stage/stage_blank.h"

#include "ui/stage/stage_mode.h"

#include <QEvent>
#include <QWidget>

StageBlank::StageBlank(QWidget* window) : QObject(window), window_(window)
{
    setObjectName(QStringLiteral("stageBlank"));
    window_->installEventFilter(this);
}

void StageBlank::setBlanked(bool blanked)
{
    if (blanked == isBlanked())
        return;
    if (!blanked) {
        delete cover_;
        return;
    }
    cover_ = new QWidget(window_);
    cover_->setObjectName(QStringLiteral("stageBlankCover"));
    cover_->setProperty(StageMode::kPlacedByOwner, true);
    cover_->setAutoFillBackground(true);
    QPalette palette = cover_->palette();
    palette.setColor(QPalette::Window, Qt::black);
    cover_->setPalette(palette);
    cover_->setGeometry(window_->rect());
    cover_->show();
    cover_->raise();
    // A board or a label raised while the stage is black stays beneath.
    for (QWidget* sibling : window_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (sibling != cover_ && !sibling->isWindow())
            sibling->installEventFilter(this);
}

bool StageBlank::eventFilter(QObject* watched, QEvent* event)
{
    if (!cover_)
        return QObject::eventFilter(watched, event);
    if (watched == window_) {
        if (event->type() == QEvent::Resize)
            cover_->setGeometry(window_->rect());
        else if (event->type() == QEvent::WindowStateChange &&
                 !(window_->windowState() & Qt::WindowFullScreen))
            setBlanked(false); // the normal window is never black
    } else if (event->type() == QEvent::ZOrderChange || event->type() == QEvent::Show) {
        cover_->raise();
    }
    return QObject::eventFilter(watched, event);
}
