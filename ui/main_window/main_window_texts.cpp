#include "ui/main_window/main_window_texts.h"

namespace main_window_texts {

QString caption()
{
    // Shown on the projector in the title bar: short, no address.
    return QStringLiteral("抽奖(Prizmora)");
}

QStringList menuEntries(const QString& workingFolder, std::optional<qint64> participants)
{
    return {QStringLiteral("工作文件夹：") + workingFolder,
            participants ? QStringLiteral("名单人数：%1 人").arg(*participants)
                         : QStringLiteral("名单人数：未找到名单 rafflixlist.txt"),
            QStringLiteral("Enter 开始/停止 · F11 全屏 · Ctrl+R 撤销初始化")};
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
