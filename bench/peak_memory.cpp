#include "peak_memory.h"

#include <QByteArray>
#include <QFile>
#include <cstdio>

void printPeakMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:") || line.startsWith("VmRSS:"))
            std::printf("%s\n", line.simplified().constData());
    }
}
