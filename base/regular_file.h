#pragma once

#include <QByteArray>
#include <QString>

// Reading a file the operator or another program may have replaced by
// something else: a pipe, a device or a link to one is refused at once
// instead of blocking the window or reading without end.
namespace regular_file {

struct Opened
{
    int descriptor = -1; // blocking mode, close-on-exec; the caller closes it
    int error = 0;       // errno, or system_reason::kNotARegularFile

    bool ok() const { return descriptor >= 0; }
};

// Opens a regular file (or a link to one) for reading.
Opened openForReading(const QString& path);

struct Content
{
    QByteArray bytes;
    int error = 0;

    bool ok() const { return error == 0; }
};

// The whole file, or the error that kept it from being read.
Content readAll(const QString& path);
// The whole of a file opened by openForReading, which it closes.
Content readAndClose(const Opened& opened);

// True when the error means the file is simply not there, as opposed to a
// file that exists and cannot be read.
bool isMissing(int error);

} // namespace regular_file
