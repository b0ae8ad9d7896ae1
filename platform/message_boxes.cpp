#include "platform/message_boxes.h"

BoxRequest warningBox(const QString& text)
{
    BoxRequest request;
    request.text = text;
    request.caption = QStringLiteral("警告");
    request.icon = BoxIcon::Warning;
    return request;
}

BoxRequest noticeBox(const QString& text, bool topMost)
{
    BoxRequest request;
    request.text = text;
    request.caption = QStringLiteral("提示");
    request.icon = BoxIcon::Information;
    request.topMost = topMost;
    return request;
}

BoxRequest warningNoticeBox(const QString& text)
{
    BoxRequest request = noticeBox(text);
    request.icon = BoxIcon::Warning;
    return request;
}

BoxRequest questionBox(const QString& text, bool defaultNo)
{
    BoxRequest request = noticeBox(text);
    request.icon = BoxIcon::Question;
    request.yesNo = true;
    request.defaultNo = defaultNo;
    return request;
}
