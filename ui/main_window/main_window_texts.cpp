#include "ui/main_window/main_window_texts.h"

namespace main_window_texts {

QString caption()
{
    // Shown on the projector in the title bar: short, no address.
    return QStringLiteral("抽奖(Prizmora)");
}

QStringList menuEntries()
{
    return {QStringLiteral("联系我们：prizmora@example.org"),
            QStringLiteral("项目主页：https://prizmora.example.org"),
            QStringLiteral("承接各类活动软件定制开发")};
}

QString closeQuestion()
{
    return QStringLiteral("活动中奖项分段抽出请不要关闭程序！！！\r\n"
                          "否则将会重新摇奖！\r\n"
                          "\r\n"
                          "点击【是】强制关闭程序。\r\n"
                          "点击【否】将程序最小化到任务栏上。");
}

QString proposedResultsName(const QDateTime& localTime)
{
    return QStringLiteral("抽奖结果") + localTime.toString(QStringLiteral("yyyyMMddHHmmss")) +
           QStringLiteral(".txt");
}

QStringList resultsSaveFilters()
{
    return {QStringLiteral("所有图片 (*.jpg *.jpeg *.bmp *.png *.gif *.ico *.emf *.wmf)"),
            QStringLiteral("JPEG 图片 (*.jpg *.jpeg)"),
            QStringLiteral("位图 (*.bmp)"),
            QStringLiteral("PNG 图片 (*.png)"),
            QStringLiteral("GIF 图片 (*.gif)"),
            QStringLiteral("图标 (*.ico)"),
            QStringLiteral("图元文件 (*.emf *.wmf)")};
}

} // namespace main_window_texts
