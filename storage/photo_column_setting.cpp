#include "storage/photo_column_setting.h"

#include "base/gbk.h"
#include "storage/screen_privacy_settings.h"
#include "storage/settings_file.h"

namespace photo_column_setting {

QByteArray key()
{
    return gbk::text("照片列");
}

QByteArray read()
{
    return readSetting(screen_privacy_settings::section(), key()).trimmed();
}

void writeChanged(const QByteArray& column)
{
    if (column.trimmed() != read())
        writeSetting(screen_privacy_settings::section(), key(), column.trimmed());
}

} // namespace photo_column_setting
