#pragma once

#include "device/HidDevice.h"

#include <QLoggingCategory>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace ravo {

// Hex dump of every command report and its answer; silent unless enabled through
// QT_LOGGING_RULES="ravo.device.reports.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcCommandReports)

// Results of an exchange and of the command functions built on it.
inline constexpr int32_t kCommandOk = 1;
inline constexpr int32_t kCommandNoAnswer = 0;  // link closed, or nothing arrived in time
inline constexpr int32_t kCommandWriteFailed = -1;
inline constexpr int32_t kCommandOffline = -101;   // receiver: device not connected
inline constexpr int32_t kCommandRejected = -102;  // status 0xFF
inline constexpr int32_t kCommandFailed = -103;    // status 0xFE
inline constexpr int32_t kCommandBadPage = -201;   // key-table write to a page other than 0

// Carries the 64-byte vendor command reports between the program and one device, over its
// cable or its receiver. Lock order: command or stream lock first, then the I/O lock.
class CommandLink {
public:
    static constexpr size_t kReportLength = 64;
    static constexpr uint8_t kReportId = 4;
    static constexpr size_t kPayloadOffset = 8;
    static constexpr size_t kMaxPayload = kReportLength - kPayloadOffset;  // 56
    static constexpr uint16_t kMaxBlockSize = 512;
    static constexpr uint8_t kCableChunkSize = 56;
    static constexpr uint8_t kReceiverChunkSize = 24;
    static constexpr uint32_t kCableTimeoutMs = 1000;
    static constexpr uint32_t kReceiverTimeoutMs = 5000;
    static constexpr uint8_t kOfflineCode = 0xAA;

    static constexpr int kModeCable = 1;
    static constexpr int kModeReceiver = 2;

    CommandLink();
    ~CommandLink();
    CommandLink(const CommandLink&) = delete;
    CommandLink& operator=(const CommandLink&) = delete;

    // Mode 2 selects the receiver (chunk size 24); any other value the cable (chunk size 56).
    void SetLinkMode(int mode);
    // Refuses sizes above 512.
    bool SetBlockSize(uint32_t size);

    uint16_t BlockSize() const { return m_blockSize.load(); }
    uint8_t ChunkSize() const { return m_chunkSize.load(); }
    bool IsReceiverMode() const { return m_receiverMode.load(); }
    // A hint that an ordinary exchange is in flight; read without any lock by the stream.
    bool IsBusy() const { return m_busy.load() != 0; }

    bool IsOpen() const { return m_open.load(); }
    void SetOpen(bool open) { m_open.store(open); }
    bool LightingSync() const { return m_lightingSync.load(); }
    void SetLightingSync(bool sync) { m_lightingSync.store(sync); }

    // Opening, closing or replacing a link's device must happen under IoLock().
    HidDevice& CableLink() { return m_cable; }
    HidDevice& ReceiverLink() { return m_receiver; }
    std::recursive_mutex& IoLock() { return m_ioLock; }
    std::recursive_mutex& CommandLock() { return m_commandLock; }
    std::recursive_mutex& StreamLock() { return m_streamLock; }

    // Writes the request (padded or cut to 64 bytes) on the active link and reads up to two
    // answers until one echoes the command. answerLength must not exceed 64. Returns 1, 0,
    // -1 or -101 (receiver: device off line).
    int32_t Exchange(const uint8_t* request, size_t requestLength, uint8_t* answer,
                     size_t answerLength, uint32_t* bytesRead);
    // One write and one read on the cable link, without matching or dump (live lighting).
    int32_t ExchangeOnce(const uint8_t* request, size_t requestLength, uint8_t* answer,
                         size_t answerLength, uint32_t* bytesRead);

    // Sum of bytes 3..63 of a 64-byte report; SetChecksum stores it in bytes 1 and 2.
    static uint16_t Checksum(const uint8_t* report);
    static void SetChecksum(uint8_t* report);

private:
    static void DumpReport(const char* title, const uint8_t* report);

    std::atomic<uint16_t> m_blockSize{kMaxBlockSize};
    std::atomic<int> m_busy{0};  // number of full exchanges in progress
    std::atomic<bool> m_open{false};
    std::atomic<bool> m_lightingSync{false};
    HidDevice m_cable;                   // opened, closed and used under m_ioLock
    HidDevice m_receiver;                // opened, closed and used under m_ioLock
    std::recursive_mutex m_ioLock;       // innermost: one write plus its answer reads
    std::recursive_mutex m_commandLock;  // one request-answer pair of an ordinary command
    std::recursive_mutex m_streamLock;   // one request-answer pair of a streaming command
    std::atomic<bool> m_receiverMode{false};
    std::atomic<uint8_t> m_chunkSize{kReceiverChunkSize};
};

}  // namespace ravo
