#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QtEndian>

inline QString fixturePath(const char* name)
{
    return QDir(QStringLiteral(SPREADSHEET_FIXTURES)).filePath(QLatin1String(name));
}

inline QByteArray fixtureBytes(const char* name)
{
    QFile file(fixturePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The workbook with the unpacked size its central directory declares for
// one member changed, as a zip bomb or a damaged archive has it.
inline QByteArray withDeclaredSize(QByteArray archive, const QByteArray& member, quint32 size)
{
    for (qsizetype at = archive.indexOf("PK\x01\x02"); at >= 0;
         at = archive.indexOf("PK\x01\x02", at + 4)) {
        const quint16 nameLength = qFromLittleEndian<quint16>(archive.constData() + at + 28);
        if (archive.mid(at + 46, nameLength) == member)
            qToLittleEndian<quint32>(size, archive.data() + at + 24);
    }
    return archive;
}
