// keymap.bin of any content: loaded at start and for the key assignment
// panel, never rewritten by the load, every key's highlight computed, every
// host action looked up, and whatever reaches the keyboard in range.
#include <memory>

#include "mainwindow/model/hostaction.h"
#include "fuzztarget.h"
#include "keyboardstate/modifiedkeys.h"
#include "keyboardstate/keyboardranges.h"
#include "settings/settingsfiles.h"

namespace {

// A desktop that only counts what it is asked to do.
class CountingShell final : public orvane::HostShell {
public:
    bool startDetached(const std::string& program, const std::string&) override { return note(program); }
    bool openWithDesktop(const std::string& path) override { return note(path); }
    bool isExecutableFile(const std::string&) override { return false; }
    std::size_t calls = 0;

private:
    bool note(const std::string& path) {
        ORVANE_FUZZ_CHECK(!path.empty());
        ++calls;
        return true;
    }
};

}  // namespace

ORVANE_FUZZ_TARGET(keymap_file) {
    using namespace orvane;
    const std::filesystem::path folder = fuzz::scratchFolder();
    const std::span<const std::uint8_t> file(data, size);
    fuzz::writeFile(folder / kKeymapFileName, file);
    // Present and empty: the start reads it instead of creating 170 kB.
    fuzz::writeFile(folder / kMacroFileName, {});

    auto image = std::make_unique<SettingsImage>();
    loadStartupFiles(*image, {folder, folder});
    // The user's file is read, not repaired behind their back.
    ORVANE_FUZZ_CHECK(fuzz::readFile(folder / kKeymapFileName) == std::vector<std::uint8_t>(file.begin(), file.end()));
    ORVANE_FUZZ_CHECK(loadKeymapFile(*image, folder, KeymapPart::KeyAssignmentsOnly) == FileLoad::Loaded);

    computeModifiedKeyFlags(image->working.mouseData, image->working.keyAssignments, image->modifiedKeyFlags);
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) ORVANE_FUZZ_CHECK(image->modifiedKeyFlags[p] <= 1);

    CountingShell shell;
    for (unsigned code = 0; code < 256; ++code) {
        runHostAction(image->working.keyAssignments, static_cast<std::uint8_t>(code), shell);
    }

    // What write-all would send: in range, against a keyboard in any state.
    auto sent = std::make_unique<MouseData>(image->working.mouseData);
    const auto before = outOfRangeFields(*sent);
    const auto fixed = keepInKeyboardRanges(*sent, image->saved.mouseData);
    ORVANE_FUZZ_CHECK(fixed.size() == before.size());
    ORVANE_FUZZ_CHECK(outOfRangeFields(*sent).empty());
    return 0;
}
