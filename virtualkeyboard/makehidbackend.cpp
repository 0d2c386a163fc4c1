#include "virtualkeyboard/makehidbackend.h"

#include <cstdlib>
#include <string_view>

#include "platform/hid/hidapibackend.h"
#include "virtualkeyboard/virtualhidbackend.h"

namespace orvane {
namespace {

std::string_view keyboardChoice() {
    const char* choice = std::getenv("ORVANE_KEYBOARD");
    return choice != nullptr ? std::string_view(choice) : std::string_view();
}

// A virtual keyboard that is listed but cannot be opened, as a real one is
// without the udev rule: lets the utility's advice be seen and tested.
constexpr std::string_view kVirtualNoAccess = "virtual-noaccess";

}  // namespace

bool virtualKeyboardRequested() {
    const std::string_view choice = keyboardChoice();
    return choice == "virtual" || choice == kVirtualNoAccess;
}

std::unique_ptr<HidBackend> makeHidBackend(const std::filesystem::path& dataFolder) {
    if (virtualKeyboardRequested()) {
        auto keyboard = std::make_shared<VirtualKeyboard>(dataFolder / VirtualKeyboard::kStateFileName);
        keyboard->setOpenRefused(keyboardChoice() == kVirtualNoAccess);
        return std::make_unique<VirtualHidBackend>(std::move(keyboard));
    }
    return std::make_unique<HidapiBackend>();
}

}  // namespace orvane
