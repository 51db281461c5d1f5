#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstddef>

namespace voltaryn::testing {

// Lets this process's files grow to `bytes` at most, as on a disk that is full, while it exists.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::size_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        const rlimit limit{bytes, previous_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    void (*handler_)(int);
    rlimit previous_{};
};

} // namespace voltaryn::testing
