// TForm1 as the draw's surface: the controls the draw command and the
// rolling display work on, and the boxes the draw asks for.
#include "ui/main_window/cou.h"

#include "base/gbk.h"
#include "base/screen_text.h"
#include "draw/screen_privacy.h"
#include "platform/message_boxes.h"
#include "platform/services.h"
#include "ui/main_window/results_list_lines.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

QByteArray TForm1::startStopCaption() const
{
    return gbk::encode(btn3->text());
}

void TForm1::setStartStopCaption(const QByteArray& caption)
{
    btn3->setText(gbk::decode(caption));
}

bool TForm1::drawTimerEnabled() const
{
    return tmr1->isActive();
}

void TForm1::setDrawTimerEnabled(bool enabled)
{
    if (enabled && !tmr1->isActive())
        tmr1->start();
    else if (!enabled)
        tmr1->stop();
}

int TForm1::drawTimerInterval() const
{
    return tmr1->interval();
}

void TForm1::setDrawTimerInterval(int milliseconds)
{
    tmr1->setInterval(milliseconds);
}

void TForm1::setDisplayText(const QByteArray& text)
{
    edt1->setText(screen_text::shown(screen_privacy::shownParticipant(text, options_.privacy)));
    // A long line shows its beginning, the name, rather than its end.
    edt1->setCursorPosition(0);
}

void TForm1::setProgressText(const QByteArray& text)
{
    setLabelText(lbl3, text);
}

void TForm1::setProgressPosition(int position)
{
    pb1->setValue(position);
}

void TForm1::appendResultLine(const QByteArray& line)
{
    results_list_lines::append(
        *mmo1, gbk::decode(line),
        gbk::decode(screen_privacy::shownResultsListLine(line, options_.privacy)));
}

void TForm1::setRollingPassesActive(bool active)
{
    if (active)
        rollTimer->start();
    else
        rollTimer->stop();
}

bool TForm1::rollingPassesActive() const
{
    return rollTimer->isActive();
}

void TForm1::tell(const DrawNotice& notice)
{
    services().boxes->show(this, notice.kind == DrawNotice::Kind::Warning
                                     ? warningBox(notice.text)
                                     : warningNoticeBox(notice.text));
}
