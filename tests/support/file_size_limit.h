#pragma once

#include <csignal>
#include <sys/resource.h>

// While it lives, the process may write no file beyond `bytes`: a write
// stops halfway as on a full disk. SIGXFSZ is ignored so the write fails
// with EFBIG instead of ending the test; both are put back at the end.
class ScopedFileSizeLimit
{
  public:
    explicit ScopedFileSizeLimit(rlim_t bytes)
    {
        if (getrlimit(RLIMIT_FSIZE, &previous_) != 0)
            return;
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~ScopedFileSizeLimit()
    {
        if (previousSignal_ == SIG_ERR)
            return;
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

    bool active() const { return active_; }

  private:
    rlimit previous_{};
    void (*previousSignal_)(int) = SIG_ERR;
    bool active_ = false;
};
