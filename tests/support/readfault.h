// Makes reads of files with one name fail, at open or part way through, with
// a chosen error, as an unreadable file fails for a user who is not root (or
// a bad disk for anyone). The real calls come back when it goes out of scope.
#pragma once

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>

#include "settings/atomicfile.h"

namespace orvane::test {

class ScopedReadFault {
public:
    enum class At {
        Open,       // open fails
        FirstRead,  // open works, the first read fails
        LaterRead,  // a first part arrives, then a read fails
    };

    ScopedReadFault(std::string fileName, At at, int error) : saved_(fileReadCalls()) {
        state() = State{std::move(fileName), at, error, saved_, -1, false};
        fileReadCalls() = FileReadCalls{&open, &read};
    }
    ~ScopedReadFault() { fileReadCalls() = saved_; }
    ScopedReadFault(const ScopedReadFault&) = delete;
    ScopedReadFault& operator=(const ScopedReadFault&) = delete;

private:
    struct State {
        std::string fileName;
        At at = At::Open;
        int error = 0;
        FileReadCalls real{};
        int faultyFd = -1;
        bool delivered = false;
    };
    static State& state() {
        static State s;
        return s;
    }

    static int open(const char* path) {
        State& s = state();
        const bool match = std::filesystem::path(path).filename() == s.fileName;
        if (match && s.at == At::Open) {
            errno = s.error;
            return -1;
        }
        const int fd = s.real.open(path);
        if (match) {
            s.faultyFd = fd;
            s.delivered = false;
        } else if (fd == s.faultyFd) {
            s.faultyFd = -1;  // the number was reused for another file
        }
        return fd;
    }

    static ssize_t read(int fd, void* buffer, std::size_t size) {
        State& s = state();
        if (fd < 0 || fd != s.faultyFd) return s.real.read(fd, buffer, size);
        if (s.at == At::LaterRead && !s.delivered) {
            s.delivered = true;
            return s.real.read(fd, buffer, std::min<std::size_t>(size, 100));
        }
        errno = s.error;
        return -1;
    }

    FileReadCalls saved_;
};

}  // namespace orvane::test
