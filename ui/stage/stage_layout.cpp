#include "ui/stage/stage_layout.h"

#include <algorithm>
#include <cmath>

StageLayout StageLayout::fitting(const QSize& area)
{
    const QSize design = designSize();
    const double scale =
        std::min(double(area.width()) / design.width(), double(area.height()) / design.height());
    if (scale <= 0.0)
        return StageLayout();
    const StageLayout sized(scale, QPoint());
    const QPoint offset((area.width() - sized.scaled(design.width())) / 2,
                        (area.height() - sized.scaled(design.height())) / 2);
    return StageLayout(scale, offset);
}

int StageLayout::scaled(int designPixels) const
{
    return static_cast<int>(std::lround(designPixels * scale_));
}

QPoint StageLayout::map(const QPoint& designPoint) const
{
    return offset_ + QPoint(scaled(designPoint.x()), scaled(designPoint.y()));
}

QRect StageLayout::map(const QRect& designRect) const
{
    const QPoint topLeft = map(designRect.topLeft());
    const QPoint bottomRight =
        map(QPoint(designRect.x() + designRect.width(), designRect.y() + designRect.height()));
    return QRect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y()));
}

int StageLayout::mapFontPixels(int designPixels) const
{
    return std::max(1, scaled(designPixels));
}
