#pragma once

#include "device/CommandLink.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace ravo {

// Command codes of the vendor protocol.
namespace cmd {
inline constexpr uint8_t kBeginSettings = 0x01;
inline constexpr uint8_t kEndSettings = 0x02;
inline constexpr uint8_t kReadDeviceInfo = 0x03;
inline constexpr uint8_t kReadMemory = 0x05;
inline constexpr uint8_t kWriteMemory = 0x06;
inline constexpr uint8_t kReadKeyTable = 0x07;
inline constexpr uint8_t kWriteKeyTablePage = 0x09;
inline constexpr uint8_t kWriteColourPage = 0x0B;
inline constexpr uint8_t kStreamLighting = 0x12;
inline constexpr uint8_t kWriteMacroImage = 0x15;
inline constexpr uint8_t kWriteBlock56 = 0x17;
inline constexpr uint8_t kReadStatus = 0x1A;
inline constexpr uint8_t kReadKeyIndex = 0x1B;
inline constexpr uint8_t kResumeLighting = 0x1C;
inline constexpr uint8_t kQueryOnline = 0xAA;
}  // namespace cmd

// Answer status byte (byte 7).
inline constexpr uint8_t kStatusRejected = 0xFF;
inline constexpr uint8_t kStatusFailed = 0xFE;

// Layouts the keyboard keeps.
namespace keyboard {
inline constexpr size_t kDeviceInfoLength = 34;
inline constexpr size_t kDeviceInfoKeyCount = 5;    // byte: key positions of the key table
inline constexpr size_t kDeviceInfoMacroUnits = 6;  // byte: macro memory in 128-byte units
inline constexpr size_t kMacroUnitBytes = 128;
inline constexpr size_t kKeyTableImageLength = 512;
inline constexpr size_t kLightRecordLength = 26;
inline constexpr uint32_t kLightRecordStride = 25;
inline constexpr uint8_t kLightRecordCount = 16;
inline constexpr uint32_t kColourPageStride = 512;
inline constexpr size_t kLiveFrameLeds = 128;
inline constexpr size_t kLiveFrameLength = kLiveFrameLeds * 3;
inline constexpr size_t kPowerStatusLength = 6;
}  // namespace keyboard

// One function per command. Each holds its lock around every exchange, splits its range
// into chunks of the link's chunk size and stops at the first chunk that does not give 1.
// Results: 1, 0 (closed link, no answer, or an answer to another command), -1, -101,
// -102 (status 0xFF), -103 (status 0xFE), -201. A buffer too small for the range asked
// for is refused with 0 before anything is sent, as is a range past the 16-bit offsets.

int32_t BeginSettings(CommandLink& link);
// Pauses 10 ms first so the keyboard has taken the last write; the argument is not sent.
int32_t EndSettings(CommandLink& link, int unused = 1);
int32_t ReadDeviceInfo(CommandLink& link, std::span<uint8_t> info);  // 34 bytes
// Reads buffer.size() bytes of memory at baseOffset.
int32_t ReadMemory(CommandLink& link, std::span<uint8_t> buffer, uint32_t baseOffset);
int32_t WriteMemory(CommandLink& link, std::span<const uint8_t> data, uint32_t baseOffset);
// Reads the link's block size of key table.
int32_t ReadKeyTable(CommandLink& link, std::span<uint8_t> buffer);
// Writes the link's block size of key table at page * 512; only page 0 exists (-201).
int32_t WriteKeyTablePage(CommandLink& link, std::span<const uint8_t> data, uint32_t page);
// Stream lock; written at unit * index + offset.
int32_t WriteColourPage(CommandLink& link, std::span<const uint8_t> data, uint32_t unit,
                        uint32_t index);
// Stream lock, short exchange, cable only. Chunks are dropped (and count as success) while
// an ordinary exchange is in flight or the link is the receiver.
int32_t StreamLighting(CommandLink& link, std::span<const uint8_t> data);
int32_t WriteMacroImage(CommandLink& link, std::span<const uint8_t> data);
// Fixed 56-byte chunks.
int32_t WriteBlock56(CommandLink& link, std::span<const uint8_t> data);
// One request for length bytes at offset; at most 56 bytes come back.
int32_t ReadStatus(CommandLink& link, std::span<uint8_t> buffer, uint8_t length, uint16_t offset);
// Reads block size / 3 bytes of the key index table (the LED of each key position).
int32_t ReadKeyIndex(CommandLink& link, std::span<uint8_t> buffer);
int32_t ResumeLighting(CommandLink& link);
// True at once (nothing sent) by cable; through the receiver, whether the keyboard answers.
bool QueryOnline(CommandLink& link);

}  // namespace ravo
