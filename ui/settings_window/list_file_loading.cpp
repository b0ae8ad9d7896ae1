#include "ui/settings_window/list_file_loading.h"

#include "ui/settings_window/import_field_fingerprint.h"

#include <QMetaObject>

#include <utility>

ListFileLoading::ListFileLoading(QObject* parent) : QObject(parent) {}

ListFileLoading::~ListFileLoading()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        cancelled_ = true;
    }
    room_.notify_all();
    join();
}

void ListFileLoading::start(const QString& path, Block block, Finished finished, Failed failed)
{
    join();
    cancelled_ = false;
    blocksInFlight_ = 0;
    running_ = true;
    // What is posted to this object is dropped if it goes first.
    const auto post = [this](auto call) {
        QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
    };
    thread_ = std::thread([this, path, post, block = std::move(block),
                           finished = std::move(finished), failed = std::move(failed)] {
        try {
            import_field_fingerprint::OfLines afterFirst;
            bool firstLineSeen = false;
            const auto hash = [&](QStringView lines) {
                if (!firstLineSeen && !lines.isEmpty()) {
                    lines = lines.sliced(lines.indexOf(u'\n') + 1);
                    firstLineSeen = true;
                }
                afterFirst.add(lines);
            };
            list_file_reader::ListFile file = list_file_reader::read(path, [&](QString filled) {
                hash(filled);
                if (!waitForRoom())
                    return false;
                post([this, block, filled = std::move(filled)]() mutable {
                    block(std::move(filled));
                    blockTaken();
                });
                return true;
            });
            for (const QString& lines : file.lines.blocks())
                hash(lines);
            post([this, finished, file = std::move(file),
                  fingerprint = afterFirst.result()]() mutable {
                running_ = false;
                finished(std::move(file), fingerprint);
            });
        } catch (...) {
            post([this, failed, error = std::current_exception()] {
                running_ = false;
                failed(error);
            });
        }
    });
}

bool ListFileLoading::waitForRoom()
{
    std::unique_lock<std::mutex> lock(mutex_);
    room_.wait(lock, [this] { return cancelled_ || blocksInFlight_ < kBlocksInFlight; });
    ++blocksInFlight_;
    return !cancelled_;
}

void ListFileLoading::blockTaken()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        --blocksInFlight_;
    }
    room_.notify_one();
}

void ListFileLoading::join()
{
    if (thread_.joinable())
        thread_.join();
}
