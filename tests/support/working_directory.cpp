#include "support/working_directory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

ScopedWorkingDirectory::ScopedWorkingDirectory() : previous_(QDir::currentPath())
{
    if (!dir_.isValid() || !QDir::setCurrent(dir_.path()))
        ADD_FAILURE() << "cannot enter a temporary working directory";
}

ScopedWorkingDirectory::~ScopedWorkingDirectory()
{
    QDir::setCurrent(previous_);
}

void ScopedWorkingDirectory::writeFile(const QString& name, const QByteArray& bytes) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << name.toStdString();
}

QByteArray ScopedWorkingDirectory::readFile(const QString& name) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << name.toStdString();
        return QByteArray();
    }
    return file.readAll();
}

bool ScopedWorkingDirectory::exists(const QString& name) const
{
    return QFileInfo::exists(filePath(name));
}

void ScopedWorkingDirectory::makeReadOnly(const QString& name) const
{
    QFile::setPermissions(filePath(name),
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
}
