#pragma once

#include <QByteArray>
#include <QString>

namespace file_paths {

// A stored path keeps its bytes (".\bg.jpg"); when it is opened on this
// platform a backslash separates directories, as it would where the stored
// defaults come from.
QString toLocalPath(const QByteArray& storedPath);

// The full path shown in error messages: absolute, with native separators.
QString fullPath(const QString& path);

// True only for an existing regular file (a directory of that name does not count).
bool isExistingFile(const QString& path);

} // namespace file_paths
