#pragma once

#include "storage/prize_level.h"

#include <QByteArray>
#include <array>
#include <vector>

// The program's settings in rafflixset.ini, in three sections: the basic
// texts and paths, the prize counts, prizes and switches, and the batch
// sizes. Every section and key is named here, and each group is read and
// written here, key by key, in its one order.

// Section and key names and the yes/no values, GBK.
namespace setting_names {
QByteArray basicSection();                  // 基本设置
QByteArray prizeSection();                  // 奖项设置
QByteArray batchSection();                  // 批量抽奖
QByteArray title();                         // 抽奖标题
QByteArray picture();                       // 标题背景
QByteArray startMusic();                    // 开始音乐
QByteArray stopMusic();                     // 停止音乐
QByteArray levelCountKey(PrizeLevel level); // level name + 人数
QByteArray levelPrizeKey(PrizeLevel level); // level name + 奖品
QByteArray repeatWinners();                 // 是否重复
QByteArray showPrizes();                    // 是否显示奖项
QByteArray batchSizeKey(PrizeLevel level);  // level name + 每次人数
QByteArray yes();                           // 是
QByteArray no();                            // 否
} // namespace setting_names

namespace program_settings {

struct SettingValue
{
    QByteArray section;
    QByteArray key;
    QByteArray value;
};

// Section 基本设置.
struct BasicSettings
{
    QByteArray title;
    QByteArray picture;
    QByteArray startMusic;
    QByteArray stopMusic;
};

// Section 奖项设置. Indexed by levelIndex(), grand prize first.
struct PrizeSettings
{
    std::array<QByteArray, 6> counts;
    std::array<QByteArray, 6> prizes;
    QByteArray repeat;
    QByteArray showPrizes;
};

// Section 批量抽奖: how many winners one Stop draws per level, grand to
// fifth. A missing or unusable value means one winner per Stop, so a file
// without the section draws as it always has.
using BatchSizes = std::array<int, 6>;
inline constexpr int kMinBatchSize = 1;
inline constexpr int kMaxBatchSize = 9999;

// A missing file or key reads as empty. The writes throw "Unable to write
// to %s" and stop at the refused one; those before it stay.
BasicSettings readBasic();
// Title, picture, start music, stop music.
void writeBasic(const BasicSettings& settings);
PrizeSettings readPrizes();
// The prizes alone, six reads instead of fourteen.
std::array<QByteArray, 6> readPrizeTexts();
// Count and prize of each level from grand to fifth, then repeat and show-prizes.
void writePrizes(const PrizeSettings& settings);

BatchSizes readBatchSizes();
int parseBatchSize(const QByteArray& value); // 1 unless a whole number in range
// Writes only the values that differ from what the file gives, so an
// untouched page leaves the file as it was.
void writeChangedBatchSizes(const BatchSizes& sizes);

// The 18 values a first start writes, in their order: the basic settings
// as writeBasic writes them, then the prize settings as writePrizes does.
const std::vector<SettingValue>& defaultSettings();
// Writes the defaults one at a time when rafflixset.ini does not exist in the
// working directory; an existing file is never completed.
void writeDefaultSettingsIfMissing();

} // namespace program_settings
