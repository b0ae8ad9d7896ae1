#pragma once

#include "platform/qt/working_folder_lock.h"

#include <QString>
#include <memory>

class QWidget;
class RunningCopyServer;

// One program per working folder, settled before anything is written: the
// first start takes the folder and answers later starts; a later start
// brings the running copy to the front and ends without touching a file.
class SingleCopyPerFolder
{
  public:
    // Long enough for a running copy busy loading a large list or showing a box.
    static constexpr int kAnswerTimeoutMs = 8000;

    explicit SingleCopyPerFolder(int answerTimeoutMs = kAnswerTimeoutMs);
    ~SingleCopyPerFolder();

    // False when another copy runs in this folder.
    bool runsHere() const;
    void setMainWindow(QWidget* window);
    // For a start that does not run here: asks the running copy to come to
    // the front, or says in a box that it cannot be reached; the exit code.
    int handOver();

  private:
    int answerTimeoutMs_;
    QString folder_;
    WorkingFolderLock lock_;
    std::unique_ptr<RunningCopyServer> server_;
};
