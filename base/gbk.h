#pragma once

#include <QByteArray>
#include <QString>

// Every text the program keeps is a GBK (code page 936) byte string; these are
// the only crossings to and from Unicode, used at the widget and file-name
// boundary.
namespace gbk {

// Characters GBK cannot hold become "?", as the platform's ANSI conversion does.
QByteArray encode(const QString& text);
// Bytes that are not valid GBK decode to replacement characters; never fails.
QString decode(const QByteArray& bytes);
// True when every byte sequence of the text is a GBK character.
bool isValid(const QByteArray& bytes);

// Shorthand for program texts written in the source as UTF-8 literals.
inline QByteArray text(const char* utf8)
{
    return encode(QString::fromUtf8(utf8));
}

} // namespace gbk
