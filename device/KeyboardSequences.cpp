#include "device/KeyboardSequences.h"

#include "device/KeyboardCommands.h"

#include <algorithm>

namespace ravo::keyboard {

namespace {

// The first failure wins; the End that closes a begun sequence is still sent.
int32_t Close(CommandLink& link, int32_t result) {
    const int32_t end = EndSettings(link, 1);
    return result != kCommandOk ? result : end;
}

}  // namespace

int32_t ReadEverything(CommandLink& link, std::span<uint8_t, 34> info,
                       std::span<uint8_t, 512> keyTable, std::span<uint8_t, 512> keyIndex) {
    if (!link.IsOpen())
        return kCommandNoAnswer;
    int32_t r = BeginSettings(link);
    if (r != kCommandOk)
        return r;
    r = ReadDeviceInfo(link, info);
    if (r != kCommandOk)
        return Close(link, r);
    if (!link.SetBlockSize(static_cast<uint32_t>(info[kDeviceInfoKeyCount]) * 3))
        return kBadDeviceData;
    std::fill(keyTable.begin(), keyTable.end(), 0);
    std::fill(keyIndex.begin(), keyIndex.end(), 0);
    r = ReadKeyTable(link, keyTable);
    if (r == kCommandOk)
        r = ReadKeyIndex(link, keyIndex);
    return Close(link, r);
}

int32_t ReadLightRecord(CommandLink& link, std::span<uint8_t, 26> record, uint8_t* recordNumber) {
    if (!link.IsOpen())
        return kCommandNoAnswer;
    uint8_t active = 0;
    int32_t r = ReadMemory(link, std::span<uint8_t>(&active, 1), 0);
    if (r != kCommandOk)
        return r;
    if (active >= kLightRecordCount)
        active = 0;
    r = ReadMemory(link, record, active * kLightRecordStride);
    if (r == kCommandOk && recordNumber != nullptr)
        *recordNumber = active;
    return r;
}

int32_t WriteLightRecord(CommandLink& link, std::span<const uint8_t, 26> record,
                         uint8_t recordNumber) {
    if (!link.IsOpen() || recordNumber >= kLightRecordCount)
        return kCommandNoAnswer;
    int32_t r = BeginSettings(link);
    if (r != kCommandOk)
        return r;
    r = WriteMemory(link, record, recordNumber * kLightRecordStride);
    return Close(link, r);
}

int32_t WriteKeyTable(CommandLink& link, std::span<const uint8_t, 512> image) {
    if (!link.IsOpen())
        return kCommandNoAnswer;
    uint8_t info[kDeviceInfoLength] = {};
    int32_t r = ReadDeviceInfo(link, info);
    if (r != kCommandOk)
        return r;
    // The page written is key count * 3 bytes of the 512-byte image, never more.
    if (!link.SetBlockSize(static_cast<uint32_t>(info[kDeviceInfoKeyCount]) * 3))
        return kBadDeviceData;
    r = BeginSettings(link);
    if (r != kCommandOk)
        return r;
    r = WriteKeyTablePage(link, image, 0);
    return Close(link, r);
}

int32_t WriteMacros(CommandLink& link, std::span<const uint8_t> image) {
    auto failure = [](int32_t r) { return r == kCommandNoAnswer ? kCommandWriteFailed : r; };
    if (!link.IsOpen())
        return kCommandWriteFailed;
    uint8_t info[kDeviceInfoLength] = {};
    int32_t r = ReadDeviceInfo(link, info);
    if (r != kCommandOk)
        return failure(r);
    const size_t capacity = info[kDeviceInfoMacroUnits] * kMacroUnitBytes;
    if (image.size() > capacity)
        return static_cast<int32_t>((image.size() - capacity) / 4 + 1);
    r = BeginSettings(link);
    if (r != kCommandOk)
        return failure(r);
    r = Close(link, WriteMacroImage(link, image));
    return r == kCommandOk ? 0 : failure(r);
}

int32_t WriteCustomColours(CommandLink& link, std::span<const uint8_t> page, uint32_t customGroup) {
    return WriteColourPage(link, page, customGroup, kColourPageStride);
}

int32_t SendLiveFrame(CommandLink& link, std::span<const uint8_t, 384> frame) {
    if (link.IsReceiverMode())
        return kCommandOk;
    return StreamLighting(link, frame);
}

int32_t ReadPowerStatus(CommandLink& link, std::span<uint8_t, 6> status) {
    if (!link.IsOpen())
        return kCommandNoAnswer;
    if (!QueryOnline(link))
        return kCommandOffline;
    const int32_t r = ReadStatus(link, status, static_cast<uint8_t>(status.size()), 0);
    if (r == kCommandOk)
        status[3] = link.IsReceiverMode() ? 1 : 0;
    return r;
}

bool IsReceiverOnline(CommandLink& link) {
    return link.IsOpen() && link.IsReceiverMode() && QueryOnline(link);
}

int32_t TakeLightingBack(CommandLink& link) {
    return ResumeLighting(link);
}

}  // namespace ravo::keyboard
