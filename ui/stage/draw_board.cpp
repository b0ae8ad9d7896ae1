#include "ui/stage/draw_board.h"
#include "platform/qt/cjk_fonts.h"

#include "base/screen_text.h"
#include "ui/stage/batch_grid.h"
#include "ui/stage/display_fit.h"
#include "ui/stage/part_fit.h"
#include "ui/stage/stage_mode.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

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

// The headline on one line or two, broken between its parts.
void drawHeadline(QPainter& painter, const QRect& box,
                  const draw_status_text::HeadlineParts& headline)
{
    const int pixels = box.height() * 7 / 10;
    const FittedParts fitted = fitParts(headline.parts, draw_status_text::kGap, box.width(), pixels,
                                        std::max(1, pixels * 2 / 5), 2, headline.prize, widthAt);
    const int lineHeight = box.height() / std::max<int>(1, fitted.lines.size());
    painter.setFont(boardFont(fitted.pixelSize));
    for (int i = 0; i < fitted.lines.size(); ++i)
        painter.drawText(QRect(box.left(), box.top() + i * lineHeight, box.width(), lineHeight),
                         Qt::AlignCenter, fitted.lines[i]);
}

// Photos stand upright, three wide to four high.
int photoWidth(int height)
{
    return height * 3 / 4;
}

// The photo's height beside letters of that size: nearly the row's.
int photoHeightBeside(int pixels)
{
    return static_cast<int>(pixels / kLetterShareOfRow * 0.95);
}

int photoGap(int pixels)
{
    return std::max(2, pixels / 4);
}

// The picture as large as fits the box, its shape kept, centred.
void drawPicture(QPainter& painter, const QRect& box, const QImage& picture)
{
    if (picture.isNull() || box.isEmpty())
        return;
    const QSize size = picture.size().scaled(box.size(), Qt::KeepAspectRatio);
    const QRect target(box.left() + (box.width() - size.width()) / 2,
                       box.top() + (box.height() - size.height()) / 2, size.width(), size.height());
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture);
    painter.restore();
}

} // namespace

DrawBoard::DrawBoard(QWidget* window) : QWidget(window)
{
    setObjectName(QStringLiteral("drawBoard"));
    setGeometry(designGeometry());
    // Its owner places it; the stage view does not scale it with the rest.
    setProperty(StageMode::kPlacedByOwner, true);
    // The operator's clicks and right clicks go to the window beneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void DrawBoard::showStatus(const DrawStatus& status,
                           const draw_status_text::HeadlineParts& headline)
{
    headline_ = headline;
    phase_ = status.phase;
    batch_ = status.batch;
    winners_ =
        status.phase == DrawStatus::Phase::Rolling ? std::vector<QByteArray>() : status.winners;
    update();
}

void DrawBoard::setPictures(BoardPictures pictures)
{
    auto sameImages = [](const std::vector<QImage>& a, const std::vector<QImage>& b) {
        return std::equal(
            a.begin(), a.end(), b.begin(), b.end(),
            [](const QImage& x, const QImage& y) { return x.cacheKey() == y.cacheKey(); });
    };
    const bool restSame = pictures.prize.cacheKey() == pictures_.prize.cacheKey() &&
                          pictures.photoSpace == pictures_.photoSpace &&
                          sameImages(pictures.winners, pictures_.winners);
    const bool rollingSame = pictures.rolling.cacheKey() == pictures_.rolling.cacheKey();
    pictures_ = std::move(pictures);
    // A roll step repaints the photo alone, or nothing when it is the same.
    if (!restSame || rollingPhotoBox_.isEmpty())
        update();
    else if (!rollingSame)
        update(rollingPhotoBox_);
}

QRect DrawBoard::paintedArea() const
{
    if (coversDisplay())
        return rect();
    const int top = height() * kResultsTop / designGeometry().height();
    return QRect(0, top, width(), height() - top);
}

DrawBoard::Boxes DrawBoard::boxesIn(const QRect& area, bool coversDisplay)
{
    const int margin = std::max(4, area.width() / 80);
    const QRect inner = area.adjusted(margin, margin / 2, -margin, -margin / 2);
    const int headlineHeight = coversDisplay ? inner.height() / 7 : inner.height() / 3;
    const QRect headline(inner.left(), inner.top(), inner.width(), headlineHeight);
    return {headline, QRect(inner.left(), headline.bottom() + 1, inner.width(),
                            inner.bottom() - headline.bottom())};
}

