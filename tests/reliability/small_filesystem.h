#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A real, tiny filesystem (tmpfs) mounted on a temporary folder for the
// lifetime of the object, so writes meet a genuine ENOSPC. Mounting needs
// root; skipReason() says why it is not there otherwise.
class SmallFilesystem
{
  public:
    explicit SmallFilesystem(int kilobytes = 256);
    ~SmallFilesystem();
    SmallFilesystem(const SmallFilesystem&) = delete;
    SmallFilesystem& operator=(const SmallFilesystem&) = delete;

    bool mounted() const { return mounted_; }
    const QString& skipReason() const { return skipReason_; }
    QString path() const { return folder_.path(); }
    QString filePath(const QString& name) const { return folder_.filePath(name); }

    // Makes the mounted filesystem read-only; false when it cannot.
    bool remountReadOnly();
    // Takes every free byte but the given number with a filler file.
    void fill(qint64 leaveFreeBytes = 0);

  private:
    QTemporaryDir folder_;
    bool mounted_ = false;
    QString skipReason_;
};

// The bytes of a file, read without the working-folder helpers.
QByteArray bytesOf(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
// The names in a folder, so a test sees a temporary file left behind.
QStringList namesIn(const QString& folder);
