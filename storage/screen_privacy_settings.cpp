#include "storage/screen_privacy_settings.h"

#include "base/gbk.h"
#include "storage/program_settings.h"
#include "storage/settings_file.h"

#include <QList>

#include <algorithm>

namespace screen_privacy_settings {

namespace {
// More columns than any list has; a bigger number is a typing slip.
constexpr int kMaxColumn = 999;
} // namespace

QByteArray section()
{
    return gbk::text("舞台与隐私");
}

QByteArray maskNumbersKey()
{
    return gbk::text("隐藏号码");
}

QByteArray columnsKey()
{
    return gbk::text("屏幕显示列");
}

std::vector<int> parseColumns(const QByteArray& text)
{
    std::vector<int> columns;
    for (const QByteArray& part : text.split(',')) {
        bool ok = false;
        const int number = part.trimmed().toInt(&ok);
        if (ok && number >= 1 && number <= kMaxColumn)
            columns.push_back(number - 1);
    }
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    return columns;
}

QByteArray columnsText(const std::vector<int>& columns)
{
    QByteArray text;
    for (int column : columns) {
        if (!text.isEmpty())
            text += ',';
        text += QByteArray::number(column + 1);
    }
    return text;
}

ScreenPrivacy read()
{
    ScreenPrivacy privacy;
    privacy.maskNumbers = readSetting(section(), maskNumbersKey()) == setting_names::yes();
    privacy.shownColumns = parseColumns(readSetting(section(), columnsKey()));
    return privacy;
}

bool maskNumbersChosen()
{
    return !readSetting(section(), maskNumbersKey()).isEmpty();
}

void writeMaskNumbers(bool mask)
{
    writeSetting(section(), maskNumbersKey(), mask ? setting_names::yes() : setting_names::no());
}

void writeChanged(const ScreenPrivacy& privacy)
{
    const ScreenPrivacy stored = read();
    if (privacy.maskNumbers != stored.maskNumbers)
        writeMaskNumbers(privacy.maskNumbers);
    if (privacy.shownColumns != stored.shownColumns)
        writeSetting(section(), columnsKey(), columnsText(privacy.shownColumns));
}

} // namespace screen_privacy_settings
