#include "device/trace.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace orvane {
namespace {
std::mutex sinkMutex;
std::function<void(std::string_view)>& traceSink() {
    static std::function<void(std::string_view)> s;
    return s;
}
std::function<void(std::string_view)>& warningSink() {
    static std::function<void(std::string_view)> s;
    return s;
}

void format(char (&line)[512], const char* format, va_list args) {
    std::vsnprintf(line, sizeof line, format, args);
}
}  // namespace

void setLinkTraceSink(std::function<void(std::string_view)> newSink) {
    std::lock_guard lock(sinkMutex);
    traceSink() = std::move(newSink);
}

void linkTrace(const char* fmt, ...) {
    std::lock_guard lock(sinkMutex);
    if (!traceSink()) return;
    char line[512];
    va_list args;
    va_start(args, fmt);
    format(line, fmt, args);
    va_end(args);
    traceSink()(line);
}

void setLinkWarningSink(std::function<void(std::string_view)> newSink) {
    std::lock_guard lock(sinkMutex);
    warningSink() = std::move(newSink);
}

void linkWarning(const char* fmt, ...) {
    std::lock_guard lock(sinkMutex);
    char line[512];
    va_list args;
    va_start(args, fmt);
    format(line, fmt, args);
    va_end(args);
    if (warningSink()) {
        warningSink()(line);
    } else {
        std::fprintf(stderr, "orvane: %s\n", line);
    }
}

}  // namespace orvane
