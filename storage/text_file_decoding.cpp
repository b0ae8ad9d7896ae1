#include "storage/text_file_decoding.h"

#include <QStringDecoder>

#include <algorithm>

namespace text_file_decoding {

namespace {

constexpr qsizetype kPieceBytes = 1 << 20;

bool startsWith(const QByteArray& bytes, const char* mark, int length)
{
    return bytes.size() >= length && std::equal(mark, mark + length, bytes.constData());
}

struct Decoding
{
    qsizetype markBytes = 0;
    QStringDecoder decoder;
};

Decoding decodingOf(const QByteArray& bytes)
{
    switch (detectEncoding(bytes)) {
    case Encoding::Utf8:
        return {0, QStringDecoder(QStringConverter::Utf8)};
    case Encoding::Utf8WithMark:
        return {3, QStringDecoder(QStringConverter::Utf8)};
    case Encoding::Utf16Le:
        return {2, QStringDecoder(QStringConverter::Utf16LE)};
    case Encoding::Utf16Be:
        return {2, QStringDecoder(QStringConverter::Utf16BE)};
    case Encoding::Gb18030:
        break;
    }
    return {0, QStringDecoder("GB18030")};
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
    return QByteArrayView(bytes).isValidUtf8() ? Encoding::Utf8 : Encoding::Gb18030;
}

QString decode(const QByteArray& bytes)
{
    QString text;
    decodeInPieces(bytes, [&text](QStringView piece) {
        text += piece;
        return true;
    });
    return text;
}

void decodeInPieces(const QByteArray& bytes, const std::function<bool(QStringView)>& consume)
{
    Decoding decoding = decodingOf(bytes);
    // The decoder keeps a character cut between two pieces for the next.
    for (qsizetype at = decoding.markBytes; at < bytes.size(); at += kPieceBytes) {
        const QByteArrayView piece =
            QByteArrayView(bytes).sliced(at, std::min(kPieceBytes, bytes.size() - at));
        const QString text = decoding.decoder.decode(piece);
        if (!consume(text))
            return;
    }
    const QString rest = decoding.decoder(QByteArrayView());
    if (!rest.isEmpty())
        consume(rest);
}

} // namespace text_file_decoding
