#include "ui/stage/stage_mode.h"

#include "ui/stage/display_fit.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QVariant>
#include <QWidget>
#include <algorithm>

StageMode::StageMode(QWidget* window, QLabel* picture)
    : QObject(window), window_(window), picture_(picture)
{
    setObjectName(QStringLiteral("stageMode"));
    window_->installEventFilter(this);
}

void StageMode::toggle()
{
    if (isShown())
        leave();
    else
        enter();
}

void StageMode::enter()
{
    if (isShown() || (elsewhere_ && elsewhere_->show()))
        return;
    captureDesign();
    savedGeometry_ = window_->geometry();
    savedMinimumSize_ = window_->minimumSize();
    savedMaximumSize_ = window_->maximumSize();
    savedState_ = window_->windowState();

    active_ = true;
    window_->setMinimumSize(0, 0);
    window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window_->showFullScreen();
    // The platform may resize the window later; the resize lays it out again.
    layout_ = StageLayout::fitting(window_->size());
    apply(layout_);
}

void StageMode::leave()
{
    if (elsewhere_)
        elsewhere_->hide();
    if (!active_)
        return;
    active_ = false;
    layout_ = StageLayout();
    apply(layout_);
    if (savedState_ & Qt::WindowMaximized)
        window_->showMaximized();
    else
        window_->showNormal();
    window_->setMinimumSize(savedMinimumSize_);
    window_->setMaximumSize(savedMaximumSize_);
    if (!(savedState_ & Qt::WindowMaximized))
        window_->setGeometry(savedGeometry_);
}

bool StageMode::handleKey(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_F11) {
        // Holding F11 down must not make the window flicker in and out.
        if (!key.isAutoRepeat())
            toggle();
        return true;
    }
    if (key.key() == Qt::Key_Escape && isShown()) {
        leave();
        return true;
    }
    return false;
}

void StageMode::pictureReplaced()
{
    if (!active_ || !picture_)
        return;
    designPicture_ = picture_->pixmap();
    apply(layout_);
}

bool StageMode::eventFilter(QObject* watched, QEvent* event)
{
    if (active_ && watched == window_ && event->type() == QEvent::Resize) {
        const StageLayout fitted = StageLayout::fitting(window_->size());
        if (fitted.scale() != layout_.scale() || fitted.offset() != layout_.offset()) {
            layout_ = fitted;
            apply(layout_);
        }
    }
    return QObject::eventFilter(watched, event);
}

void StageMode::captureDesign()
{
    controls_.clear();
    designPicture_ = picture_ ? picture_->pixmap() : QPixmap();
    const auto children = window_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* widget : children) {
        if (widget->isWindow() || widget->property(kPlacedByOwner).toBool())
            continue;
        Control control;
        control.widget = widget;
        control.geometry = widget->geometry();
        control.ownFont = widget->testAttribute(Qt::WA_SetFont);
        // A control that shrinks its own font to fit keeps its design font aside.
        const QVariant designFont = widget->property("designFont");
        control.font = designFont.isValid() ? designFont.value<QFont>() : widget->font();
        auto* label = qobject_cast<QLabel*>(widget);
        control.sizesToText = label && label != picture_;
        if (control.sizesToText)
            control.text = label->text();
        control.overPicture = control.sizesToText && picture_ &&
                              picture_->geometry().contains(control.geometry.topLeft());
        controls_.push_back(control);
    }
}

void StageMode::apply(const StageLayout& layout)
{
    for (const Control& control : controls_) {
        if (!control.widget)
            continue;
        if (control.ownFont) {
            QFont font = control.font;
            if (font.pixelSize() > 0)
                font.setPixelSize(layout.mapFontPixels(font.pixelSize()));
            else if (font.pointSizeF() > 0)
                font.setPointSizeF(font.pointSizeF() * layout.scale());
            control.widget->setFont(font);
        }
        if (control.widget == picture_)
            placePicture(control, layout);
        else if (control.sizesToText)
            placeText(control, layout);
        else
            control.widget->setGeometry(layout.map(control.geometry));
    }
}

void StageMode::placeText(const Control& control, const StageLayout& layout)
{
    auto* label = static_cast<QLabel*>(control.widget.data());
    // A label whose text is as it was gets its very geometry back; one whose
    // text changed meanwhile fits its new text, as the window would have made it.
    if (layout.isNormal() && label->text() == control.text) {
        label->setGeometry(control.geometry);
        return;
    }
    label->move(layout.map(control.geometry.topLeft()));
    label->adjustSize();
    if (!layout.isNormal() && control.overPicture && picture_)
        keepWithinPicture(*label, control);
}

void StageMode::keepWithinPicture(QLabel& label, const Control& control)
{
    const int room = picture_->geometry().right() + 1 - label.x();
    if (label.width() <= room || room <= 0)
        return;
    // A text over the picture is lettered smaller rather than run past it.
    QFont font = label.font();
    int pixels = font.pixelSize() > 0 ? font.pixelSize() : control.font.pixelSize();
    if (pixels <= 0)
        return;
    pixels = fittingFontPixels(pixels, label.width(), room);
    for (int tries = 0; tries < 8; ++tries) {
        font.setPixelSize(pixels);
        label.setFont(font);
        label.adjustSize();
        if (label.width() <= room || pixels == 1)
            break;
        pixels = std::max(1, pixels - 1);
    }
}

void StageMode::placePicture(const Control& control, const StageLayout& layout)
{
    QLabel* label = picture_;
    if (designPicture_.isNull()) {
        label->setGeometry(layout.map(control.geometry));
        return;
    }
    const QRect target = layout.map(QRect(control.geometry.topLeft(), designPicture_.size()));
    if (layout.isNormal()) {
        label->setPixmap(designPicture_);
    } else {
        // Scaled from the picture itself at the screen's pixel density, so it
        // stays as sharp as the picture allows.
        const qreal ratio = label->devicePixelRatioF();
        QPixmap scaled = designPicture_.scaled(target.size() * ratio, Qt::IgnoreAspectRatio,
                                               Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(ratio);
        label->setPixmap(scaled);
    }
    label->setGeometry(target);
}
