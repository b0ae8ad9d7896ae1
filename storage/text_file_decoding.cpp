#include "storage/text_file_decoding.h"

#include <QStringDecoder>

namespace text_file_decoding {

namespace {

bool startsWith(const QByteArray& bytes, const char* mark, int length)
{
    return bytes.size() >= length && std::equal(mark, mark + length, bytes.constData());
}

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString ignored = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

Encoding detectEncoding(const QByteArray& bytes)
{
    if (startsWith(bytes, "\xEF\xBB\xBF", 3))
        return Encoding::Utf8WithMark;
    if (startsWith(bytes, "\xFF\xFE", 2))
        return Encoding::Utf16Le;
    if (startsWith(bytes, "\xFE\xFF", 2))
        return Encoding::Utf16Be;
    return isValidUtf8(bytes) ? Encoding::Utf8 : Encoding::Gb18030;
}

QString decode(const QByteArray& bytes)
{
    switch (detectEncoding(bytes)) {
    case Encoding::Utf8:
        return QString::fromUtf8(bytes);
    case Encoding::Utf8WithMark:
        return QString::fromUtf8(bytes.mid(3));
    case Encoding::Utf16Le:
        return QStringDecoder(QStringConverter::Utf16LE).decode(bytes.mid(2));
    case Encoding::Utf16Be:
        return QStringDecoder(QStringConverter::Utf16BE).decode(bytes.mid(2));
    case Encoding::Gb18030:
        break;
    }
    QStringDecoder gb18030("GB18030", QStringConverter::Flag::Stateless);
    return gb18030.decode(bytes);
}

} // namespace text_file_decoding
