#include "ui/stage/draw_board.h"
#include "platform/qt/cjk_fonts.h"

#include "base/gbk.h"
#include "ui/stage/batch_grid.h"
#include "ui/stage/display_fit.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int kReferencePixels = 100;
const QColor kBackground(0x10, 0x10, 0x30);
const QColor kHeadlineColour(0xff, 0xd7, 0x00);
const QColor kWinnerColour(0xff, 0xff, 0xff);

QFont boardFont(int pixels)
{
    QFont font = cjkFont("黑体", 12, true);
    font.setPixelSize(std::max(1, pixels));
    return font;
}

int widthAt(int pixels, const QString& text)
{
    return QFontMetrics(boardFont(pixels)).horizontalAdvance(text);
}

// One line centred in its box, shrunk or shortened to fit its width.
void drawFitted(QPainter& painter, const QRect& box, const QString& text, int pixels,
                Qt::Alignment alignment = Qt::AlignCenter)
{
    const FittedLine fitted =
        fitLine(text, box.width(), pixels, std::max(1, pixels * 2 / 5), widthAt);
    painter.setFont(boardFont(fitted.pixelSize));
    painter.drawText(box, alignment | Qt::AlignVCenter, fitted.text);
}

} // namespace

DrawBoard::DrawBoard(QWidget* window) : QWidget(window)
{
    setObjectName(QStringLiteral("drawBoard"));
    setGeometry(designGeometry());
    // The operator's clicks and right clicks go to the window beneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void DrawBoard::showStatus(const DrawStatus& status, const QString& headline)
{
    headline_ = headline;
    phase_ = status.phase;
    batch_ = status.batch;
    winners_ =
        status.phase == DrawStatus::Phase::Rolling ? std::vector<QByteArray>() : status.winners;
    update();
}

QRect DrawBoard::paintedArea() const
{
    if (coversDisplay())
        return rect();
    const int top = height() * kResultsTop / designGeometry().height();
    return QRect(0, top, width(), height() - top);
}

void DrawBoard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRect area = paintedArea();
    painter.fillRect(area, kBackground);

    const int margin = std::max(4, width() / 80);
    const QRect inner = area.adjusted(margin, margin / 2, -margin, -margin / 2);
    const int headlineHeight = coversDisplay() ? inner.height() / 7 : inner.height() / 3;
    const QRect headlineBox(inner.left(), inner.top(), inner.width(), headlineHeight);
    painter.setPen(kHeadlineColour);
    drawFitted(painter, headlineBox, headline_, headlineHeight * 7 / 10);

    const QRect body(inner.left(), headlineBox.bottom() + 1, inner.width(),
                     inner.bottom() - headlineBox.bottom());
    painter.setPen(kWinnerColour);
    if (winners_.empty()) {
        if (phase_ == DrawStatus::Phase::Rolling)
            drawFitted(painter, body, QStringLiteral("本次抽取 %1 名").arg(batch_),
                       body.height() * 6 / 10);
        return;
    }
    QStringList lines;
    int widest = 0;
    for (const QByteArray& winner : winners_) {
        lines << gbk::decode(winner);
        widest = std::max(widest, widthAt(kReferencePixels, lines.back()));
    }
    const BatchGrid grid = chooseBatchGrid(static_cast<int>(lines.size()), body.size(),
                                           body.height() * 6 / 10, widest, kReferencePixels);
    for (int i = 0; i < lines.size(); ++i) {
        const QRect cell = grid.cell(i, body).adjusted(kCellPadding, 0, -kCellPadding, 0);
        drawFitted(painter, cell, lines[i], grid.pixelSize,
                   grid.columns == 1 ? Qt::AlignHCenter : Qt::AlignLeft);
    }
}
