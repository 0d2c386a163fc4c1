// The link's debug trace: printf-style lines with no functional role. Off
// unless a sink is installed (the window routes it to its logging category).
#pragma once

#include <functional>
#include <string_view>

namespace orvane {

void setLinkTraceSink(std::function<void(std::string_view)> sink);
void linkTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Warnings the user of the link should see (values that were not sent as
// they stood): to standard error unless a sink is installed.
void setLinkWarningSink(std::function<void(std::string_view)> sink);
void linkWarning(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace orvane
