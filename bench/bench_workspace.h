#pragma once

#include "support/fake_services.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A folder in memory (tmpfs) for large working files, or an empty text (the
// system's temporary folder) when there is none.
QString memoryFolder();

// Waits until the file's last change is older than the clock ticks the draw
// record's hash cache distrusts, so a Stop reuses the list's hash as on a
// night, when the list stays unchanged between Stops.
void waitUntilSettled(const QString& path);

// A fresh temporary folder as the current working directory, where the
// program keeps its working files, with the platform services faked so no
// box blocks and no sound plays. Failures throw std::runtime_error.
class BenchWorkspace
{
  public:
    // The folder is made in the system's temporary folder, or in `parent`.
    explicit BenchWorkspace(const QString& parent = QString());
    ~BenchWorkspace();
    BenchWorkspace(const BenchWorkspace&) = delete;
    BenchWorkspace& operator=(const BenchWorkspace&) = delete;

    QString filePath(const QString& name) const { return dir_.filePath(name); }
    void writeFile(const QString& name, const QByteArray& bytes) const;
    QByteArray readFile(const QString& name) const;
    // The title picture the start-up routine loads, as a first start expects it.
    void writeTitlePicture() const;

  private:
    QTemporaryDir dir_;
    QString previous_;

  public:
    ScopedFakeServices fakes;
};
