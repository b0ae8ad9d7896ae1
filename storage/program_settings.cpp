#include "storage/program_settings.h"

#include "base/file_paths.h"
#include "base/gbk.h"
#include "base/working_files.h"
#include "storage/settings_file.h"

#include <algorithm>

namespace setting_names {

QByteArray basicSection()
{
    return gbk::text("基本设置");
}
QByteArray prizeSection()
{
    return gbk::text("奖项设置");
}
QByteArray batchSection()
{
    return gbk::text("批量抽奖");
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
QByteArray levelCountKey(PrizeLevel level)
{
    return levelName(level) + gbk::text("人数");
}
QByteArray levelPrizeKey(PrizeLevel level)
{
    return levelName(level) + gbk::text("奖品");
}
QByteArray repeatWinners()
{
    return gbk::text("是否重复");
}
QByteArray showPrizes()
{
    return gbk::text("是否显示奖项");
}
QByteArray batchSizeKey(PrizeLevel level)
{
    return levelName(level) + gbk::text("每次人数");
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

namespace program_settings {

using namespace setting_names;

namespace {

// One key of a group and the member that holds its value.
struct Field
{
    QByteArray section;
    QByteArray key;
    QByteArray* value;
};

// Each group's keys in the order they are written; reads go by the same list.
std::vector<Field> fieldsOf(BasicSettings& settings)
{
    const QByteArray section = basicSection();
    return {{section, title(), &settings.title},
            {section, picture(), &settings.picture},
            {section, startMusic(), &settings.startMusic},
            {section, stopMusic(), &settings.stopMusic}};
}

std::vector<Field> fieldsOf(PrizeSettings& settings)
{
    const QByteArray section = prizeSection();
    std::vector<Field> fields;
    for (PrizeLevel level : kAllPrizeLevels) {
        const auto index = static_cast<size_t>(levelIndex(level));
        fields.push_back({section, levelCountKey(level), &settings.counts[index]});
        fields.push_back({section, levelPrizeKey(level), &settings.prizes[index]});
    }
    fields.push_back({section, repeatWinners(), &settings.repeat});
    fields.push_back({section, showPrizes(), &settings.showPrizes});
    return fields;
}

template <typename Group> Group readGroup()
{
    Group group;
    for (const Field& field : fieldsOf(group))
        *field.value = readSetting(field.section, field.key);
    return group;
}

template <typename Group> std::vector<SettingValue> valuesOf(Group group)
{
    std::vector<SettingValue> values;
    for (const Field& field : fieldsOf(group))
        values.push_back({field.section, field.key, *field.value});
    return values;
}

void writeValues(const std::vector<SettingValue>& values)
{
    for (const SettingValue& value : values)
        writeSetting(value.section, value.key, value.value);
}

BasicSettings defaultBasic()
{
    return {gbk::text("2011年春节员工抽奖"), ".\\bg.jpg", ".\\01.wav", ".\\02.wav"};
}

PrizeSettings defaultPrizes()
{
    PrizeSettings prizes;
    prizes.counts = {"1", "2", "3", "4", "", ""};
    prizes.prizes = {gbk::text("电压力锅"),
                     gbk::text("电吹风"),
                     gbk::text("购物卡150元"),
                     gbk::text("毛巾1条"),
                     "",
                     ""};
    prizes.repeat = no();
    prizes.showPrizes = no();
    return prizes;
}

} // namespace

BasicSettings readBasic()
{
    return readGroup<BasicSettings>();
}

void writeBasic(const BasicSettings& settings)
{
    writeValues(valuesOf(settings));
}

PrizeSettings readPrizes()
{
    return readGroup<PrizeSettings>();
}

std::array<QByteArray, 6> readPrizeTexts()
{
    std::array<QByteArray, 6> prizes;
    for (PrizeLevel level : kAllPrizeLevels)
        prizes[static_cast<size_t>(levelIndex(level))] =
            readSetting(prizeSection(), levelPrizeKey(level));
    return prizes;
}

void writePrizes(const PrizeSettings& settings)
{
    writeValues(valuesOf(settings));
}

int parseBatchSize(const QByteArray& value)
{
    bool ok = false;
    const int size = value.trimmed().toInt(&ok);
    if (!ok || size < kMinBatchSize || size > kMaxBatchSize)
        return kMinBatchSize;
    return size;
}

BatchSizes readBatchSizes()
{
    BatchSizes sizes{};
    for (PrizeLevel level : kAllPrizeLevels)
        sizes[static_cast<size_t>(levelIndex(level))] =
            parseBatchSize(readSetting(batchSection(), batchSizeKey(level)));
    return sizes;
}

void writeChangedBatchSizes(const BatchSizes& sizes)
{
    const BatchSizes stored = readBatchSizes();
    for (PrizeLevel level : kAllPrizeLevels) {
        const auto slot = static_cast<size_t>(levelIndex(level));
        const int size = std::clamp(sizes[slot], kMinBatchSize, kMaxBatchSize);
        if (size != stored[slot])
            writeSetting(batchSection(), batchSizeKey(level), QByteArray::number(size));
    }
}

const std::vector<SettingValue>& defaultSettings()
{
    static const std::vector<SettingValue> values = [] {
        std::vector<SettingValue> defaults = valuesOf(defaultBasic());
        for (SettingValue& value : valuesOf(defaultPrizes()))
            defaults.push_back(std::move(value));
        return defaults;
    }();
    return values;
}

void writeDefaultSettingsIfMissing()
{
    if (file_paths::isExistingFile(QLatin1String(working_files::kSettings)))
        return;
    writeValues(defaultSettings());
}

} // namespace program_settings
