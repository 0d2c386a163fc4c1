// Keys assigned to host-side actions: when the keyboard reports such a key,
// the host plays, starts or opens the path stored with the assignment.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/desktop/hostshell.h"
#include "keyboardstate/settingsimage.h"

namespace orvane {

struct HostActionTarget {
    std::string directory;  // working directory: the path up to its last '/'
    std::string fileName;   // what follows the last '/'; empty means nothing to open
};

// Splits a stored path at its last '/'. Without a '/' the whole path is the
// directory and the file name stays empty, so nothing opens.
HostActionTarget splitActionPath(const std::u16string& path);

enum class HostActionRun {
    NoAction,  // no host-action record has the code
    Done,      // handed to the desktop
    Failed,    // nothing to open, or neither starting nor opening worked
};

// Carries out the action for a reported key code. Play Sound, Open File and
// Open Folder open the path with the desktop's handler; Startup starts an
// executable and opens anything it cannot start. `path` receives the path
// tried, for the message of a failure.
HostActionRun runHostAction(const KeyAssignmentTable& table, std::uint8_t keyCode, HostShell& shell,
                            std::string* path = nullptr);

// The message of a failed host action (told once per path and run).
struct HostActionFailure {
    std::u16string text;
    std::u16string caption;
};
HostActionFailure hostActionFailure(std::string_view path, std::int16_t languageCode);

// UTF-16 (as stored in the records) to UTF-8 for the file system; unpaired
// surrogates become U+FFFD.
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

}  // namespace orvane
