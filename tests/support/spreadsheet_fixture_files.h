#pragma once

#include <QDir>
#include <QFile>
#include <QString>

inline QString fixturePath(const char* name)
{
    return QDir(QStringLiteral(SPREADSHEET_FIXTURES)).filePath(QLatin1String(name));
}

inline QByteArray fixtureBytes(const char* name)
{
    QFile file(fixturePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
