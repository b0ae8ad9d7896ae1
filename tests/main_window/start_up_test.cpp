#include "support/fake_services.h"
#include "support/gbk_literals.h"
#include "support/working_directory.h"
#include "ui/cou.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

TEST(MainWindowStartUp, MissingPictureShowsOneErrorBoxAndTheWindowStillOpens)
{
    ScopedWorkingDirectory dir;
    ScopedFakeServices fakes;
    TForm1 window;
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].caption, "Prizmora");
    EXPECT_TRUE(fakes.boxes.shown[0].text.startsWith("Cannot open file \""));
    EXPECT_TRUE(dir.exists("rafflixset.ini"));
    EXPECT_EQ(window.findChild<QLabel*>("lbl2")->text(), QStringLiteral("2011年春节员工抽奖"));
}

} // namespace
