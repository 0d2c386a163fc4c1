// The desktop's shell as the tests see it: every program started and every
// path opened is recorded, and each call succeeds unless told otherwise.
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/hostshell.h"

namespace orvane::test {

struct RecordingShell : HostShell {
    std::vector<std::pair<std::string, std::string>> started;  // program, working folder
    std::vector<std::string> opened;                            // paths opened with the desktop
    std::vector<std::string> executables;                       // paths that count as programs
    bool succeeds = true;

    bool startDetached(const std::string& program, const std::string& dir) override {
        started.emplace_back(program, dir);
        return succeeds;
    }
    bool openWithDesktop(const std::string& path) override {
        opened.push_back(path);
        return succeeds;
    }
    bool isExecutableFile(const std::string& path) override {
        return std::find(executables.begin(), executables.end(), path) != executables.end();
    }
};

}  // namespace orvane::test
