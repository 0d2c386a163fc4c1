// Key events with any native code, Qt key, modifiers and text: mapped to a
// virtual-key code as the capture does, then to the label and usage the
// panels show and send, and to the items a recording adds.
#include <QInputDevice>
#include <QKeyEvent>
#include <QString>

#include "fuzztarget.h"
#include "platform/desktop/keyhook.h"
#include "keyboardstate/keylabels.h"
#include "macros/model/macroevents.h"

ORVANE_FUZZ_TARGET(key_capture) {
    using namespace orvane;
    fuzz::Input in(data, size);
    const bool release = in.flag();
    const int key = static_cast<int>(in.u32());
    const auto modifiers = Qt::KeyboardModifiers::fromInt(static_cast<int>(in.u32()));
    const quint32 scanCode = in.u32();
    const quint32 keysym = in.u32();
    const quint32 nativeModifiers = in.u32();
    const bool autoRepeat = in.flag();
    const auto text = in.bytes(16);
    // A keyboard device of our own: without an application Qt would make a
    // primary one that is never freed.
    static const QInputDevice keyboard(QStringLiteral("fuzz keyboard"), 1, QInputDevice::DeviceType::Keyboard);
    const QKeyEvent event(release ? QEvent::KeyRelease : QEvent::KeyPress, key, modifiers, scanCode, keysym,
                          nativeModifiers,
                          QString::fromUtf8(reinterpret_cast<const char*>(text.data()), static_cast<qsizetype>(text.size())),
                          autoRepeat, 1, &keyboard);

    const std::uint8_t vk = virtualKeyOf(event);
    // The key's place decides when it is a key of the keyboard; then its
    // symbol; otherwise Qt's code.
    const std::uint8_t fromPlace = virtualKeyFromKeyCode(scanCode);
    const std::uint8_t fromSym = keysym != 0 ? virtualKeyFromKeysym(keysym) : 0;
    if (fromPlace != 0) {
        ORVANE_FUZZ_CHECK(vk == fromPlace);
    } else if (fromSym != 0) {
        ORVANE_FUZZ_CHECK(vk == fromSym);
    } else {
        ORVANE_FUZZ_CHECK(vk == virtualKeyFromQtKey(key, (modifiers & Qt::KeypadModifier) != 0));
    }

    const std::u16string_view label = keyLabel(vk);
    ORVANE_FUZZ_CHECK(label.size() < 100);
    keyUsage(vk);
    const std::u16string item = keyItemText(vk, release);
    ORVANE_FUZZ_CHECK(item.size() == label.size() + 3);
    ORVANE_FUZZ_CHECK(!isDelayItemText(item) || label.find(u" ms") != std::u16string_view::npos);
    return 0;
}
