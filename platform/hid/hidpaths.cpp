#include "platform/hid/hidpaths.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>

namespace orvane {

std::vector<HidInterface> describeInterfaces(const std::vector<HidCollectionEntry>& entries,
                                             std::uint16_t vendorId, std::uint16_t productId) {
    // A collection is told apart only inside an interface that has several.
    std::map<std::pair<int, std::string>, int> perInterface;
    for (const auto& e : entries) ++perInterface[{e.interfaceNumber, e.node}];

    std::map<std::pair<int, std::string>, int> seen;
    std::vector<HidInterface> result;
    result.reserve(entries.size());
    for (const auto& e : entries) {
        const auto key = std::make_pair(e.interfaceNumber, e.node);
        const int collection = ++seen[key];
        char head[64];
        std::snprintf(head, sizeof head, "hid#vid_%04x&pid_%04x", vendorId, productId);
        std::string path = head;
        if (e.interfaceNumber >= 0) {
            char mi[16];
            std::snprintf(mi, sizeof mi, "&mi_%02x", static_cast<unsigned>(e.interfaceNumber) & 0xFFu);
            path += mi;
        }
        if (perInterface[key] > 1) {
            char col[16];
            std::snprintf(col, sizeof col, "&col%02d", std::min(collection, 99));
            path += col;
        }
        path += '#';
        path += e.node;
        result.push_back({std::move(path), e.node, vendorId, productId});
    }
    return result;
}

bool descriptorUsesReportIds(std::span<const std::uint8_t> descriptor) {
    std::size_t i = 0;
    while (i < descriptor.size()) {
        const std::uint8_t prefix = descriptor[i];
        if (prefix == 0xFE) {  // long item: size in the next byte
            if (i + 1 >= descriptor.size()) break;
            i += 3 + descriptor[i + 1];
            continue;
        }
        const std::size_t size = (prefix & 0x03) == 3 ? 4 : (prefix & 0x03);
        if ((prefix & 0xFC) == 0x84) return true;  // global item Report ID
        i += 1 + size;
    }
    return false;
}

bool isHidrawNodeName(std::string_view node) {
    constexpr std::string_view prefix = "/dev/hidraw";
    if (node.size() <= prefix.size() || node.substr(0, prefix.size()) != prefix) return false;
    const std::string_view number = node.substr(prefix.size());
    return number.size() <= 6 &&
           std::all_of(number.begin(), number.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

bool isKeyboardDevpath(std::string_view devpath) {
    std::string upper(devpath);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    char needle[32];
    std::snprintf(needle, sizeof needle, ":%04X:%04X.", kKeyboardVendorId, kKeyboardProductId);
    return upper.find(needle) != std::string::npos;
}

}  // namespace orvane
