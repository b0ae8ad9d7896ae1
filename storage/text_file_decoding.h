#pragma once

#include <QByteArray>
#include <QString>

// The text of a list file whose encoding nobody states: a byte-order mark
// decides (UTF-8, UTF-16 LE or BE); otherwise bytes that are valid UTF-8 are
// UTF-8, and anything else is read as GB18030, which holds all of GBK.
namespace text_file_decoding {

enum class Encoding { Utf8, Utf8WithMark, Utf16Le, Utf16Be, Gb18030 };

Encoding detectEncoding(const QByteArray& bytes);
QString decode(const QByteArray& bytes);

} // namespace text_file_decoding
