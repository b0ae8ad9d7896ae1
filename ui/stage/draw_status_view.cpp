#include "ui/stage/draw_status_view.h"
#include "platform/qt/cjk_fonts.h"

#include "draw/screen_privacy.h"
#include "ui/stage/display_fit.h"
#include "ui/stage/draw_board.h"
#include "ui/stage/draw_status_text.h"
#include "ui/stage/part_fit.h"
#include "ui/stage/stage_mode.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>

namespace {
// The strip between the display field (bottom 192) and the results' text
// (below 210): over both frames' edges, so readable letters fit in.
const QRect kBannerGeometry(24, 193, 697, 17);
constexpr int kBannerPixels = 15;
constexpr int kBannerMinimumPixels = 12;
} // namespace

DrawStatusView::DrawStatusView(QWidget* window, StageMode* stage, const DrawStatus& status,
                               const DrawOptions& options)
    : QObject(window), window_(window), stage_(stage), status_(status), options_(options),
      banner_(new QLabel(window)), board_(new DrawBoard(window))
{
    setObjectName(QStringLiteral("drawStatusView"));
    banner_->setObjectName(QStringLiteral("drawStatus"));
    banner_->setGeometry(kBannerGeometry);
    banner_->setFont(cjkFont("宋体", kBannerPixels, true));
    banner_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
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
    const QByteArray& prize =
        status.extraPrize.isEmpty()
            ? options_.prizeTexts[static_cast<size_t>(levelIndex(status.level))]
            : status.extraPrizeText;
    const draw_status_text::HeadlineParts headline = draw_status_text::headlineParts(status, prize);
    DrawStatus seen = status; // the board shows the winners as the audience may see them
    for (QByteArray& winner : seen.winners)
        winner = screen_privacy::shownParticipant(winner, options_.privacy);
    board_->showStatus(seen, headline);

    QFont font = banner_->font();
    const FittedParts fitted =
        fitParts(headline.parts, draw_status_text::kGap, kBannerGeometry.width(), kBannerPixels,
                 kBannerMinimumPixels, 1, headline.prize, [&font](int pixels, const QString& text) {
                     font.setPixelSize(pixels);
                     return QFontMetrics(font).horizontalAdvance(text);
                 });
    font.setPixelSize(fitted.pixelSize);
    banner_->setFont(font);
    banner_->setText(fitted.lines.join(draw_status_text::kGap));
    updateVisibility();
}

void DrawStatusView::updateVisibility()
{
    const bool shown = status_.phase != DrawStatus::Phase::Idle;
    const bool stage = stage_->isActive();
    // The stage view fits labels to their text; the strip has its own size.
    if (!stage)
        banner_->setGeometry(kBannerGeometry);
    board_->setGeometry(stage ? DrawBoard::stageGeometry(StageLayout::fitting(window_->size()),
                                                         window_->size(), board_->coversDisplay())
                              : DrawBoard::designGeometry());
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
