#pragma once

#include "base/gbk.h"

#include <QByteArray>
#include <ostream>

// Source literals are UTF-8; tests compare the GBK bytes the program keeps.
inline QByteArray G(const char* utf8)
{
    return gbk::text(utf8);
}

// Readable failure output for byte strings.
inline void PrintTo(const QByteArray& bytes, std::ostream* out)
{
    *out << '"' << gbk::decode(bytes).toStdString() << "\" [" << bytes.toHex(' ').toStdString()
         << ']';
}

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
