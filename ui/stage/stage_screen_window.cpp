#include "ui/stage/stage_screen_window.h"

#include "ui/stage/draw_board.h"
#include "ui/stage/stage_blank.h"
#include "ui/stage/stage_layout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScopeGuard>
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
    // The console's controls paint one by one, a field's text in a child of
    // its own: the whole program is watched for them.
    qApp->installEventFilter(this);
}

void StageScreenWindow::placeOn(const QRect& screen)
{
    for (QScreen* system : QGuiApplication::screens())
        if (system->geometry() == screen)
            setScreen(system);
    // A window manager moves a full-screen window only by way of a normal one;
    // the black screen stays black on the way.
    const bool blanked = blank_->isBlanked();
    if (isFullScreen())
        showNormal();
    setGeometry(screen);
    // Full screen on the screen holding the geometry, above any panel there;
    // a window manager that cannot keeps the geometry.
    showFullScreen();
    raise();
    blank_->setBlanked(blanked);
}

bool StageScreenWindow::eventFilter(QObject* watched, QEvent* event)
{
    // What the console repaints, the stage repaints: the same area, scaled,
    // and the board, whose status goes with every change the console shows.
    if (event->type() == QEvent::Paint && !rendering_ && isVisible()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == mainWindow_) {
            const QRect changed = static_cast<QPaintEvent*>(event)->rect().translated(
                widget->mapTo(mainWindow_, QPoint()));
            const StageLayout layout = StageLayout::fitting(size());
            // A pixel more each side for the smoothing of scaled edges.
            update(layout.map(changed).adjusted(-2, -2, 2, 2));
            if (boardShown())
                update(boardGeometry());
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool StageScreenWindow::boardShown() const
{
    return board_ && statusLine_ && !statusLine_->isHidden();
}

QRect StageScreenWindow::boardGeometry() const
{
    const auto* board = static_cast<const DrawBoard*>(board_.data());
    return DrawBoard::stageGeometry(StageLayout::fitting(size()), size(), board->coversDisplay());
}

void StageScreenWindow::keyPressEvent(QKeyEvent* event)
{
    // The same press on its way on, so a held key is still one command.
    QCoreApplication::sendEvent(mainWindow_, event);
}

void StageScreenWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit closeRequested();
}

void StageScreenWindow::paintEvent(QPaintEvent* event)
{
    rendering_ = true;
    const auto done = qScopeGuard([this] { rendering_ = false; });
    QPainter painter(this);
    painter.fillRect(event->rect(), mainWindow_->palette().color(QPalette::Window));
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
            std::find(notShown_.begin(), notShown_.end(), widget) != notShown_.end() ||
            !event->rect().intersects(layout.map(widget->geometry()).adjusted(-2, -2, 2, 2)))
            continue;
        widget->render(&painter, widget->pos(), QRegion(),
                       QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    painter.restore();
    if (boardShown() && event->rect().intersects(boardGeometry()))
        paintBoard(painter);
}

void StageScreenWindow::paintBoard(QPainter& painter)
{
    auto* board = static_cast<DrawBoard*>(board_.data());
    // The board is drawn at the size it has in the stage view; it is hidden
    // in the console, so its size there is free meanwhile.
    const QRect target = boardGeometry();
    const QSize consoleSize = board->size();
    board->resize(target.size());
    board->render(&painter, target.topLeft(), QRegion(), QWidget::DrawChildren);
    board->resize(consoleSize);
}
