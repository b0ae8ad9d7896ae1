#include "base/screen_text.h"

#include "base/gbk.h"

namespace screen_text {

QString shown(const QByteArray& gbkText)
{
    return withGaps(gbk::decode(gbkText));
}

QString withGaps(const QString& text)
{
    QString shownText = text;
    return shownText.replace(QLatin1Char('\t'), kTabGap);
}

QString withTabs(const QString& shownText)
{
    QString text = shownText;
    return text.replace(kTabGap, QStringLiteral("\t"));
}

} // namespace screen_text
