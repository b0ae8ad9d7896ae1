#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

class StageBlank;

// The stage view on a screen of its own: the main window's design drawn at
// the one scale that fits the screen, centred, without the operator's
// controls, and the board where the stage view puts it. It draws the main
// window's own controls, so it shows whatever the console shows the moment it
// changes, where it changes. Keys go on to the main window: Start/Stop and the presenter
// remote work from here as they do there.
class StageScreenWindow : public QWidget
{
    Q_OBJECT
  public:
    // notShown: the main window's controls the audience does not see;
    // statusLine: shown in the main window exactly while the board has a status.
    StageScreenWindow(QWidget* mainWindow, QWidget* board, QWidget* statusLine,
                      std::vector<QWidget*> notShown);

    // Covers the screen with that geometry and shows itself there.
    void placeOn(const QRect& screen);
    StageBlank* blank() const { return blank_; }

  signals:
    // The window manager was asked to close the window: the stage view is left.
    void closeRequested();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void paintBoard(QPainter& painter);
    bool boardShown() const;
    QRect boardGeometry() const;

    QWidget* mainWindow_;
    QPointer<QWidget> board_;
    QPointer<QWidget> statusLine_;
    std::vector<QPointer<QWidget>> notShown_;
    StageBlank* blank_;
    bool rendering_ = false; // the console's controls paint for the stage
};
