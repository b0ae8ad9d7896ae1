#include "ui/stage/stage_screen_window.h"

#include "ui/stage/draw_board.h"
#include "ui/stage/stage_blank.h"
#include "ui/stage/stage_layout.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

StageScreenWindow::StageScreenWindow(QWidget* mainWindow, QWidget* board, QWidget* statusLine,
                                     std::vector<QWidget*> notShown)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), mainWindow_(mainWindow),
      board_(board), statusLine_(statusLine), blank_(new StageBlank(this))
{
    setObjectName(QStringLiteral("stageScreen"));
    setWindowTitle(QStringLiteral("舞台视图"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    for (QWidget* widget : notShown)
        notShown_.emplace_back(widget);
    // Every repaint of the console is one of the stage's.
    mainWindow_->installEventFilter(this);
}

void StageScreenWindow::placeOn(const QRect& screen)
{
    for (QScreen* system : QGuiApplication::screens())
        if (system->geometry() == screen)
            setScreen(system);
    // A window manager moves a full-screen window only by way of a normal one.
    if (isFullScreen())
        showNormal();
    setGeometry(screen);
    // Full screen on the screen holding the geometry, above any panel there;
    // a window manager that cannot keeps the geometry.
    showFullScreen();
    raise();
}

bool StageScreenWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mainWindow_ && event->type() == QEvent::UpdateRequest && isVisible())
        update();
    return QWidget::eventFilter(watched, event);
}

void StageScreenWindow::keyPressEvent(QKeyEvent* event)
{
    // The same press on its way on, so a held key is still one command.
    QCoreApplication::sendEvent(mainWindow_, event);
}

void StageScreenWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), mainWindow_->palette().color(QPalette::Window));
    const StageLayout layout = StageLayout::fitting(size());
    painter.save();
    painter.translate(layout.offset());
    painter.scale(layout.scale(), layout.scale());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Children in the order they stack, the topmost last.
    for (QObject* child : mainWindow_->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow() || widget->isHidden() || widget == board_ ||
            std::find(notShown_.begin(), notShown_.end(), widget) != notShown_.end())
            continue;
        widget->render(&painter, widget->pos(), QRegion(),
                       QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    painter.restore();
    paintBoard(painter);
}

void StageScreenWindow::paintBoard(QPainter& painter)
{
    auto* board = qobject_cast<DrawBoard*>(board_.data());
    if (!board || !statusLine_ || statusLine_->isHidden())
        return;
    // The board is drawn at the size it has in the stage view; it is hidden
    // in the console, so its size there is free meanwhile.
    const QRect target =
        DrawBoard::stageGeometry(StageLayout::fitting(size()), size(), board->coversDisplay());
    const QSize consoleSize = board->size();
    board->resize(target.size());
    board->render(&painter, target.topLeft(), QRegion(), QWidget::DrawChildren);
    board->resize(consoleSize);
}
