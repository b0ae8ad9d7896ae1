#include "storage/batch_settings.h"
#include "storage/default_settings.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"

#include <gtest/gtest.h>

namespace {

TEST(BatchSettings, AnUntouchedPageLeavesTheDefaultFileByteForByte)
{
    ScopedWorkingDirectory dir;
    writeDefaultSettingsIfMissing();
    const QByteArray defaults = dir.readFile("rafflixset.ini");
    EXPECT_EQ(batch_settings::readSizes(), (std::array<int, 6>{1, 1, 1, 1, 1, 1}));

    batch_settings::writeChangedSizes({1, 1, 1, 1, 1, 1});
    EXPECT_EQ(dir.readFile("rafflixset.ini"), defaults);

    batch_settings::writeChangedSizes({1, 1, 1, 1, 1, 50});
    const QByteArray changed = dir.readFile("rafflixset.ini");
    EXPECT_TRUE(changed.startsWith(defaults)) << "the section comes after the others";
    EXPECT_EQ(changed.mid(defaults.size()), G("[批量抽奖]\r\n五等奖每次人数=50\r\n"));
    EXPECT_EQ(batch_settings::readSizes()[5], 50);
}

TEST(BatchSettings, UnusableValuesDrawOneAtATime)
{
    for (const char* value : {"", "0", "-3", "abc", "10000", "5x"})
        EXPECT_EQ(batch_settings::parseSize(value), 1) << value;
    EXPECT_EQ(batch_settings::parseSize(" 12 "), 12);
    EXPECT_EQ(batch_settings::parseSize("9999"), 9999);
}

} // namespace
