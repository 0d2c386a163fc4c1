// One fuzz target: ORVANE_FUZZ_TARGET(name) { ...data, size... } is the entry
// libFuzzer calls with each input when built with the fuzz preset, and in the
// ordinary test build a function the replay test runs on every stored input
// (seeds and the inputs that once crashed). A broken invariant aborts, so the
// fuzzer reports it like a crash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <vector>

namespace orvane::fuzz {

using Entry = int (*)(const std::uint8_t* data, std::size_t size);
bool registerTarget(const char* name, Entry entry);
Entry findTarget(const char* name);

// Stops the run when an invariant does not hold.
[[noreturn]] inline void fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "fuzz invariant broken at %s:%d: %s\n", file, line, what);
    std::abort();
}

// Consumes an input front to back; past the end every read gives zeros.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint16_t u16() { return static_cast<std::uint16_t>(byte() | (byte() << 8)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(u16() | (std::uint32_t{u16()} << 16)); }
    bool flag() { return (byte() & 1) != 0; }
    // Up to n bytes (fewer at the end).
    std::span<const std::uint8_t> bytes(std::size_t n) {
        const std::size_t take = n < size_ - at_ ? n : size_ - at_;
        const auto out = std::span<const std::uint8_t>(data_ + at_, take);
        at_ += take;
        return out;
    }
    std::span<const std::uint8_t> rest() { return bytes(size_ - at_); }
    bool empty() const { return at_ >= size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// A folder of this process for the file targets, on memory where there is
// one, removed when the process ends. Emptied by each call.
std::filesystem::path scratchFolder();
void writeFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> readFile(const std::filesystem::path& file);

}  // namespace orvane::fuzz

#define ORVANE_FUZZ_CHECK(condition) \
    do {                             \
        if (!(condition)) ::orvane::fuzz::fail(#condition, __FILE__, __LINE__); \
    } while (false)

#if defined(ORVANE_LIBFUZZER)
#define ORVANE_FUZZ_TARGET(name) extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
#else
#define ORVANE_FUZZ_TARGET(name)                                                                         \
    static int orvaneFuzz_##name(const std::uint8_t* data, std::size_t size);                            \
    [[maybe_unused]] static const bool orvaneFuzzRegistered_##name =                                     \
        ::orvane::fuzz::registerTarget(#name, orvaneFuzz_##name);                                        \
    static int orvaneFuzz_##name(const std::uint8_t* data, std::size_t size)
#endif
