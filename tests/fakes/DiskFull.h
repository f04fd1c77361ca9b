#pragma once

#include <csignal>
#include <sys/resource.h>

// No file of this process may grow past a few bytes while it lives, as on a full disk: writes
// beyond it fail with EFBIG instead of killing the process.
class TDiskFull {
public:
    TDiskFull()
    {
        getrlimit(RLIMIT_FSIZE, &FOld);
        FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit full = FOld;
        full.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &full);
    }
    ~TDiskFull()
    {
        setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FOldHandler);
    }
    TDiskFull(const TDiskFull&) = delete;
    TDiskFull& operator=(const TDiskFull&) = delete;

private:
    rlimit FOld {};
    void (*FOldHandler)(int) = nullptr;
};
