#include "device/commands.h"

namespace orvane {
namespace {

bool setCommand(CommandHandle& handle, std::uint8_t code, const FrameParameters& parameters, int waitMs) {
    const bool sent = handle.sendFeature(makeFrame(code, parameters));
    handle.wait(waitMs);
    return sent;
}

// Send, wait, fetch the reply, wait. A pacing of 0 means no wait at all.
std::optional<Frame> query(CommandHandle& handle, std::uint8_t code, const FrameParameters& parameters,
                           int firstWaitMs, int secondWaitMs) {
    handle.sendFeature(makeFrame(code, parameters));
    if (firstWaitMs > 0) handle.wait(firstWaitMs);
    Frame reply{};
    const bool fetched = handle.getFeature(reply);
    if (secondWaitMs > 0) handle.wait(secondWaitMs);
    if (!fetched) return std::nullopt;
    return reply;
}

}  // namespace

std::optional<FirmwareVersion> GetFirmwareVersion(CommandHandle& handle) {
    const auto reply = query(handle, kGetFirmwareVersion, {}, 10, 10);
    if (!reply) return std::nullopt;
    return FirmwareVersion{(*reply)[2], (*reply)[3]};
}

bool GetReportRate(CommandHandle& handle, MouseData& data) {
    const auto reply = query(handle, kGetReportRate, {}, 10, 10);
    if (!reply) return false;
    // The slider and the report-rate picture only know codes 0..3; anything
    // else is a garbled reply and must not reach them.
    if ((*reply)[2] <= 3) data.ReportRate = (*reply)[2];
    return true;
}

bool SetReportRate(CommandHandle& handle, const MouseData& data) {
    return setCommand(handle, kSetReportRate, {data.ReportRate, 0, 0, 0, 0, 0}, 10);
}

bool GetResponseTime(CommandHandle& handle, MouseData& data) {
    const auto reply = query(handle, kGetResponseTime, {}, 10, 10);
    if (!reply) return false;
    data.ResponseTime = (*reply)[2];
    return true;
}

bool SetResponseTime(CommandHandle& handle, const MouseData& data) {
    return setCommand(handle, kSetResponseTime, {data.ResponseTime, 0, 0, 0, 0, 0}, 10);
}

bool GetLightingEffect(CommandHandle& handle, MouseData& data) {
    const auto reply = query(handle, kGetLightingEffect, {}, 10, 0);
    if (!reply) return false;
    const Frame& r = *reply;
    LedEffect& led = data.ledEffect;
    // Each value is taken only inside the range the panels index with: an
    // effect number past the last colour table or a colour past 8 would make
    // them read outside their tables.
    if (r[3] <= kLastEffectMode) led.LEDEffectMode = r[3];
    if (r[4] >= 1 && r[4] <= 10) led.LEDEffectSpeed = speedFromDevice(r[4]);
    if (r[5] <= 50) led.LEDEffectBrightness = r[5];
    if (r[6] >= 1 && r[6] <= 8) led.LEDEffectColor = r[6];
    if (r[7] >= 1 && r[7] <= 4) led.LEDEffectDirection = r[7];
    return true;
}

bool SetLightingEffect(CommandHandle& handle, const MouseData& data, LightingPhase phase) {
    const LedEffect& led = data.ledEffect;
    const std::uint8_t brightness = phase == LightingPhase::Begin ? 0 : led.LEDEffectBrightness;
    return setCommand(handle, kSetLightingEffect,
                      {static_cast<std::uint8_t>(phase), led.LEDEffectMode, speedToDevice(led.LEDEffectSpeed),
                       brightness, led.LEDEffectColor, led.LEDEffectDirection},
                      10);
}

bool GetGameMode(CommandHandle& handle, MouseData& data) {
    const auto reply = query(handle, kGetGameMode, {}, 5, 0);
    if (!reply) return false;
    data.GameMode = (*reply)[2];
    return true;
}

bool SetGameMode(CommandHandle& handle, MouseData& data, std::uint8_t value, int waitMs) {
    const bool sent = setCommand(handle, kSetGameMode, {value, 0, 0, 0, 0, 0}, waitMs);
    applyWinLock(data);
    return sent;
}

bool GetPaletteColor(CommandHandle& handle, MouseData& data, std::size_t index) {
    if (index >= kPaletteColorCount) return false;
    const auto reply = query(handle, kGetPaletteColor, {0, static_cast<std::uint8_t>(index), 0, 0, 0, 0}, 1, 1);
    if (!reply) return false;
    auto color = paletteColor(data, index);
    color[0] = (*reply)[4];
    color[1] = (*reply)[5];
    color[2] = (*reply)[6];
    return true;
}

bool SetPaletteColor(CommandHandle& handle, const MouseData& data, std::size_t index) {
    if (index >= kPaletteColorCount) return false;
    const auto color = paletteColor(data, index);
    return setCommand(handle, kSetPaletteColor,
                      {0, static_cast<std::uint8_t>(index), color[0], color[1], color[2], 0}, 20);
}

bool FactoryReset(CommandHandle& handle) {
    return setCommand(handle, kFactoryReset, {0xFF, 0, 0, 0, 0, 0}, 300);
}

}  // namespace orvane

