#pragma once

#include <QByteArray>
#include <vector>

// What the audience may see of a participant line: long digit runs masked,
// and which of its columns (tab-separated cells) are shown. Stored in a
// section of its own, 舞台与隐私, and only once changed, so a settings file
// written before stays as it was. With nothing set everything is shown.
struct ScreenPrivacy
{
    bool maskNumbers = false;
    std::vector<int> shownColumns; // 0-based, ascending; empty: every column

    bool showsEverything() const { return !maskNumbers && shownColumns.empty(); }
    bool operator==(const ScreenPrivacy& other) const
    {
        return maskNumbers == other.maskNumbers && shownColumns == other.shownColumns;
    }
};

namespace screen_privacy_settings {

QByteArray section();        // 舞台与隐私
QByteArray maskNumbersKey(); // 隐藏号码: 是 or 否
QByteArray columnsKey();     // 屏幕显示列: column numbers from 1, joined by commas

// Missing or unusable values show everything.
ScreenPrivacy read();
// Writes the values that differ from the file's.
void writeChanged(const ScreenPrivacy& privacy);
// The operator has said whether to mask numbers (the key holds a value).
bool maskNumbersChosen();
void writeMaskNumbers(bool mask);

// "1,3" for columns 0 and 2; unusable numbers are left out.
std::vector<int> parseColumns(const QByteArray& text);
QByteArray columnsText(const std::vector<int>& columns);

} // namespace screen_privacy_settings
