#include "device/trace.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace orvane {
namespace {
std::mutex sinkMutex;
std::function<void(std::string_view)>& sink() {
    static std::function<void(std::string_view)> s;
    return s;
}
}  // namespace

void setLinkTraceSink(std::function<void(std::string_view)> newSink) {
    std::lock_guard lock(sinkMutex);
    sink() = std::move(newSink);
}

void linkTrace(const char* format, ...) {
    std::lock_guard lock(sinkMutex);
    if (!sink()) return;
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    sink()(line);
}

}  // namespace orvane
