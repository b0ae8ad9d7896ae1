#pragma once

#include "draw/draw_status.h"

#include <QWidget>

// The stage's board over the display and results area: what is being drawn,
// and after a Stop every winner of the batch, each in a cell of its own, in
// letters as large as the area allows. While rolling, and after a single
// winner, it covers only the results area, so the rolling display stays seen.
class DrawBoard : public QWidget
{
    Q_OBJECT
  public:
    // In the main window's design pixels: from the display field's top to
    // the results field's bottom; the results area begins kResultsTop below.
    static QRect designGeometry() { return QRect(24, 136, 697, 305); }
    static constexpr int kResultsTop = 72;

    explicit DrawBoard(QWidget* window);

    void showStatus(const DrawStatus& status, const QString& headline);
    const QString& headline() const { return headline_; }
    const std::vector<QByteArray>& winners() const { return winners_; }
    bool coversDisplay() const { return winners_.size() > 1; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect paintedArea() const;

    QString headline_;
    std::vector<QByteArray> winners_;
    DrawStatus::Phase phase_ = DrawStatus::Phase::Idle;
    int batch_ = 0;
};
