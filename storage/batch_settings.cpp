#include "storage/batch_settings.h"

#include "base/gbk.h"
#include "storage/settings_file.h"

#include <algorithm>

namespace batch_settings {

QByteArray section()
{
    return gbk::text("批量抽奖");
}

QByteArray sizeKey(PrizeLevel level)
{
    return levelName(level) + gbk::text("每次人数");
}

int parseSize(const QByteArray& value)
{
    bool ok = false;
    const int size = value.trimmed().toInt(&ok);
    if (!ok || size < kMinimum || size > kMaximum)
        return kMinimum;
    return size;
}

std::array<int, 6> readSizes()
{
    std::array<int, 6> sizes{};
    for (PrizeLevel level : kAllPrizeLevels)
        sizes[static_cast<size_t>(levelIndex(level))] =
            parseSize(readSetting(section(), sizeKey(level)));
    return sizes;
}

void writeChangedSizes(const std::array<int, 6>& sizes)
{
    const std::array<int, 6> stored = readSizes();
    for (PrizeLevel level : kAllPrizeLevels) {
        const auto slot = static_cast<size_t>(levelIndex(level));
        const int size = std::clamp(sizes[slot], kMinimum, kMaximum);
        if (size != stored[slot])
            writeSetting(section(), sizeKey(level), QByteArray::number(size));
    }
}

} // namespace batch_settings
