// One open HID interface: the lowest I/O seam of the keyboard link. The hidapi
// implementation and the virtual keyboard both sit behind it, so everything
// above it runs unchanged against either.
//
// Buffers keep the layout the protocol is written in: byte 0 is the report id
// (0 for an interface without numbered reports) and the length includes it.
// Every call returns the number of bytes transferred, or -1 on failure.
// Implementations are not thread-safe: callers serialise all calls and the
// destruction (which closes the interface).
#pragma once

#include <cstdint>
#include <span>

namespace orvane {

class HidDevice {
public:
    virtual ~HidDevice() = default;

    virtual int sendFeatureReport(std::span<const std::uint8_t> report) = 0;
    // report[0] holds the report id to fetch; the reply overwrites the buffer.
    virtual int getFeatureReport(std::span<std::uint8_t> report) = 0;
    // An output report, report id in byte 0.
    virtual int write(std::span<const std::uint8_t> report) = 0;
    // An input report, report id in byte 0 (re-added for interfaces without
    // numbered reports). Returns 0 when nothing arrived within timeoutMs.
    virtual int read(std::span<std::uint8_t> report, int timeoutMs) = 0;

    // True once the interface is known to have left the system (unplugged).
    // A failed transfer on an interface that is still there is not a removal.
    virtual bool gone() const = 0;
};

}  // namespace orvane
