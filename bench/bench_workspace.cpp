#include "bench_workspace.h"

#include "draw/stop_record.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <chrono>
#include <ctime>
#include <stdexcept>
#include <thread>

namespace {

QString folderTemplate(const QString& parent)
{
    const QString base = parent.isEmpty() ? QDir::tempPath() : parent;
    return QDir(base).filePath(QStringLiteral("prizmora-bench-XXXXXX"));
}

} // namespace

QString memoryFolder()
{
    const QString shm = QStringLiteral("/dev/shm");
    return QDir(shm).exists() ? shm : QString();
}

void waitUntilSettled(const QString& path)
{
    const std::time_t changed = QFileInfo(path).metadataChangeTime().toSecsSinceEpoch();
    while (std::time(nullptr) <= changed + stop_record::kSettledSeconds)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

BenchWorkspace::BenchWorkspace(const QString& parent)
    : dir_(folderTemplate(parent)), previous_(QDir::currentPath())
{
    if (!dir_.isValid() || !QDir::setCurrent(dir_.path()))
        throw std::runtime_error("cannot enter a temporary working directory");
}

BenchWorkspace::~BenchWorkspace()
{
    QDir::setCurrent(previous_);
}

void BenchWorkspace::writeFile(const QString& name, const QByteArray& bytes) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + name.toStdString());
}

QByteArray BenchWorkspace::readFile(const QString& name) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + name.toStdString());
    return file.readAll();
}

void BenchWorkspace::writeTitlePicture() const
{
    QImage picture(700, 110, QImage::Format_RGB888);
    picture.fill(Qt::darkRed);
    if (!picture.save(filePath(QStringLiteral("bg.jpg")), "JPG"))
        throw std::runtime_error("cannot write the title picture");
}
