#pragma once

#include "device/CommandLink.h"

#include <cstdint>
#include <span>

namespace ravo::keyboard {

// The device reported a value outside what the program can use (a key count whose table
// exceeds 512 bytes); nothing past that point was sent.
inline constexpr int32_t kBadDeviceData = -301;

// What the keyboard is asked for as a whole: settings sequences made of the single commands.
// Each needs the link open and holds no lock across its commands. Unless noted the result
// is 1 or the first failing command's result.

// Begin, device information, block size := key count * 3, key table, key index table, End.
// A key count whose table would exceed 512 bytes stops after the information block, without
// End, with kBadDeviceData. Tables are zero-filled past the block.
int32_t ReadEverything(CommandLink& link, std::span<uint8_t, 34> info,
                       std::span<uint8_t, 512> keyTable, std::span<uint8_t, 512> keyIndex);

// The active record number, then that record. A number past the last record (15) is not
// used: record 0 is read instead and reported.
int32_t ReadLightRecord(CommandLink& link, std::span<uint8_t, 26> record, uint8_t* recordNumber);

// Begin, the 26 bytes at recordNumber * 25, End. Record numbers past 15 are refused (0).
int32_t WriteLightRecord(CommandLink& link, std::span<const uint8_t, 26> record,
                         uint8_t recordNumber);

// Device information, Begin, page 0 of the key table (key count * 3 bytes of the image), End.
int32_t WriteKeyTable(CommandLink& link, std::span<const uint8_t, 512> image);

// Device information, then Begin, the macro image, End. Returns 0 when written; the number
// of 4-byte events that do not fit plus one when the image exceeds the macro memory (nothing
// sent); a negative result when a command failed (-1 also for a closed link or no answer).
int32_t WriteMacros(CommandLink& link, std::span<const uint8_t> image);

// The custom colour page of a custom group (offset group * 512).
int32_t WriteCustomColours(CommandLink& link, std::span<const uint8_t> page, uint32_t customGroup);

// One live frame (384 bytes); nothing is sent through the receiver (1).
int32_t SendLiveFrame(CommandLink& link, std::span<const uint8_t, 384> frame);

// The six power-status bytes, byte 3 replaced by the link kind (1 receiver, 0 cable).
// -101 when the keyboard is not on line through its receiver.
int32_t ReadPowerStatus(CommandLink& link, std::span<uint8_t, 6> status);

// Open, through the receiver, and answering.
bool IsReceiverOnline(CommandLink& link);

// The program takes lighting control back.
int32_t TakeLightingBack(CommandLink& link);

}  // namespace ravo::keyboard
