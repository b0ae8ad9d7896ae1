#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <functional>

// The text of a list file whose encoding nobody states: a byte-order mark
// decides (UTF-8, UTF-16 LE or BE); otherwise bytes that are valid UTF-8 are
// UTF-8, and anything else is read as GB18030, which holds all of GBK.
namespace text_file_decoding {

enum class Encoding { Utf8, Utf8WithMark, Utf16Le, Utf16Be, Gb18030 };

Encoding detectEncoding(const QByteArray& bytes);
QString decode(const QByteArray& bytes);

// The same text in pieces, each from about a mebibyte of the bytes, so a
// long file is never held twice as text; stops when `consume` returns false.
void decodeInPieces(const QByteArray& bytes, const std::function<bool(QStringView)>& consume);

} // namespace text_file_decoding
