#include "virtualkeyboard/makehidbackend.h"

#include <cstdlib>
#include <string_view>

#include "platform/hidapibackend.h"
#include "virtualkeyboard/virtualhidbackend.h"

namespace orvane {

bool virtualKeyboardRequested() {
    const char* choice = std::getenv("ORVANE_KEYBOARD");
    return choice != nullptr && std::string_view(choice) == "virtual";
}

std::unique_ptr<HidBackend> makeHidBackend(const std::filesystem::path& dataFolder) {
    if (virtualKeyboardRequested()) {
        return std::make_unique<VirtualHidBackend>(
            std::make_shared<VirtualKeyboard>(dataFolder / VirtualKeyboard::kStateFileName));
    }
    return std::make_unique<HidapiBackend>();
}

}  // namespace orvane
