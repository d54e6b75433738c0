#include "devices/ListenerThread.h"

#include "devices/ThreadLog.h"

#include <algorithm>
#include <array>

namespace ravo {

namespace {

constexpr uint16_t kCodeResync = 0x401;
constexpr uint16_t kCodeProfilesChanged = 0x402;

std::atomic<uint16_t> lastCodeA{0};

}  // namespace

uint16_t LastListenerCode() {
    return lastCodeA.load();
}

ListenerThread::ListenerThread(int kind, ListenerHost& host) : m_kind(kind), m_host(host) {}

ListenerThread::~ListenerThread() {
    StopThread();
    std::scoped_lock lock(m_lock);
    m_hid.Close();
}

bool ListenerThread::OpenHandle(const std::string& path) {
    std::scoped_lock lock(m_lock);
    m_hid.Close();
    const bool ok = m_hid.Open(path, true, true, true, false);
    m_open = ok;
    return ok;
}

bool ListenerThread::Open(const std::string& path) {
    // A running thread reads on the old handle: stop it before the handle changes.
    StopThread();
    const bool ok = OpenHandle(path);
    StartThread();
    return ok;
}

void ListenerThread::Close() {
    if (!m_open) {
        return;
    }
    StopThread();
    std::scoped_lock lock(m_lock);
    m_open = false;
    m_hid.Close();
}

bool ListenerThread::Reopen(const std::string& path) {
    Close();
    StopThread();
    const bool ok = OpenHandle(path);
    StartThread();
    return ok;
}

void ListenerThread::StartThread() {
    if (m_kind != kListenerKindA && m_kind != kListenerKindB) {
        return;
    }
    m_worker.Start([this](StopEvent& stop) { Run(stop); },
                   m_kind == kListenerKindA ? "ravo-listen-a" : "ravo-listen-b");
}

StopResult ListenerThread::StopThread() {
    // Closing the handle breaks a read that waits without limit. The handle is reopened by
    // whoever starts the thread again (Open, Reopen).
    return m_worker.Stop(kStopLimit, [this] {
        std::scoped_lock lock(m_lock);
        m_hid.Close();
    });
}

uint16_t ListenerThread::CodeOf(HidDevice& hid, const uint8_t* report, uint32_t length) {
    ReportField* fields = hid.Fields(HidReportType::Input);
    const size_t count = hid.FieldCount(HidReportType::Input);
    if (count == 0 || !hid.ExtractUsages(report, length, HidReportType::Input, fields, count)) {
        return 0;
    }
    const ReportField& first = fields[0];
    if (!first.isSet || !first.isButton || first.usages.empty()) {
        return 0;
    }
    return first.usages[0];
}

void ListenerThread::Run(StopEvent& stop) {
    std::array<uint8_t, 64> report{};
    std::chrono::milliseconds wait{0};
    for (;;) {
        if (stop.WaitFor(wait)) {
            ThreadDebugLine("MS 设备同步线程设定退出");
            return;
        }
        uint32_t length = 0;
        {
            std::scoped_lock lock(m_lock);
            if (m_open && m_hid.IsOpen()) {
                length = std::min<uint32_t>(m_hid.ReportBufferLength(HidReportType::Input),
                                            static_cast<uint32_t>(report.size()));
            }
        }
        if (length == 0) {
            wait = kIdleWait;
            continue;
        }
        uint32_t bytes = 0;
        if (!m_hid.ReadReport(report.data(), length, &bytes, kInfiniteTimeout) || bytes == 0) {
            wait = kRetryWait;
            continue;
        }
        wait = std::chrono::milliseconds(0);
        uint16_t code = 0;
        {
            std::scoped_lock lock(m_lock);
            if (m_hid.IsOpen()) {
                code = CodeOf(m_hid, report.data(), bytes);
            }
        }
        if (code != 0) {
            Dispatch(code);
        }
    }
}

void ListenerThread::Dispatch(uint16_t code) {
    if (m_kind == kListenerKindA) {
        lastCodeA = code;
    }
    ThreadDebugLine("接收到自动添加设备的同步信息要求  TEST");
    const bool resync =
        code == kCodeResync || (m_kind == kListenerKindA && code == kCodeProfilesChanged);
    if (resync) {
        ThreadDebugLine("接收到自动添加设备的同步信息要求");
        m_host.RequestResync();
    } else if (code > kCodeResync) {
        m_host.HandleSyncCode(code);
    }
}

}  // namespace ravo
