#pragma once

#include "device/HidBackend.h"
#include "device/HidReportDescriptor.h"

#include <atomic>
#include <bitset>
#include <vector>

namespace ravo::platform {

// Which input reports of a hidraw node belong to one top-level collection.
class HidCollectionFilter {
public:
    HidCollectionFilter(const HidReportDescriptor& descriptor, size_t collectionIndex);
    // Reports of a descriptor without report IDs come without one; we put a 0 in front.
    bool PrependsZero() const { return m_prependZero; }
    bool Accepts(uint8_t reportId) const { return m_prependZero || m_ids.test(reportId); }

private:
    bool m_prependZero = false;
    std::bitset<256> m_ids;
};

// One collection of an opened hidraw node (or of any packet descriptor, for tests). Reads wait
// in poll() on the node and an eventfd that Cancel signals, and pass over the reports of the
// node's other collections.
class HidrawConnection final : public HidConnection {
public:
    // Takes ownership of fd (-1: opened for a presence check only; transfers fail). A transfer
    // the options give no access for fails at once.
    HidrawConnection(int fd, HidOpenOptions options, HidAttributes attributes,
                     std::vector<uint8_t> descriptor, HidCollectionFilter filter);
    ~HidrawConnection() override;

    bool Valid() const { return m_cancelFd >= 0; }

    HidAttributes Attributes() const override { return m_attributes; }
    std::vector<uint8_t> ReportDescriptor() const override { return m_descriptor; }
    HidTransferStatus Read(uint8_t* buffer, size_t length, size_t* bytesRead,
                           uint32_t timeoutMs) override;
    HidTransferStatus Write(const uint8_t* buffer, size_t length, size_t* bytesWritten,
                            uint32_t timeoutMs) override;
    void Cancel() override;

private:
    // Waits for `events` on the node or the cancel event until the deadline.
    HidTransferStatus WaitFor(short events, int64_t deadlineMs, bool infinite);

    const int m_fd;
    const HidOpenOptions m_options;
    int m_cancelFd = -1;
    std::atomic<bool> m_cancelled{false};
    const HidAttributes m_attributes;
    const std::vector<uint8_t> m_descriptor;
    const HidCollectionFilter m_filter;
    std::vector<uint8_t> m_buffer;  // one report; used by the (single) reader
};

}  // namespace ravo::platform