QRect DrawBoard::stageGeometry(const StageLayout& layout, const QSize& window, bool coversDisplay)
{
    const QRect mapped = layout.map(designGeometry());
    if (!coversDisplay)
        return mapped;
    // A batch takes the screen's whole width and all below the title: at 1080
    // lines, 50 winner lines of 24 characters get letters of 24 pixels.
    return QRect(0, mapped.top(), window.width(), window.height() - mapped.top());
}

void DrawBoard::paintEvent(QPaintEvent*)
{
    rollingPhotoBox_ = QRect();
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRect area = paintedArea();
    painter.fillRect(area, kBackground);

    const Boxes boxes = boxesIn(area, coversDisplay());
    painter.setPen(kHeadlineColour);
    drawHeadline(painter, boxes.headline, headline_);

    QRect body = boxes.body;
    if (!pictures_.prize.isNull()) {
        // The prize at the body's right, its text and winners beside it.
        const int side = std::min(body.height(), body.width() / 4);
        const QRect box(body.right() + 1 - side, body.top() + (body.height() - side) / 2, side,
                        side);
        drawPicture(painter, box, pictures_.prize);
        body.setRight(box.left() - 1 - photoGap(side / 4));
    }
    painter.setPen(kWinnerColour);
    if (winners_.empty()) {
        if (phase_ != DrawStatus::Phase::Rolling)
            return;
        const int pixels = body.height() * 6 / 10;
        if (pictures_.photoSpace) {
            // The photo of the name rolling, where the names roll by.
            const int height = std::min(body.height(), photoHeightBeside(pixels));
            const QRect box(body.left(), body.top() + (body.height() - height) / 2,
                            photoWidth(height), height);
            drawPicture(painter, box, pictures_.rolling);
            rollingPhotoBox_ = box;
            body.setLeft(box.right() + 1 + photoGap(pixels));
        }
        drawFitted(painter, body, QStringLiteral("本次抽取 %1 名").arg(batch_), pixels);
        return;
    }
    paintWinners(painter, body);
}

void DrawBoard::paintWinners(QPainter& painter, const QRect& body)
{
    QStringList lines;
    for (const QByteArray& winner : winners_)
        lines << screen_text::shown(winner);
    const bool photos = pictures_.photoSpace;
    // One winner's photo takes the body's height; in a batch, its row's.
    const bool alone = lines.size() == 1;
    auto photoHeight = [&](int pixels) {
        return alone ? body.height() : photoHeightBeside(pixels);
    };
    const TextWidth width = [&](int pixels, const QString& text) {
        const int photo = photos ? photoWidth(photoHeight(pixels)) + photoGap(pixels) : 0;
        return widthAt(pixels, text) + photo;
    };
    // One letter size for the whole batch, so no line looks less important.
    const BatchGrid grid = layOutBatch(lines, body.size(), body.height() * 6 / 10, width);
    painter.setFont(boardFont(grid.pixelSize));
    for (int i = 0; i < lines.size(); ++i) {
        QRect cell = grid.cell(i, body).adjusted(kCellPadding, 0, -kCellPadding, 0);
        Qt::Alignment alignment = grid.columns == 1 ? Qt::AlignHCenter : Qt::AlignLeft;
        if (photos) {
            // The photo before the name; a person without one keeps its room
            // empty, so the names stand in line.
            const int height = std::min(cell.height(), photoHeight(grid.pixelSize));
            const int gap = photoGap(grid.pixelSize);
            const int used = photoWidth(height) + gap + widthAt(grid.pixelSize, lines[i]);
            const int left = cell.left() + (grid.columns == 1 ? (cell.width() - used) / 2 : 0);
            const QRect box(left, cell.top() + (cell.height() - height) / 2, photoWidth(height),
                            height);
            if (static_cast<size_t>(i) < pictures_.winners.size())
                drawPicture(painter, box, pictures_.winners[static_cast<size_t>(i)]);
            cell.setLeft(box.right() + 1 + gap);
            alignment = Qt::AlignLeft;
        }
        painter.drawText(cell, alignment | Qt::AlignVCenter, lines[i]);
    }
}
