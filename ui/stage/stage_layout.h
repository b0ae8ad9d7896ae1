#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the main window's design (744 × 522 pixels) goes on a screen: one
// scale factor that keeps its proportions and an offset that centres it. The
// default layout is the normal window: scale 1, no offset.
class StageLayout
{
  public:
    static QSize designSize() { return QSize(744, 522); }

    StageLayout() = default;
    // The largest layout that fits the area: s = min(width / 744, height / 522).
    static StageLayout fitting(const QSize& area);

    double scale() const { return scale_; }
    QPoint offset() const { return offset_; }
    bool isNormal() const { return scale_ == 1.0 && offset_.isNull(); }

    QPoint map(const QPoint& designPoint) const;
    // Both edges are scaled and rounded, so controls that touch in the design
    // still touch when scaled.
    QRect map(const QRect& designRect) const;
    // A font's character height in pixels, never below 1.
    int mapFontPixels(int designPixels) const;

  private:
    StageLayout(double scale, const QPoint& offset) : scale_(scale), offset_(offset) {}
    int scaled(int designPixels) const;

    double scale_ = 1.0;
    QPoint offset_;
};
