// MacroDefine.bin of any content: loaded at start, the keyboard's slots
// filled from it, and every macro opened in the macro manager, whose event
// list and streams must agree.
#include <memory>

#include "fuzztarget.h"
#include "macros/model/macrosession.h"
#include "settings/macroslots.h"
#include "settings/settingsfiles.h"

ORVANE_FUZZ_TARGET(macro_file) {
    using namespace orvane;
    const std::filesystem::path folder = fuzz::scratchFolder();
    fuzz::writeFile(folder / kMacroFileName, {data, size});

    auto image = std::make_unique<SettingsImage>();
    ORVANE_FUZZ_CHECK(loadMacroFile(*image, folder) == FileLoad::Loaded);
    const std::size_t filled = fillMacroSlots(image->working.mouseData, image->macroStore);
    ORVANE_FUZZ_CHECK(filled <= kMacroSlotCount);
    ORVANE_FUZZ_CHECK(filled == usedMacroCount(image->macroStore) || filled == kMacroSlotCount);

    MacroSession session(size % 2 ? kLanguageChinese : kLanguageEnglish);
    session.open(image->macroStore);
    for (std::size_t item = 0; item < session.macroNames().size(); ++item) {
        session.selectMacro(static_cast<int>(item));
        const MacroStreams& streams = session.buffer().streams;
        ORVANE_FUZZ_CHECK(macroStreamsAligned(streams));
        ORVANE_FUZZ_CHECK(session.events().items() == macroDisplayItems(streams.hostView()));
        ORVANE_FUZZ_CHECK(session.buffer().writePosition == streams.end());
        session.commit();
    }
    session.confirm(image->macroStore);
    fillMacroSlots(image->working.mouseData, image->macroStore);
    return 0;
}
