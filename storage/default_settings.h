#pragma once

#include <QByteArray>
#include <vector>

struct SettingValue
{
    QByteArray section;
    QByteArray key;
    QByteArray value;
};

namespace setting_names {
QByteArray basicSection();  // 基本设置
QByteArray prizeSection();  // 奖项设置
QByteArray title();         // 抽奖标题
QByteArray picture();       // 标题背景
QByteArray startMusic();    // 开始音乐
QByteArray stopMusic();     // 停止音乐
QByteArray repeatWinners(); // 是否重复
QByteArray showPrizes();    // 是否显示奖项
QByteArray yes();           // 是
QByteArray no();            // 否
} // namespace setting_names

// The 18 values a first start writes, in their order.
const std::vector<SettingValue>& defaultSettings();

// Writes the defaults one at a time when rafflixset.ini does not exist in the
// working directory; an existing file is never completed.
void writeDefaultSettingsIfMissing();
