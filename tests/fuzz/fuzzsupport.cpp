#include <unistd.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "fuzztarget.h"

namespace orvane::fuzz {
namespace {

std::map<std::string, Entry>& registry() {
    static std::map<std::string, Entry> targets;
    return targets;
}

struct Scratch {
    std::filesystem::path root;
    Scratch() {
        std::error_code ec;
        const std::filesystem::path shm = "/dev/shm";
        const auto base = std::filesystem::is_directory(shm, ec) ? shm : std::filesystem::temp_directory_path();
        root = base / ("orvane-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(root, ec);
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
};

}  // namespace

bool registerTarget(const char* name, Entry entry) {
    registry()[name] = entry;
    return true;
}

Entry findTarget(const char* name) {
    const auto it = registry().find(name);
    return it == registry().end() ? nullptr : it->second;
}

std::filesystem::path scratchFolder() {
    static Scratch scratch;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(scratch.root, ec)) {
        std::filesystem::remove_all(entry.path(), ec);
    }
    return scratch.root;
}

void writeFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace orvane::fuzz
