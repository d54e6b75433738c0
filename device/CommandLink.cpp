#include "device/CommandLink.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace ravo {

Q_LOGGING_CATEGORY(lcCommandReports, "ravo.device.reports", QtWarningMsg)

namespace {

// Copies the request into a zero-padded 64-byte report (longer requests are cut).
void FillReport(uint8_t* report, const uint8_t* request, size_t requestLength) {
    std::memset(report, 0, CommandLink::kReportLength);
    if (request != nullptr)
        std::memcpy(report, request, std::min(requestLength, CommandLink::kReportLength));
}

}  // namespace

CommandLink::CommandLink() = default;

CommandLink::~CommandLink() {
    m_open.store(false);
    m_busy.store(0);
    m_lightingSync.store(false);
    m_receiverMode.store(false);
    std::lock_guard<std::recursive_mutex> io(m_ioLock);
    m_cable.Close();
    m_receiver.Close();
}

void CommandLink::SetLinkMode(int mode) {
    std::lock_guard<std::recursive_mutex> io(m_ioLock);
    if (mode == kModeReceiver) {
        m_receiverMode.store(true);
        m_chunkSize.store(kReceiverChunkSize);
    } else {
        m_receiverMode.store(false);
        m_chunkSize.store(kCableChunkSize);
    }
}

bool CommandLink::SetBlockSize(uint32_t size) {
    if (size > kMaxBlockSize)
        return false;
    m_blockSize.store(static_cast<uint16_t>(size));
    return true;
}

uint16_t CommandLink::Checksum(const uint8_t* report) {
    uint32_t sum = 0;
    for (size_t i = 3; i < kReportLength; ++i)
        sum += report[i];
    return static_cast<uint16_t>(sum);
}

void CommandLink::SetChecksum(uint8_t* report) {
    const uint16_t sum = Checksum(report);
    report[1] = static_cast<uint8_t>(sum & 0xFF);
    report[2] = static_cast<uint8_t>(sum >> 8);
}

void CommandLink::DumpReport(const char* title, const uint8_t* report) {
    if (!lcCommandReports().isDebugEnabled())
        return;
    qCDebug(lcCommandReports, "%s", title);
    // Two lines of 32 bytes, grouped by four.
    for (size_t line = 0; line < 2; ++line) {
        char text[160];
        size_t used = 0;
        for (size_t i = 0; i < 32; ++i) {
            const char* gap = (i == 0) ? "" : (i % 4 == 0 ? (i < 16 ? "   " : "  ") : " ");
            const int n = std::snprintf(text + used, sizeof(text) - used, "%s%02x", gap,
                                        report[line * 32 + i]);
            if (n < 0 || static_cast<size_t>(n) >= sizeof(text) - used)
                break;
            used += static_cast<size_t>(n);
        }
        qCDebug(lcCommandReports, "%s", text);
    }
}

int32_t CommandLink::Exchange(const uint8_t* request, size_t requestLength, uint8_t* answer,
                              size_t answerLength, uint32_t* bytesRead) {
    struct BusyScope {
        std::atomic<int>& busy;
        explicit BusyScope(std::atomic<int>& b) : busy(b) { busy.fetch_add(1); }
        ~BusyScope() { busy.fetch_sub(1); }
    } busyScope(m_busy);

    if (bytesRead != nullptr)
        *bytesRead = 0;
    if (!m_open.load())
        return kCommandNoAnswer;
    answerLength = std::min(answerLength, kReportLength);

    uint8_t report[kReportLength];
    FillReport(report, request, requestLength);
    DumpReport("命令", report);

    uint8_t received[kReportLength] = {};
    uint32_t got = 0;
    int32_t result = kCommandNoAnswer;
    {
        // The write and its answer reads form one unit on the link, so that no other
        // exchange (the live lighting stream included) can take this command's answer.
        std::lock_guard<std::recursive_mutex> io(m_ioLock);
        const bool receiver = m_receiverMode.load();
        HidDevice& link = receiver ? m_receiver : m_cable;
        const uint32_t timeout = receiver ? kReceiverTimeoutMs : kCableTimeoutMs;
        uint32_t written = 0;
        if (!link.WriteReport(report, kReportLength, &written, timeout))
            return kCommandWriteFailed;
        for (int attempt = 0; attempt < 2; ++attempt) {
            std::memset(received, 0, sizeof(received));
            got = 0;
            const bool read =
                link.ReadReport(received, static_cast<uint32_t>(answerLength), &got, timeout);
            result = read ? kCommandOk : kCommandNoAnswer;
            if (!read)
                got = 0;
            if (received[3] == report[3])
                break;
            if (receiver && received[3] == kOfflineCode) {
                result = kCommandOffline;
                break;
            }
        }
    }

    if (answer != nullptr) {
        std::memset(answer, 0, answerLength);
        std::memcpy(answer, received, answerLength);
    }
    if (bytesRead != nullptr)
        *bytesRead = std::min<uint32_t>(got, static_cast<uint32_t>(answerLength));
    DumpReport("返回", received);
    return result;
}

int32_t CommandLink::ExchangeOnce(const uint8_t* request, size_t requestLength, uint8_t* answer,
                                  size_t answerLength, uint32_t* bytesRead) {
    if (bytesRead != nullptr)
        *bytesRead = 0;
    if (!m_open.load())
        return kCommandNoAnswer;
    answerLength = std::min(answerLength, kReportLength);

    uint8_t report[kReportLength];
    FillReport(report, request, requestLength);
    uint8_t received[kReportLength] = {};
    uint32_t got = 0;
    bool read = false;
    {
        std::lock_guard<std::recursive_mutex> io(m_ioLock);
        uint32_t written = 0;
        if (!m_cable.WriteReport(report, kReportLength, &written, kCableTimeoutMs))
            return kCommandWriteFailed;
        read = m_cable.ReadReport(received, static_cast<uint32_t>(answerLength), &got,
                                  kCableTimeoutMs);
    }
    if (answer != nullptr)
        std::memcpy(answer, received, answerLength);
    if (bytesRead != nullptr)
        *bytesRead = read ? std::min<uint32_t>(got, static_cast<uint32_t>(answerLength)) : 0;
    return read ? kCommandOk : kCommandNoAnswer;
}

}  // namespace ravo
