#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh temporary folder that is the current working directory for the
// lifetime of the object, as the program's working files live in it.
class ScopedWorkingDirectory
{
  public:
    ScopedWorkingDirectory();
    ~ScopedWorkingDirectory();

    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

    void writeFile(const QString& name, const QByteArray& bytes) const;
    QByteArray readFile(const QString& name) const;
    bool exists(const QString& name) const;
    void makeReadOnly(const QString& name) const;

  private:
    QTemporaryDir dir_;
    QString previous_;
};
