#include "storage/column_titles_file.h"

#include "base/atomic_file.h"
#include "base/line_splitting.h"
#include "base/regular_file.h"

#include <QFile>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace column_titles_file {

namespace {

// A title row is a few dozen bytes; anything far larger is not ours.
constexpr qsizetype kMaxBytes = 64 * 1024;

} // namespace

QByteArray read(const QString& path)
{
    const regular_file::Content content = regular_file::readAll(path);
    if (!content.ok() || content.bytes.size() > kMaxBytes)
        return {};
    const std::vector<QByteArray> lines = splitIntoLines(content.bytes);
    return lines.empty() ? QByteArray() : lines.front();
}

int write(const QString& path, const QByteArray& titleLine)
{
    return writeFileAtomically(path, titleLine + "\r\n").error;
}

int remove(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status = {};
    if (::lstat(name.constData(), &status) != 0)
        return errno == ENOENT ? 0 : errno;
    if (!S_ISREG(status.st_mode) && !S_ISLNK(status.st_mode))
        return 0;
    return ::unlink(name.constData()) == 0 ? 0 : errno;
}

} // namespace column_titles_file
