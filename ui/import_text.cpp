#include "ui/import_text.h"

#include "platform/gbk.h"

namespace import_text {

QString withoutEmptyLines(const QString& fieldText)
{
    QString cleaned;
    cleaned.reserve(fieldText.size());
    for (QChar character : fieldText) {
        const bool breakEndsEmptyLine = character == QLatin1Char('\n') &&
                                        (cleaned.isEmpty() || cleaned.back() == QLatin1Char('\n'));
        if (!breakEndsEmptyLine)
            cleaned.append(character);
    }
    return cleaned;
}

QByteArray participantFileBytes(const QString& fieldText)
{
    // 0x0A is never part of a GBK double-byte character, so the breaks can be
    // widened after encoding.
    return gbk::encode(fieldText).replace('\n', "\r\n");
}

} // namespace import_text
