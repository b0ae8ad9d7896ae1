#pragma once

#include <QString>

// One running program per working folder: an exclusive lock on the folder
// itself, so no file is made for it (a read-only folder works too) and the
// kernel releases it when the holder ends, however it ends.
class WorkingFolderLock
{
  public:
    enum class State {
        Acquired,      // this copy is the folder's program
        HeldByAnother, // another copy runs in this folder
        Unavailable    // the folder cannot be locked (not local, gone): run unguarded
    };

    explicit WorkingFolderLock(const QString& folder);
    ~WorkingFolderLock();
    WorkingFolderLock(const WorkingFolderLock&) = delete;
    WorkingFolderLock& operator=(const WorkingFolderLock&) = delete;

    State state() const { return state_; }

  private:
    int descriptor_ = -1;
    State state_ = State::Unavailable;
};
