#include "ui/settings_window/button_edit.h"

#include <QStyle>
#include <QToolButton>

namespace {
constexpr int kButtonWidth = 18;
}

ButtonEdit::ButtonEdit(QWidget* parent) : QLineEdit(parent), button_(new QToolButton(this))
{
    button_->setObjectName(QStringLiteral("ellipsis"));
    button_->setText(QStringLiteral("…"));
    button_->setCursor(Qt::ArrowCursor);
    // The field keeps the focus; the button is reached with the mouse only.
    button_->setFocusPolicy(Qt::NoFocus);
    button_->setAutoRaise(true);
    setTextMargins(0, 0, kButtonWidth, 0);
    connect(button_, &QToolButton::clicked, this, &ButtonEdit::buttonClicked);
    placeButton();
}

void ButtonEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    placeButton();
}

void ButtonEdit::placeButton()
{
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int inset = frame > 0 ? 1 : 0;
    button_->setGeometry(width() - kButtonWidth - inset, inset, kButtonWidth, height() - 2 * inset);
}
