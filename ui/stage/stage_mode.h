#pragma once

#include "ui/stage/stage_layout.h"

#include <QFont>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QString>
#include <vector>

class QKeyEvent;

class QLabel;
class QWidget;
class StageBlank;

// Shows the stage view somewhere other than the main window: on a screen of
// its own. show() says whether it could.
class StageElsewhere
{
  public:
    virtual ~StageElsewhere() = default;
    virtual bool show() = 0;
    virtual void hide() = 0;
    virtual bool isShown() const = 0;
    // The black screen over the stage view there.
    virtual StageBlank* blank() const = 0;
};

// Stage mode for a projector: the window goes full screen on the screen it is
// on, and every control is laid out and lettered at one scale that fits that
// screen, centred on the window's background. Leaving puts the window and its
// controls back exactly as they were.
class StageMode : public QObject
{
    Q_OBJECT
  public:
    // A control with this property true is placed by its owner, not here.
    static constexpr const char* kPlacedByOwner = "placedByOwner";

    // The picture label shows the title picture, which is rescaled smoothly;
    // labels without a picture size themselves to their text.
    StageMode(QWidget* window, QLabel* picture);

    // The main window itself is the stage view.
    bool isActive() const { return active_; }
    // The stage view is shown, on the main window or elsewhere.
    bool isShown() const { return active_ || (elsewhere_ && elsewhere_->isShown()); }
    // Where the stage view goes first when it is entered; none by default.
    void setElsewhere(StageElsewhere* elsewhere) { elsewhere_ = elsewhere; }
    StageElsewhere* elsewhere() const { return elsewhere_; }
    const StageLayout& layout() const { return layout_; }
    void enter();
    void leave();
    void toggle();

    // F11 toggles, Esc leaves while the stage is shown (here or elsewhere); true when the key was
    // taken. Every other key, and Esc in the normal window, is left alone.
    bool handleKey(const QKeyEvent& key);
    // The window put a new title picture into the picture label.
    void pictureReplaced();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // One control as the normal window shows it.
    struct Control
    {
        QPointer<QWidget> widget;
        QRect geometry;
        bool ownFont = false;
        QFont font;
        bool sizesToText = false;
        bool overPicture = false; // a text label drawn over the picture
        QString text;
    };

    void captureDesign();
    void apply(const StageLayout& layout);
    void placeText(const Control& control, const StageLayout& layout);
    void placePicture(const Control& control, const StageLayout& layout);
    void keepWithinPicture(QLabel& label, const Control& control);

    QWidget* window_;
    QPointer<QLabel> picture_;
    QPixmap designPicture_;
    std::vector<Control> controls_;
    bool active_ = false;
    StageElsewhere* elsewhere_ = nullptr;
    StageLayout layout_;

    QRect savedGeometry_;
    QSize savedMinimumSize_;
    QSize savedMaximumSize_;
    Qt::WindowStates savedState_;
};
