// orvanectl: the keyboard link from the command line, for scripts and diagnosis.
//
//   orvanectl dump         read the keyboard and print its state
//   orvanectl apply FILE   send the MouseData of a keymap.bin or profile file
//
// ORVANE_KEYBOARD=virtual selects the virtual keyboard, whose state file lies
// in the folder of this executable, shared with the utility beside it.
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "mainwindow/model/accessnotice.h"
#include "device/device.h"
#include "keyboardstate/keyboardranges.h"
#include "settings/settingsfiles.h"
#include "settings/datafolders.h"
#include "virtualkeyboard/makehidbackend.h"

namespace orvane {
namespace {

constexpr int kExitUsage = 1;
constexpr int kExitNoKeyboard = 2;
constexpr int kExitNotAnswering = 3;

// Where the virtual keyboard keeps its state: the utility's own state folder.
std::filesystem::path stateFolder() {
    const auto folders = dataFoldersOfThisProcess();
    return folders ? folders->state : executableFolder();
}

// No window here: key events are ignored, the rest only noted.
class ToolListener final : public LinkListener {
public:
    void postKeyEvent(std::uint8_t) override {}
    void sendRefresh(int) override {}
    void postReadAllFinished() override {}
    void postDeviceLost() override { lost = true; }
    std::atomic<bool> lost{false};
};

void printHex(std::span<const std::uint8_t> bytes) {
    for (auto b : bytes) std::printf(" %02x", b);
}

bool blockHoldsData(std::span<const std::uint8_t> block) {
    for (auto b : block) {
        if (b != 0) return true;
    }
    return false;
}

void printState(const MouseData& d, const std::optional<FirmwareVersion>& version) {
    if (version) std::printf("Firmware version: %u.%u\n", version->major, version->minor);
    else std::printf("Firmware version: (no reply)\n");
    const LedEffect& e = d.ledEffect;
    std::printf("Lighting: effect %u, speed %u, brightness %u, colour %u, direction %u\n", e.LEDEffectMode,
                e.LEDEffectSpeed, e.LEDEffectBrightness, e.LEDEffectColor, e.LEDEffectDirection);
    std::printf("Palette:");
    for (std::size_t i = 0; i < kPaletteColorCount; ++i) {
        const auto c = paletteColor(d, i);
        std::printf(" %zu=#%02X%02X%02X", i + 1, c[0], c[1], c[2]);
    }
    std::printf("\nGame mode: %s\n", d.GameMode ? "on" : "off");
    std::printf("Win lock: %s\n", d.WinLock ? "on" : "off");
    std::printf("Response time: %d ms (code %u)\n", 2 * d.ResponseTime, d.ResponseTime);
    std::printf("Report rate: code %u\n", d.ReportRate);
    std::printf("Key table (slot: kind, byte 1, usage, byte 3):\n");
    for (std::size_t slot = 0; slot < kDeviceSlotCount; ++slot) {
        if (slot % 8 == 0) std::printf("  %03zu:", slot);
        const auto entry = deviceKeyEntry(d, slot * 4);
        std::printf(" %02x%02x%02x%02x", entry[0], entry[1], entry[2], entry[3]);
        if (slot % 8 == 7) std::printf("\n");
    }
    std::printf("Enable mask:");
    printHex(d.KeyEnableMask);
    std::printf("\nDisabled slots:");
    bool any = false;
    for (std::size_t slot = 0; slot < kKeyEnableMaskSize * 6; ++slot) {
        if (!isKeyEnabled(d, slot)) {
            std::printf(" %zu", slot);
            any = true;
        }
    }
    std::printf("%s\nMacro slots holding data:", any ? "" : " none");
    any = false;
    for (std::size_t s = 0; s < kMacroSlotCount; ++s) {
        if (blockHoldsData(macroSlot(d, s))) {
            std::printf(" %zu", s);
            any = true;
        }
    }
    std::printf("%s\n", any ? "" : " none");
    // Each used slot: its loop count, then its event bytes up to the last non-zero one.
    for (std::size_t s = 0; s < kMacroSlotCount; ++s) {
        const auto slot = macroSlot(d, s);
        if (!blockHoldsData(slot)) continue;
        std::size_t end = slot.size();
        while (end > 2 && slot[end - 1] == 0) --end;
        std::printf("  macro slot %zu: loops %u, events", s, (unsigned{slot[0]} << 8) | slot[1]);
        printHex(slot.subspan(2, end - 2));
        std::printf("\n");
    }
    std::printf("Colour tables holding data:");
    any = false;
    for (std::size_t t = 0; t < kKeyColorTableCount; ++t) {
        if (blockHoldsData(keyColorTable(d, t))) {
            std::printf(" %zu", t);
            any = true;
        }
    }
    std::printf("%s\n", any ? "" : " none");
}

// Reads the keyboard as the start-up thread does. False when it stopped answering.
bool readKeyboard(KeyboardLink& link, ToolListener& listener, MouseData& data,
                  std::optional<FirmwareVersion>& version) {
    const unsigned failures = link.runSequence([&](CommandHandle& h) {
        h.resetFailures();
        version = readAllThreadSequence(h, data);
        return h.failures();
    });
    if (listener.lost || !link.commandOpen()) {
        std::fprintf(stderr, "orvanectl: the keyboard went away while it was being read\n");
        return false;
    }
    if (failures != 0) {
        std::fprintf(stderr, "orvanectl: the keyboard stopped answering (%u transfers failed)\n", failures);
        return false;
    }
    return true;
}

// Listed but refused: the same advice the utility gives, in English.
int cannotOpen() {
    const AccessNotice notice = cannotOpenNotice(kLanguageEnglish);
    std::fprintf(stderr, "orvanectl: %.*s\n", static_cast<int>(notice.text.size()), notice.text.data());
    return kExitNoKeyboard;
}

int noKeyboard() {
    std::fprintf(stderr, "orvanectl: no keyboard found (USB 04d9:a12d)%s\n",
                 virtualKeyboardRequested() ? " on the virtual keyboard" : "; is it plugged in, and may you open its hidraw nodes?");
    return kExitNoKeyboard;
}

int dump() {
    auto backend = makeHidBackend(stateFolder());
    ToolListener listener;
    KeyboardLink link(*backend, realSleeper(), listener);
    switch (link.openCommandInterface()) {
        case OpenOutcome::Opened: break;
        case OpenOutcome::NotFound: return noKeyboard();
        case OpenOutcome::CannotOpen: return cannotOpen();
    }
    auto data = std::make_unique<MouseData>();
    std::optional<FirmwareVersion> version;
    if (!readKeyboard(link, listener, *data, version)) return kExitNotAnswering;
    printState(*data, version);
    return 0;
}

int apply(const std::filesystem::path& file) {
    auto image = std::make_unique<SettingsImage>();
    auto fromFile = std::make_unique<SettingsCopy>();
    const auto read = readSettingsPair(file, fromFile->mouseData, fromFile->keyAssignments);
    if (!read) {
        std::fprintf(stderr, "orvanectl: cannot read %s\n", file.c_str());
        return kExitUsage;
    }
    if (*read < kMouseDataSize) {
        std::fprintf(stderr, "orvanectl: %s holds %zu bytes, fewer than the %zu of the keyboard state\n",
                     file.c_str(), *read, kMouseDataSize);
        return kExitUsage;
    }
    // Checked before the keyboard is even opened: a refused file sends nothing.
    const auto outOfRange = outOfRangeFields(fromFile->mouseData);
    if (!outOfRange.empty()) {
        std::fprintf(stderr, "orvanectl: %s: %s; nothing was sent (%zu field%s out of range)\n", file.c_str(),
                     outOfRange.front().describe().c_str(), outOfRange.size(), outOfRange.size() == 1 ? "" : "s");
        return kExitUsage;
    }

    auto backend = makeHidBackend(stateFolder());
    ToolListener listener;
    KeyboardLink link(*backend, realSleeper(), listener);
    const auto opened = link.openInterfaces();
    if (opened.cannotOpen) return cannotOpen();
    if (!opened.commandOpened) return noKeyboard();
    if (!opened.eventOpened) {
        std::fprintf(stderr, "orvanectl: the keyboard's event interface is missing; it cannot acknowledge\n");
        return kExitNoKeyboard;
    }
    std::optional<FirmwareVersion> version;
    if (!readKeyboard(link, listener, image->working.mouseData, version)) return kExitNotAnswering;
    copyWorkingMouseDataToSaved(*image);
    image->working.mouseData = fromFile->mouseData;

    link.commandHandle().setObserver([](Transfer kind, std::span<const std::uint8_t> bytes) {
        if (kind == Transfer::FeatureOut && bytes.size() == kFrameSize) {
            std::printf("sent %-20.*s", static_cast<int>(commandName(bytes[1]).size()), commandName(bytes[1]).data());
            printHex(bytes);
            std::printf("\n");
        } else if (kind == Transfer::DataOut) {
            std::printf("  data report of %zu bytes\n", bytes.size() - 1);
        }
    });
    const WriteResult result = link.writeAll(*image);
    link.commandHandle().setObserver({});
    switch (result) {
        case WriteResult::NothingChanged:
            std::printf("Nothing to send: the keyboard already holds this state.\n");
            return 0;
        case WriteResult::Sent:
            std::printf("Applied %s.\n", file.c_str());
            return 0;
        case WriteResult::NoAcknowledgement:
            std::fprintf(stderr, "orvanectl: the keyboard stopped answering (no acknowledgement within 1 s); "
                                 "the rest was not sent\n");
            return kExitNotAnswering;
        case WriteResult::NotConnected:
            std::fprintf(stderr, "orvanectl: the keyboard went away while it was being written\n");
            return kExitNotAnswering;
    }
    return kExitNotAnswering;
}

int usage() {
    std::fprintf(stderr,
                 "usage: orvanectl dump\n"
                 "       orvanectl apply FILE\n"
                 "Set ORVANE_KEYBOARD=virtual to use the virtual keyboard.\n");
    return kExitUsage;
}

}  // namespace
}  // namespace orvane

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "dump") return orvane::dump();
    if (argc == 3 && std::string_view(argv[1]) == "apply") return orvane::apply(argv[2]);
    return orvane::usage();
}
