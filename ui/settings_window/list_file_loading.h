#pragma once

#include "storage/list_file_reader.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

// Reads a list file on a thread of its own, so the window stays responsive
// while a long list is read: the blocks of lines and then the result come
// back on the thread that started it, through its event loop. An exception
// the reader throws comes back the same way, to be rethrown there. The
// reading waits while a few blocks are still to be taken, so a list read
// faster than the field takes it is not held twice. The lines are hashed on
// the way, as the import field's fingerprint of them.
class ListFileLoading : public QObject
{
    Q_OBJECT
  public:
    using Block = std::function<void(QString block)>;
    // With import_field_fingerprint::of() the field gives when it holds the
    // lines after the first, or empty when it must be read back.
    using Finished =
        std::function<void(list_file_reader::ListFile file, QByteArray fingerprintAfterFirst)>;
    using Failed = std::function<void(std::exception_ptr error)>;

    explicit ListFileLoading(QObject* parent = nullptr);
    // Stops the reading and waits for its thread; nothing more is called.
    ~ListFileLoading() override;

    // Once at a time; afterwards `block` for every filled block, then
    // `finished` or `failed`, once.
    void start(const QString& path, Block block, Finished finished, Failed failed);
    bool isRunning() const { return running_; }

    static constexpr int kBlocksInFlight = 3;

  private:
    void join();
    // On the reading thread: false when stopped meanwhile.
    bool waitForRoom();
    void blockTaken();

    std::thread thread_;
    std::atomic<bool> cancelled_{false};
    std::mutex mutex_;
    std::condition_variable room_;
    int blocksInFlight_ = 0; // under mutex_
    bool running_ = false;
};
