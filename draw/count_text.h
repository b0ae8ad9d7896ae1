#pragma once

#include <QByteArray>
#include <QtGlobal>

// A winner count as the settings hold it: empty is 0; otherwise optional
// leading spaces, an optional sign, then decimal digits within 32 bits, or
// hexadecimal digits after "$", "x", "X", "0x" or "0X" read as a 32-bit
// pattern. Anything else throws "'%s' is not a valid integer value".
qint32 parseCountText(const QByteArray& text);
