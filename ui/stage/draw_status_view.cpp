#include "ui/stage/draw_status_view.h"
#include "platform/qt/cjk_fonts.h"

#include "ui/stage/display_fit.h"
#include "ui/stage/draw_board.h"
#include "ui/stage/draw_status_text.h"
#include "ui/stage/stage_mode.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>

namespace {
// The strip between the display field (bottom 193) and the results (top 208).
const QRect kBannerGeometry(24, 194, 697, 14);
} // namespace

DrawStatusView::DrawStatusView(QWidget* window, StageMode* stage, const DrawStatus& status,
                               const DrawOptions& options)
    : QObject(window), window_(window), stage_(stage), status_(status), options_(options),
      banner_(new QLabel(window)), board_(new DrawBoard(window))
{
    setObjectName(QStringLiteral("drawStatusView"));
    banner_->setObjectName(QStringLiteral("drawStatus"));
    banner_->setGeometry(kBannerGeometry);
    banner_->setFont(cjkFont("宋体", 12, true));
    QPalette palette = banner_->palette();
    palette.setColor(QPalette::WindowText, QColor(0x80, 0, 0));
    banner_->setPalette(palette);
    banner_->setAttribute(Qt::WA_TranslucentBackground);
    banner_->hide();
    window_->installEventFilter(this);
}

void DrawStatusView::refresh()
{
    const DrawStatus& status = status_;
    const QByteArray& prize = options_.prizeTexts[static_cast<size_t>(levelIndex(status.level))];
    const QString headline = draw_status_text::headline(status, prize);
    board_->showStatus(status, headline);

    const QFontMetrics metrics(banner_->font());
    const FittedLine fitted =
        fitLine(headline, kBannerGeometry.width(), 1, 1,
                [&metrics](int, const QString& text) { return metrics.horizontalAdvance(text); });
    banner_->setText(fitted.text);
    updateVisibility();
}

void DrawStatusView::updateVisibility()
{
    const bool shown = status_.phase != DrawStatus::Phase::Idle;
    const bool stage = stage_->isActive();
    // The stage view fits labels to their text; the strip has its own size.
    if (!stage)
        banner_->setGeometry(kBannerGeometry);
    banner_->setVisible(shown && !stage);
    board_->setVisible(shown && stage);
    if (board_->isVisible())
        board_->raise();
}

bool DrawStatusView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ &&
        (event->type() == QEvent::WindowStateChange || event->type() == QEvent::Resize))
        refresh(); // fitted anew to the banner's font of the view now shown
    return QObject::eventFilter(watched, event);
}
