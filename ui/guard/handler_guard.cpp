#include "ui/guard/handler_guard.h"

#include "platform/message_boxes.h"
#include "platform/services.h"

QString errorReportText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void reportError(QWidget* parent, const QString& message)
{
    BoxRequest request;
    request.text = errorReportText(message);
    request.caption = QLatin1String(kApplicationTitle);
    request.icon = BoxIcon::Critical;
    if (services().boxes)
        services().boxes->show(parent, request);
}
