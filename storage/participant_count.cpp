#include "storage/participant_count.h"

#include "base/line_splitting.h"

#include <QFile>
#include <QFileInfo>

std::optional<int> participantCount(const QString& path)
{
    // Not a pipe or a device: reading one could block the window.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return static_cast<int>(splitIntoLines(file.readAll()).size());
}
