#include "app/startup_single_copy.h"

#include "platform/message_boxes.h"
#include "platform/qt/running_copy.h"
#include "platform/services.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString canonicalWorkingFolder()
{
    const QString canonical = QFileInfo(QDir::currentPath()).canonicalFilePath();
    return canonical.isEmpty() ? QDir::currentPath() : canonical;
}

} // namespace

SingleCopyPerFolder::SingleCopyPerFolder(int answerTimeoutMs)
    : answerTimeoutMs_(answerTimeoutMs), folder_(canonicalWorkingFolder()), lock_(folder_)
{
    if (lock_.state() == WorkingFolderLock::State::Acquired)
        server_ = std::make_unique<RunningCopyServer>(running_copy::channelName(folder_));
}

SingleCopyPerFolder::~SingleCopyPerFolder() = default;

bool SingleCopyPerFolder::runsHere() const
{
    return lock_.state() != WorkingFolderLock::State::HeldByAnother;
}

void SingleCopyPerFolder::setMainWindow(QWidget* window)
{
    if (server_)
        server_->setWindow(window);
}

int SingleCopyPerFolder::handOver()
{
    RunningCopyCaller caller;
    QObject::connect(&caller, &RunningCopyCaller::finished, &caller, [this](bool reached) {
        if (!reached) {
            services().boxes->show(
                nullptr,
                warningBox(QStringLiteral("抽奖程序已在此文件夹中运行，但无法切换到它：\n%1")
                               .arg(QDir::toNativeSeparators(folder_))));
        }
        QCoreApplication::exit(reached ? 0 : 1);
    });
    caller.ask(running_copy::channelName(folder_), answerTimeoutMs_);
    return QCoreApplication::exec();
}
