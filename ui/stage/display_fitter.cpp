#include "ui/stage/display_fitter.h"

#include "ui/stage/display_fit.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cmath>

namespace {
// QLineEdit's own margins around the text, besides the frame.
constexpr int kInnerMargins = 2 * 2 + 4;
} // namespace

DisplayFitter::DisplayFitter(QLineEdit* field)
    : QObject(field), field_(field), designFont_(field->font()), fullText_(field->text())
{
    setObjectName(QStringLiteral("displayFitter"));
    field_->setProperty("designFont", designFont_);
    field_->installEventFilter(this);
    connect(field_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (applying_)
            return;
        fullText_ = text;
        refit();
    });
    refit();
}

bool DisplayFitter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == field_ && !applying_) {
        if (event->type() == QEvent::FontChange) {
            designFont_ = field_->font();
            refit();
        } else if (event->type() == QEvent::Resize) {
            refit();
        }
    }
    return QObject::eventFilter(watched, event);
}

int DisplayFitter::availableWidth() const
{
    const int frame =
        field_->hasFrame()
            ? field_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field_) * 2
            : 0;
    return field_->width() - frame - kInnerMargins;
}

void DisplayFitter::refit()
{
    const int designPixels =
        designFont_.pixelSize() > 0 ? designFont_.pixelSize() : QFontInfo(designFont_).pixelSize();
    const int minimumPixels =
        std::max(1, static_cast<int>(std::lround(designPixels * kMinimumShare)));
    const TextWidth width = [this](int pixels, const QString& text) {
        QFont font = designFont_;
        font.setPixelSize(pixels);
        return QFontMetrics(font).horizontalAdvance(text);
    };
    const FittedLine fitted =
        fitLine(fullText_, availableWidth(), designPixels, minimumPixels, width);

    applying_ = true;
    QFont font = designFont_;
    font.setPixelSize(fitted.pixelSize);
    if (field_->font() != font)
        field_->setFont(font);
    if (field_->text() != fitted.text) {
        field_->setText(fitted.text);
        field_->setCursorPosition(0);
    }
    field_->setToolTip(fitted.shortened ? fullText_ : QString());
    applying_ = false;
}
