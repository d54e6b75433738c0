#include "platform/hid/HidrawConnection.h"

#include "device/HidDevice.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace ravo::platform {

namespace {

constexpr size_t kMaxReportBytes = 4096;  // a hidraw node's largest report

int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

HidCollectionFilter::HidCollectionFilter(const HidReportDescriptor& descriptor,
                                         size_t collectionIndex) {
    m_prependZero = !descriptor.UsesReportIds();
    if (collectionIndex < descriptor.Collections().size())
        for (uint8_t id : descriptor.Collections()[collectionIndex].reportIds)
            m_ids.set(id);
}

HidrawConnection::HidrawConnection(int fd, HidOpenOptions options, HidAttributes attributes,
                                   std::vector<uint8_t> descriptor, HidCollectionFilter filter)
    : m_fd(fd),
      m_options(options),
      m_attributes(attributes),
      m_descriptor(std::move(descriptor)),
      m_filter(filter),
      m_buffer(kMaxReportBytes + 1) {
    m_cancelFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

HidrawConnection::~HidrawConnection() {
    if (m_fd >= 0)
        close(m_fd);
    if (m_cancelFd >= 0)
        close(m_cancelFd);
}

void HidrawConnection::Cancel() {
    m_cancelled = true;
    const uint64_t one = 1;
    if (m_cancelFd >= 0) {
        // The counter is never read back: once signalled, every later wait ends at once.
        [[maybe_unused]] ssize_t n = write(m_cancelFd, &one, sizeof one);
    }
}

HidTransferStatus HidrawConnection::WaitFor(short events, int64_t deadlineMs, bool infinite) {
    for (;;) {
        int timeout = -1;
        if (!infinite)
            timeout = static_cast<int>(std::clamp<int64_t>(deadlineMs - NowMs(), 0, INT32_MAX));
        pollfd fds[2] = {{m_fd, events, 0}, {m_cancelFd, POLLIN, 0}};
        const int ready = poll(fds, 2, timeout);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return HidTransferStatus::Failed;
        }
        if (fds[1].revents || m_cancelled)
            return HidTransferStatus::Cancelled;
        if (ready == 0)
            return HidTransferStatus::TimedOut;
        if (fds[0].revents & events)
            return HidTransferStatus::Ok;
        if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL))
            return HidTransferStatus::Failed;  // the device went away
    }
}

HidTransferStatus HidrawConnection::Read(uint8_t* buffer, size_t length, size_t* bytesRead,
                                         uint32_t timeoutMs) {
    if (bytesRead)
        *bytesRead = 0;
    if (m_fd < 0 || m_cancelFd < 0 || !buffer || !m_options.read)
        return HidTransferStatus::Failed;
    const bool infinite = timeoutMs == kInfiniteTimeout;
    const int64_t deadline = NowMs() + timeoutMs;
    for (;;) {
        if (m_cancelled)
            return HidTransferStatus::Cancelled;
        const HidTransferStatus status = WaitFor(POLLIN, deadline, infinite);
        if (status != HidTransferStatus::Ok)
            return status;
        // Room for the 0 we put in front of reports that come without an ID.
        uint8_t* const into = m_buffer.data() + 1;
        const ssize_t n = read(m_fd, into, kMaxReportBytes);
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR)
                continue;
            return HidTransferStatus::Failed;
        }
        if (n == 0)
            return HidTransferStatus::Failed;  // end of file: the node is gone
        const uint8_t* report = into;
        size_t size = static_cast<size_t>(n);
        if (m_filter.PrependsZero()) {
            m_buffer[0] = 0;
            report = m_buffer.data();
            ++size;
        }
        if (!m_filter.Accepts(report[0]))
            continue;  // another collection's report
        const size_t copied = std::min(size, length);
        std::memcpy(buffer, report, copied);
        if (bytesRead)
            *bytesRead = copied;
        return HidTransferStatus::Ok;
    }
}

HidTransferStatus HidrawConnection::Write(const uint8_t* buffer, size_t length,
                                          size_t* bytesWritten, uint32_t timeoutMs) {
    if (bytesWritten)
        *bytesWritten = 0;
    if (m_fd < 0 || m_cancelFd < 0 || !buffer || length == 0 || !m_options.write)
        return HidTransferStatus::Failed;
    const bool infinite = timeoutMs == kInfiniteTimeout;
    const int64_t deadline = NowMs() + timeoutMs;
    for (;;) {
        if (m_cancelled)
            return HidTransferStatus::Cancelled;
        // The report goes as given, ID first; the kernel drops a leading 0 for devices
        // without report IDs.
        const ssize_t n = write(m_fd, buffer, length);
        if (n >= 0) {
            if (bytesWritten)
                *bytesWritten = static_cast<size_t>(n);
            return HidTransferStatus::Ok;
        }
        if (errno != EAGAIN && errno != EINTR)
            return HidTransferStatus::Failed;
        const HidTransferStatus status = WaitFor(POLLOUT, deadline, infinite);
        if (status != HidTransferStatus::Ok)
            return status;
    }
}

}  // namespace ravo::platform
