#include "storage/stage_screen_settings.h"

#include "base/gbk.h"
#include "storage/program_settings.h"
#include "storage/screen_privacy_settings.h"
#include "storage/settings_file.h"

namespace stage_screen_settings {

namespace {
// More screens than any machine drives; a bigger number is a typing slip.
constexpr int kMaxScreen = 16;
} // namespace

QByteArray onSecondScreenKey()
{
    return gbk::text("舞台视图显示在第二屏幕");
}

QByteArray screenKey()
{
    return gbk::text("舞台屏幕");
}

StageScreenChoice read()
{
    const QByteArray section = screen_privacy_settings::section();
    StageScreenChoice choice;
    choice.onSecondScreen = readSetting(section, onSecondScreenKey()) == setting_names::yes();
    bool ok = false;
    const int number = readSetting(section, screenKey()).trimmed().toInt(&ok);
    if (ok && number >= 1 && number <= kMaxScreen)
        choice.screen = number - 1;
    return choice;
}

void writeChanged(const StageScreenChoice& choice)
{
    const QByteArray section = screen_privacy_settings::section();
    const StageScreenChoice stored = read();
    if (choice.onSecondScreen != stored.onSecondScreen)
        writeSetting(section, onSecondScreenKey(),
                     choice.onSecondScreen ? setting_names::yes() : setting_names::no());
    if (choice.screen != stored.screen)
        writeSetting(section, screenKey(),
                     choice.screen < 0 ? QByteArray() : QByteArray::number(choice.screen + 1));
}

} // namespace stage_screen_settings
