// Every editing command and key capture of the macro manager, in any order,
// on macros whose streams hold any bytes (layouts that disagree included):
// the event list always shows the streams, the two streams keep one layout,
// and nothing but the edited macros' streams, loop counts and options changes.
//
// Input: 3 x (host stream, device stream, loop count, options), then one
// command per byte with its arguments.
#include <cstring>
#include <memory>

#include "fuzztarget.h"
#include "macros/model/macro_test_support.h"
#include "macros/model/macroeditor.h"
#include "macros/model/macrorecorder.h"
#include "macros/model/macrosession.h"

namespace {

using namespace orvane;

constexpr std::size_t kMacros = 3;

void command(fuzz::Input& in, MacroSession& session, MacroEditor& editor, MacroRecorder& recorder,
             test::FakeClock& clock) {
    const std::uint8_t op = in.byte();
    const auto items = static_cast<int>(session.events().size());
    if (op & 0x80) session.events().select(static_cast<int>(in.byte() % (items + 2)) - 1);
    switch (op % 16) {
        case 0: editor.insertBefore(); break;
        case 1: editor.insertAfter(); break;
        case 2: editor.mouse(static_cast<MouseButton>(0xF0 + in.byte() % 3), static_cast<MouseAction>(in.byte() % 3)); break;
        case 3: editor.insertDelay(); break;
        case 4: editor.deleteItem(); break;
        case 5: editor.delayEdited(in.byte(), in.u16() + (in.flag() ? 0x10000u : 0u)); break;
        case 6: recorder.toggleRecording(); break;
        case 7: session.toggleRecordDelay(); break;
        case 8: session.selectMacro(static_cast<int>(in.byte() % (kMacros + 2)) - 1); break;
        case 9: session.toggleLoops(); break;
        case 10: {
            const auto text = in.bytes(in.byte() % 8);
            editor.loopTextChanged(std::u16string(text.begin(), text.end()));
            break;
        }
        case 11: session.beginInPlaceEdit(); break;
        case 12: session.rebuildEventList(); break;
        default:  // a key from the hook, after a pause
            clock.advanceMs(in.u16());
            recorder.processKey(in.byte(), in.flag());
            break;
    }
}

}  // namespace

ORVANE_FUZZ_TARGET(macro_edit) {
    fuzz::Input in(data, size);
    auto saved = std::make_unique<MacroStore>();
    for (std::size_t slot = 0; slot < kMacros; ++slot) {
        MacroRecord& r = saved->records[slot];
        setFixedText(r.name, u"M" + std::u16string(1, static_cast<char16_t>(u'0' + slot)));
        const auto host = in.bytes(kMacroStreamSize);
        std::copy(host.begin(), host.end(), r.hostEvents.begin());
        const auto device = in.bytes(kMacroStreamSize);
        std::copy(device.begin(), device.end(), r.deviceEvents.begin());
        r.loopCount = in.u16();
        r.options = in.byte();
        r.reserved = in.byte();
    }
    test::FakeHook hook;
    test::FakeClock clock;
    MacroSession session(size % 2 ? kLanguageChinese : kLanguageEnglish, &hook);
    MacroEditor editor(session);
    MacroRecorder recorder(session, editor, clock);
    session.open(*saved);
    const auto before = std::make_unique<MacroStore>(session.workingStore());

    for (int step = 0; step < 400 && !in.empty(); ++step) {
        command(in, session, editor, recorder, clock);
        const MacroStreams& s = session.buffer().streams;
        ORVANE_FUZZ_CHECK(macroStreamsAligned(s));
        ORVANE_FUZZ_CHECK(s.end() <= kMacroStreamSize);
        ORVANE_FUZZ_CHECK(session.events().items() == macroDisplayItems(s.hostView()));
        ORVANE_FUZZ_CHECK(session.buffer().writePosition == s.end());
        ORVANE_FUZZ_CHECK(hook.active == session.hookInstalled() || !hook.result);
    }
    for (std::size_t slot = 0; slot < kMacroRecordCount; ++slot) {
        const MacroRecord& now = session.workingStore().records[slot];
        const MacroRecord& was = before->records[slot];
        ORVANE_FUZZ_CHECK(now.reserved == was.reserved);
        ORVANE_FUZZ_CHECK(std::memcmp(now.name.data(), was.name.data(), sizeof now.name) == 0);
        if (slot >= kMacros) ORVANE_FUZZ_CHECK(std::memcmp(&now, &was, sizeof now) == 0);
    }
    session.confirm(*saved);
    return 0;
}
