// The desktop side of host actions, the updater and the help window's web link.
#pragma once

#include "platform/desktop/hostshell.h"

namespace orvane {

class DesktopShell : public HostShell {
public:
    bool startDetached(const std::string& program, const std::string& workingDirectory) override;
    bool openWithDesktop(const std::string& pathOrUrl) override;
    bool isExecutableFile(const std::string& path) override;
};

}  // namespace orvane
