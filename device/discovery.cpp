#include "device/discovery.h"

#include "device/trace.h"

namespace orvane {

std::optional<HidInterface> discoverInterface(HidBackend& backend, std::string_view selector) {
    for (const HidInterface& candidate : backend.enumerate()) {
        linkTrace("VendorID=0x%x", candidate.vendorId);
        linkTrace("ProductID=0x%x\n", candidate.productId);
        if (candidate.vendorId != kKeyboardVendorId || candidate.productId != kKeyboardProductId) continue;
        linkTrace("%s\n", candidate.path.c_str());
        if (candidate.path.find(selector) != std::string::npos) return candidate;
    }
    return std::nullopt;
}

}  // namespace orvane
