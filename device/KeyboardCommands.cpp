#include "device/KeyboardCommands.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

namespace ravo {

namespace {

constexpr uint32_t kOffsetLimit = 0x10000;  // device offsets are 16-bit

enum class LockKind { Command, Stream, None };

std::recursive_mutex* LockOf(CommandLink& link, LockKind kind) {
    switch (kind) {
        case LockKind::Command:
            return &link.CommandLock();
        case LockKind::Stream:
            return &link.StreamLock();
        case LockKind::None:
            break;
    }
    return nullptr;
}

void BuildRequest(uint8_t* request, uint8_t code, uint8_t length, uint16_t offset) {
    std::memset(request, 0, CommandLink::kReportLength);
    request[0] = CommandLink::kReportId;
    request[3] = code;
    request[4] = length;
    request[5] = static_cast<uint8_t>(offset & 0xFF);
    request[6] = static_cast<uint8_t>(offset >> 8);
}

// An answer read by the exchange is this command's only when it echoes the code; after two
// stale answers the buffer holds another command's data, which must not pass for ours.
int32_t Judge(int32_t exchanged, const uint8_t* answer, uint8_t code) {
    if (exchanged != kCommandOk)
        return exchanged;
    if (answer[3] != code)
        return kCommandNoAnswer;
    if (answer[7] == kStatusRejected)
        return kCommandRejected;
    if (answer[7] == kStatusFailed)
        return kCommandFailed;
    return kCommandOk;
}

int32_t Simple(CommandLink& link, uint8_t code, uint8_t* answer) {
    uint8_t request[CommandLink::kReportLength];
    BuildRequest(request, code, 0, 0);
    CommandLink::SetChecksum(request);
    std::lock_guard<std::recursive_mutex> lock(link.CommandLock());
    const int32_t r =
        link.Exchange(request, sizeof(request), answer, CommandLink::kReportLength, nullptr);
    return Judge(r, answer, code);
}

bool RangeFits(uint32_t base, size_t total) {
    return base <= kOffsetLimit && total <= kOffsetLimit - base;
}

// Reads total bytes at base into buffer, chunk by chunk.
int32_t ChunkedRead(CommandLink& link, uint8_t code, std::span<uint8_t> buffer, size_t total,
                    uint32_t base, LockKind lockKind) {
    if (total > buffer.size() || !RangeFits(base, total))
        return kCommandNoAnswer;
    const size_t chunk = std::min<size_t>(link.ChunkSize(), CommandLink::kMaxPayload);
    if (chunk == 0)
        return kCommandNoAnswer;
    std::recursive_mutex* mutex = LockOf(link, lockKind);
    for (size_t offset = 0; offset < total; offset += chunk) {
        const size_t length = std::min(chunk, total - offset);
        uint8_t request[CommandLink::kReportLength];
        uint8_t answer[CommandLink::kReportLength];
        BuildRequest(request, code, static_cast<uint8_t>(length),
                     static_cast<uint16_t>(base + offset));
        CommandLink::SetChecksum(request);
        int32_t r;
        {
            std::unique_lock<std::recursive_mutex> lock;
            if (mutex != nullptr)
                lock = std::unique_lock<std::recursive_mutex>(*mutex);
            r = Judge(link.Exchange(request, sizeof(request), answer, sizeof(answer), nullptr),
                      answer, code);
        }
        if (r != kCommandOk)
            return r;
        std::memcpy(buffer.data() + offset, answer + CommandLink::kPayloadOffset, length);
    }
    return kCommandOk;
}

enum class Transport { Full, Stream };

int32_t ChunkedWrite(CommandLink& link, uint8_t code, std::span<const uint8_t> data, uint32_t base,
                     size_t chunkSize, LockKind lockKind, Transport transport = Transport::Full) {
    if (!RangeFits(base, data.size()))
        return kCommandNoAnswer;
    const size_t chunk = std::min(chunkSize, CommandLink::kMaxPayload);
    if (chunk == 0)
        return kCommandNoAnswer;
    std::recursive_mutex* mutex = LockOf(link, lockKind);
    const size_t total = data.size();
    for (size_t offset = 0; offset < total; offset += chunk) {
        const size_t length = std::min(chunk, total - offset);
        if (transport == Transport::Stream) {
            if (link.IsBusy()) {
                qCDebug(lcCommandReports, "放弃灯光数据");
                continue;
            }
            if (link.IsReceiverMode())
                continue;
        }
        uint8_t request[CommandLink::kReportLength];
        uint8_t answer[CommandLink::kReportLength];
        BuildRequest(request, code, static_cast<uint8_t>(length),
                     static_cast<uint16_t>(base + offset));
        std::memcpy(request + CommandLink::kPayloadOffset, data.data() + offset, length);
        CommandLink::SetChecksum(request);
        int32_t r;
        {
            std::unique_lock<std::recursive_mutex> lock;
            if (mutex != nullptr)
                lock = std::unique_lock<std::recursive_mutex>(*mutex);
            if (transport == Transport::Stream) {
                r = link.ExchangeOnce(request, sizeof(request), answer, sizeof(answer), nullptr);
                // The stream reads whatever answer comes first and is judged by status only.
                if (r == kCommandOk)
                    r = Judge(r, answer, answer[3]);
            } else {
                r = Judge(link.Exchange(request, sizeof(request), answer, sizeof(answer), nullptr),
                          answer, code);
            }
        }
        if (r != kCommandOk)
            return r;
    }
    return kCommandOk;
}

}  // namespace

int32_t BeginSettings(CommandLink& link) {
    uint8_t answer[CommandLink::kReportLength];
    return Simple(link, cmd::kBeginSettings, answer);
}

int32_t EndSettings(CommandLink& link, int /*unused*/) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    uint8_t answer[CommandLink::kReportLength];
    return Simple(link, cmd::kEndSettings, answer);
}

