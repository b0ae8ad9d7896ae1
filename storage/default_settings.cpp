#include "storage/default_settings.h"

#include "base/file_paths.h"
#include "base/gbk.h"
#include "base/working_files.h"
#include "storage/prize_level.h"
#include "storage/settings_file.h"

namespace setting_names {
QByteArray basicSection()
{
    return gbk::text("基本设置");
}
QByteArray prizeSection()
{
    return gbk::text("奖项设置");
}
QByteArray title()
{
    return gbk::text("抽奖标题");
}
QByteArray picture()
{
    return gbk::text("标题背景");
}
QByteArray startMusic()
{
    return gbk::text("开始音乐");
}
QByteArray stopMusic()
{
    return gbk::text("停止音乐");
}
QByteArray repeatWinners()
{
    return gbk::text("是否重复");
}
QByteArray showPrizes()
{
    return gbk::text("是否显示奖项");
}
QByteArray yes()
{
    return gbk::text("是");
}
QByteArray no()
{
    return gbk::text("否");
}
} // namespace setting_names

const std::vector<SettingValue>& defaultSettings()
{
    using namespace setting_names;
    static const std::vector<SettingValue> values = [] {
        const QByteArray basic = basicSection();
        const QByteArray prize = prizeSection();
        auto count = [&](PrizeLevel level, const char* value) {
            return SettingValue{prize, levelCountKey(level), gbk::text(value)};
        };
        auto gift = [&](PrizeLevel level, const char* value) {
            return SettingValue{prize, levelPrizeKey(level), gbk::text(value)};
        };
        return std::vector<SettingValue>{
            {basic, title(), gbk::text("2011年春节员工抽奖")},
            {basic, picture(), QByteArray(".\\bg.jpg")},
            {basic, startMusic(), QByteArray(".\\01.wav")},
            {basic, stopMusic(), QByteArray(".\\02.wav")},
            count(PrizeLevel::Grand, "1"),
            gift(PrizeLevel::Grand, "电压力锅"),
            count(PrizeLevel::First, "2"),
            gift(PrizeLevel::First, "电吹风"),
            count(PrizeLevel::Second, "3"),
            gift(PrizeLevel::Second, "购物卡150元"),
            count(PrizeLevel::Third, "4"),
            gift(PrizeLevel::Third, "毛巾1条"),
            count(PrizeLevel::Fourth, ""),
            gift(PrizeLevel::Fourth, ""),
            count(PrizeLevel::Fifth, ""),
            gift(PrizeLevel::Fifth, ""),
            {prize, repeatWinners(), no()},
            {prize, showPrizes(), no()},
        };
    }();
    return values;
}

void writeDefaultSettingsIfMissing()
{
    if (file_paths::isExistingFile(QLatin1String(working_files::kSettings)))
        return;
    for (const SettingValue& setting : defaultSettings())
        writeSetting(setting.section, setting.key, setting.value);
}
