#pragma once

#include <QDir>
#include <QString>

// A real, tiny filesystem (tmpfs) mounted over a test's working folder for
// the lifetime of the object, so writes meet a genuine ENOSPC or EROFS.
// Mounting needs root; skipReason() says why it is not there otherwise.
class SmallFilesystem
{
  public:
    explicit SmallFilesystem(const QString& folder, int kilobytes = 256);
    ~SmallFilesystem();
    SmallFilesystem(const SmallFilesystem&) = delete;
    SmallFilesystem& operator=(const SmallFilesystem&) = delete;

    bool mounted() const { return mounted_; }
    const QString& skipReason() const { return skipReason_; }
    bool remountReadOnly();
    // Takes every free byte but the given number with the file "filler".
    void fill(qint64 leaveFreeBytes = 0);

  private:
    QString folder_;
    bool mounted_ = false;
    QString skipReason_;
};

// Every name in a folder, so a test sees a temporary file left behind.
inline QStringList namesIn(const QString& folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}
