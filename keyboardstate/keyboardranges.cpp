#include "keyboardstate/keyboardranges.h"

#include <algorithm>

#include "keyboardstate/keytables.h"
#include "keyboardstate/effecttable.h"

namespace orvane {
namespace {

enum class Repair { Clamp, Ignore };

// One byte of MouseData with a single range rule: low..high, or for the
// effect number the effects of the list.
struct ByteRule {
    const char* field;
    std::uint8_t MouseData::*member;  // for fields directly in MouseData
    std::uint8_t LedEffect::*led;     // for fields of the lighting sub-record
    std::size_t offset;
    unsigned low, high;
    bool effectList;
    Repair repair;
    unsigned factory;                 // Ignore: the value when the keyboard's is no better
};

constexpr std::size_t kLed = offsetof(MouseData, ledEffect);

const ByteRule kByteRules[] = {
    {"ReportRate", &MouseData::ReportRate, nullptr, offsetof(MouseData, ReportRate), 0, 3, false, Repair::Clamp, 0},
    {"ResponseTime", &MouseData::ResponseTime, nullptr, offsetof(MouseData, ResponseTime), 1, 10, false,
     Repair::Clamp, 0},
    {"LEDEffectMode", nullptr, &LedEffect::LEDEffectMode, kLed + offsetof(LedEffect, LEDEffectMode), 0, 0, true,
     Repair::Ignore, 1},
    {"LEDEffectSpeed", nullptr, &LedEffect::LEDEffectSpeed, kLed + offsetof(LedEffect, LEDEffectSpeed), 0, 9, false,
     Repair::Clamp, 0},
    {"LEDEffectBrightness", nullptr, &LedEffect::LEDEffectBrightness, kLed + offsetof(LedEffect, LEDEffectBrightness),
     0, 50, false, Repair::Clamp, 0},
    {"LEDEffectColor", nullptr, &LedEffect::LEDEffectColor, kLed + offsetof(LedEffect, LEDEffectColor), 1, 8, false,
     Repair::Clamp, 0},
    {"LEDEffectDirection", nullptr, &LedEffect::LEDEffectDirection, kLed + offsetof(LedEffect, LEDEffectDirection), 1,
     4, false, Repair::Ignore, 1},
    {"GameMode", &MouseData::GameMode, nullptr, offsetof(MouseData, GameMode), 0, 1, false, Repair::Ignore, 0},
};

std::uint8_t& byteOf(const ByteRule& rule, MouseData& data) {
    return rule.member != nullptr ? data.*rule.member : data.ledEffect.*rule.led;
}

std::uint8_t byteOf(const ByteRule& rule, const MouseData& data) {
    return rule.member != nullptr ? data.*rule.member : data.ledEffect.*rule.led;
}

bool inRange(const ByteRule& rule, unsigned v) {
    if (rule.effectList) return v <= 0xFF && effectRowOf(static_cast<std::uint8_t>(v)).has_value();
    return v >= rule.low && v <= rule.high;
}

// Runs of consecutive effect numbers, as "1..6, 8, 10..13, 51..55".
std::string effectListText() {
    std::string text;
    for (std::size_t i = 0; i < EffectCodeTable.size();) {
        std::size_t j = i;
        while (j + 1 < EffectCodeTable.size() && EffectCodeTable[j + 1] == EffectCodeTable[j] + 1) ++j;
        if (!text.empty()) text += ", ";
        text += std::to_string(EffectCodeTable[i]);
        if (j > i) text += ".." + std::to_string(EffectCodeTable[j]);
        i = j + 1;
    }
    return text;
}

std::string acceptedText(const ByteRule& rule) {
    if (rule.effectList) return effectListText();
    return std::to_string(rule.low) + ".." + std::to_string(rule.high);
}

bool isEntryKind(unsigned kind) {
    return kind == KIND_KEYS || kind == KIND_FN || kind == KIND_CONSUMER || kind == KIND_MACRO || kind == KIND_HOST;
}

constexpr const char* kKindsText = "0, 2, 3, 4, 10";
constexpr std::size_t kKeyTable = offsetof(MouseData, DeviceKeyTable);

// The first broken rule of a key entry, if any: its kind, or the macro slot
// a macro entry plays.
std::optional<RangeFinding> entryFinding(std::span<const std::uint8_t, 4> entry, std::size_t slot) {
    const std::string name = "DeviceKeyTable slot " + std::to_string(slot);
    if (!isEntryKind(entry[0])) return RangeFinding{name + " kind", kKeyTable + 4 * slot, entry[0], kKindsText, {}};
    if (entry[0] == KIND_MACRO && entry[2] >= kMacroSlotCount) {
        return RangeFinding{name + " macro index", kKeyTable + 4 * slot + 2, entry[2],
                            "0.." + std::to_string(kMacroSlotCount - 1), {}};
    }
    return std::nullopt;
}

std::optional<RangeFinding> byteFinding(const ByteRule& rule, const MouseData& data) {
    const unsigned v = byteOf(rule, data);
    if (inRange(rule, v)) return std::nullopt;
    return RangeFinding{rule.field, rule.offset, v, acceptedText(rule), {}};
}

}  // namespace

std::string RangeFinding::describe() const {
    std::string text = field + " is " + std::to_string(value) + " (byte " + std::to_string(offset) +
                       "), the keyboard accepts " + accepted;
    if (replacement) text += "; sent as " + std::to_string(*replacement);
    return text;
}

std::vector<RangeFinding> outOfRangeFields(const MouseData& data) {
    std::vector<RangeFinding> found;
    for (const ByteRule& rule : kByteRules) {
        if (auto f = byteFinding(rule, data)) found.push_back(std::move(*f));
    }
    for (std::size_t slot = 0; slot < kDeviceSlotCount; ++slot) {
        if (auto f = entryFinding(deviceKeyEntry(data, slot * 4), slot)) found.push_back(std::move(*f));
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const RangeFinding& a, const RangeFinding& b) { return a.offset < b.offset; });
    return found;
}

std::vector<RangeFinding> keepInKeyboardRanges(MouseData& data, const MouseData& keyboard) {
    std::vector<RangeFinding> fixed;
    for (const ByteRule& rule : kByteRules) {
        auto f = byteFinding(rule, data);
        if (!f) continue;
        std::uint8_t& byte = byteOf(rule, data);
        if (rule.repair == Repair::Clamp) {
            byte = static_cast<std::uint8_t>(std::clamp<unsigned>(byte, rule.low, rule.high));
        } else {
            const unsigned kept = byteOf(rule, keyboard);
            byte = static_cast<std::uint8_t>(inRange(rule, kept) ? kept : rule.factory);
        }
        f->replacement = byte;
        fixed.push_back(std::move(*f));
    }
    for (std::size_t slot = 0; slot < kDeviceSlotCount; ++slot) {
        const auto entry = deviceKeyEntry(data, slot * 4);
        auto f = entryFinding(entry, slot);
        if (!f) continue;
        // A key entry is one unit: the keyboard's entry, or the factory one.
        const auto kept = deviceKeyEntry(keyboard, slot * 4);
        const bool keptValid = !entryFinding(kept, slot).has_value();
        const auto* source = keptValid ? kept.data() : DefaultDeviceKeyTable.data() + slot * 4;
        std::copy_n(source, 4, entry.begin());
        f->replacement = f->offset == kKeyTable + 4 * slot ? entry[0] : entry[2];
        fixed.push_back(std::move(*f));
    }
    std::stable_sort(fixed.begin(), fixed.end(),
                     [](const RangeFinding& a, const RangeFinding& b) { return a.offset < b.offset; });
    return fixed;
}

}  // namespace orvane
