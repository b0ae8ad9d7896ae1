#include "participant_import_standin.h"

#include "base/atomic_file.h"
#include "base/gbk.h"
#include "base/working_files.h"

namespace import_standin {

QString withoutEmptyLines(const QString& fieldText)
{
    QString cleaned;
    cleaned.reserve(fieldText.size());
    const QStringView text(fieldText);
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\n')
            continue;
        if (i > lineStart) {
            cleaned.append(text.mid(lineStart, i - lineStart));
            cleaned.append(u'\n');
        }
        lineStart = i + 1;
    }
    if (lineStart < text.size())
        cleaned.append(text.mid(lineStart));
    return cleaned;
}

QByteArray participantFileBytes(const QString& cleanedText)
{
    const QByteArray encoded = gbk::encode(cleanedText);
    QByteArray bytes;
    bytes.reserve(encoded.size() + encoded.count('\n'));
    // No GBK character has a byte 0A in it, so each one is a line break.
    for (char byte : encoded) {
        if (byte == '\n')
            bytes.append('\r');
        bytes.append(byte);
    }
    return bytes;
}

bool importParticipants(const QString& fieldText, QString& cleaned)
{
    cleaned = withoutEmptyLines(fieldText);
    return writeFileAtomically(QLatin1String(working_files::kParticipants),
                               participantFileBytes(cleaned))
        .ok();
}

} // namespace import_standin
