#pragma once

#include "draw/draw_status.h"
#include "ui/stage/draw_status_text.h"
#include "ui/stage/stage_layout.h"

#include <QImage>
#include <QWidget>
#include <vector>

class QPainter;

// The pictures on the board beside its texts; null ones are not shown.
struct BoardPictures
{
    QImage prize;                // the level's or extra prize's picture
    QImage rolling;              // the photo of the line the roll shows
    std::vector<QImage> winners; // in the order of the winners; empty: no photos
    // Room is kept for the photos: the roll has photos, or a winner has one
    // (still decoding, perhaps), so the names do not jump when it arrives.
    bool photoSpace = false;
};

// The stage's board over the display and results area: what is being drawn,
// and after a Stop every winner of the batch, each in a cell of its own, in
// letters as large as the area allows. While rolling, and after a single
// winner, it covers only the results area, so the rolling display stays seen;
// a batch in the stage view covers the whole screen.
class DrawBoard : public QWidget
{
    Q_OBJECT
  public:
    // In the main window's design pixels: from the display field's top to
    // the results field's bottom; the results area begins kResultsTop below.
    static QRect designGeometry() { return QRect(24, 136, 697, 305); }
    static constexpr int kResultsTop = 72;

    explicit DrawBoard(QWidget* window);

    void showStatus(const DrawStatus& status, const draw_status_text::HeadlineParts& headline);
    QString headline() const { return headline_.parts.join(draw_status_text::kGap); }
    const std::vector<QByteArray>& winners() const { return winners_; }
    // The photos and the prize picture beside the texts (none by default).
    void setPictures(BoardPictures pictures);
    const BoardPictures& pictures() const { return pictures_; }
    bool coversDisplay() const { return winners_.size() > 1; }

    // Where the headline and the winners go in the painted area.
    struct Boxes
    {
        QRect headline;
        QRect body;
    };
    static Boxes boxesIn(const QRect& area, bool coversDisplay);
    // Where the board goes in the stage view on a window of that size.
    static QRect stageGeometry(const StageLayout& layout, const QSize& window, bool coversDisplay);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect paintedArea() const;
    void paintWinners(QPainter& painter, const QRect& body);

    draw_status_text::HeadlineParts headline_;
    std::vector<QByteArray> winners_;
    DrawStatus::Phase phase_ = DrawStatus::Phase::Idle;
    int batch_ = 0;
    BoardPictures pictures_;
    QRect rollingPhotoBox_; // where the last paint put the roll's photo
};
