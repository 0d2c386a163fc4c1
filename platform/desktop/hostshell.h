// What the utility asks of the desktop: start a program or open a path with
// the desktop's handler. The production version lives with the platform code;
// tests record the calls.
#pragma once

#include <string>

namespace orvane {

class HostShell {
public:
    virtual ~HostShell() = default;
    // Starts an executable detached, in the given working directory (empty:
    // inherit). The path is one argument: no shell ever parses it.
    virtual bool startDetached(const std::string& program, const std::string& workingDirectory) = 0;
    // Opens a file or folder with the desktop's handler; also used for web addresses.
    virtual bool openWithDesktop(const std::string& pathOrUrl) = 0;
    virtual bool isExecutableFile(const std::string& path) = 0;
};

}  // namespace orvane