int32_t ReadDeviceInfo(CommandLink& link, std::span<uint8_t> info) {
    return ChunkedRead(link, cmd::kReadDeviceInfo, info, keyboard::kDeviceInfoLength, 0,
                       LockKind::Command);
}

int32_t ReadMemory(CommandLink& link, std::span<uint8_t> buffer, uint32_t baseOffset) {
    return ChunkedRead(link, cmd::kReadMemory, buffer, buffer.size(), baseOffset,
                       LockKind::Command);
}

int32_t WriteMemory(CommandLink& link, std::span<const uint8_t> data, uint32_t baseOffset) {
    return ChunkedWrite(link, cmd::kWriteMemory, data, baseOffset, link.ChunkSize(),
                        LockKind::Command);
}

int32_t ReadKeyTable(CommandLink& link, std::span<uint8_t> buffer) {
    return ChunkedRead(link, cmd::kReadKeyTable, buffer, link.BlockSize(), 0, LockKind::Command);
}

int32_t WriteKeyTablePage(CommandLink& link, std::span<const uint8_t> data, uint32_t page) {
    if (page != 0)
        return kCommandBadPage;
    const size_t total = link.BlockSize();
    if (data.size() < total)
        return kCommandNoAnswer;
    return ChunkedWrite(link, cmd::kWriteKeyTablePage, data.first(total), page * 512,
                        link.ChunkSize(), LockKind::Command);
}

int32_t WriteColourPage(CommandLink& link, std::span<const uint8_t> data, uint32_t unit,
                        uint32_t index) {
    const uint64_t base = static_cast<uint64_t>(unit) * index;
    if (base > kOffsetLimit)
        return kCommandNoAnswer;
    return ChunkedWrite(link, cmd::kWriteColourPage, data, static_cast<uint32_t>(base),
                        link.ChunkSize(), LockKind::Stream);
}

int32_t StreamLighting(CommandLink& link, std::span<const uint8_t> data) {
    return ChunkedWrite(link, cmd::kStreamLighting, data, 0, link.ChunkSize(), LockKind::Stream,
                        Transport::Stream);
}

int32_t WriteMacroImage(CommandLink& link, std::span<const uint8_t> data) {
    return ChunkedWrite(link, cmd::kWriteMacroImage, data, 0, link.ChunkSize(), LockKind::Command);
}

int32_t WriteBlock56(CommandLink& link, std::span<const uint8_t> data) {
    // Under the command lock like every other ordinary command: without it its requests
    // could take the answers of another thread's command.
    return ChunkedWrite(link, cmd::kWriteBlock56, data, 0, CommandLink::kMaxPayload,
                        LockKind::Command);
}

int32_t ReadStatus(CommandLink& link, std::span<uint8_t> buffer, uint8_t length, uint16_t offset) {
    if (buffer.size() < length)
        return kCommandNoAnswer;
    uint8_t request[CommandLink::kReportLength];
    uint8_t answer[CommandLink::kReportLength];
    BuildRequest(request, cmd::kReadStatus, length, offset);
    CommandLink::SetChecksum(request);
    int32_t r;
    {
        std::lock_guard<std::recursive_mutex> lock(link.CommandLock());
        r = Judge(link.Exchange(request, sizeof(request), answer, sizeof(answer), nullptr), answer,
                  cmd::kReadStatus);
    }
    if (r != kCommandOk)
        return r;
    // An answer carries at most 56 data bytes; anything asked for beyond them reads as 0.
    const size_t carried = std::min<size_t>(length, CommandLink::kMaxPayload);
    std::memcpy(buffer.data(), answer + CommandLink::kPayloadOffset, carried);
    std::memset(buffer.data() + carried, 0, length - carried);
    return kCommandOk;
}

int32_t ReadKeyIndex(CommandLink& link, std::span<uint8_t> buffer) {
    return ChunkedRead(link, cmd::kReadKeyIndex, buffer, link.BlockSize() / 3, 0,
                       LockKind::Command);
}

int32_t ResumeLighting(CommandLink& link) {
    uint8_t answer[CommandLink::kReportLength];
    return Simple(link, cmd::kResumeLighting, answer);
}

bool QueryOnline(CommandLink& link) {
    if (!link.IsReceiverMode())
        return true;
    uint8_t answer[CommandLink::kReportLength];
    uint8_t request[CommandLink::kReportLength];
    BuildRequest(request, cmd::kQueryOnline, 0, 0);
    CommandLink::SetChecksum(request);
    int32_t r;
    {
        std::lock_guard<std::recursive_mutex> lock(link.CommandLock());
        r = link.Exchange(request, sizeof(request), answer, sizeof(answer), nullptr);
    }
    return r == kCommandOk && answer[3] == cmd::kQueryOnline &&
           answer[CommandLink::kPayloadOffset] == 0xFF && answer[7] != kStatusRejected &&
           answer[7] != kStatusFailed;
}

}  // namespace ravo
