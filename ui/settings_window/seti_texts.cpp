#include "ui/settings_window/seti_texts.h"

namespace settings_texts {

QString caption()
{
    return QStringLiteral("设置");
}

QString importInstruction()
{
    return QStringLiteral("每行一条数据，不能有空行（推荐格式:姓名 身份证号码）");
}

QString repeatHint()
{
    return QStringLiteral("选择【是】，抽中的人继续参加摇奖。\n"
                          "选择【否】，抽中的人将不会再中奖。");
}

QStringList informationLines()
{
    return {QStringLiteral("本软件完全免费，"),
            QStringLiteral("所有功能均可随意使用，"),
            QStringLiteral("不限次数，不限时间，"),
            QStringLiteral("没有任何功能限制。"),
            QStringLiteral("如果它为您的活动带来了方便，"),
            QStringLiteral("欢迎自愿捐助，金额不限。"),
            QStringLiteral("捐助与否都不影响使用，"),
            QStringLiteral("每位用户得到的功能完全相同。"),
            QStringLiteral("捐助者将收到新版本的更新通知，"),
            QStringLiteral("并可优先提出功能建议。"),
            QStringLiteral("捐助方式：在主界面点击右键，"),
            QStringLiteral("按菜单中的联系方式与我们联系，"),
            QStringLiteral("我们会回复捐助账户。"),
            QStringLiteral("感谢您的支持！")};
}

QString titleFull()
{
    return QStringLiteral("标题最多输入9个汉字！");
}

QString saved()
{
    return QStringLiteral("修改成功，请进行其它设置！");
}

QString drawRunning()
{
    return QStringLiteral("正在抽奖，保存设置会清空本轮的抽奖结果。\r\n"
                          "请先停止抽奖，再保存设置！");
}

QString importEmpty()
{
    return QStringLiteral("对不起！导入内容不能为空！");
}

QString importDone()
{
    return QStringLiteral("导入成功，请返回界面进行抽奖操作！");
}

QString importFailed()
{
    return QStringLiteral("磁盘不可写或其它未知错误！");
}

QString musicFilter()
{
    return QStringLiteral("*.wav *.mp3 *.ogg *.flac (*.wav *.mp3 *.ogg *.flac)");
}

} // namespace settings_texts
