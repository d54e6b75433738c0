#include "virtualbus/VirtualHidBus.h"

#include "device/HidDevice.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>

namespace ravo::virt {

namespace {

constexpr std::string_view kPathTag = "#ravovirt_";
constexpr size_t kQueueDepth = 64;
constexpr size_t kMaxReportBytes = 4096;

std::atomic<uint32_t> g_nextBusId{1};

class DeviceImpl;

// One open interface. Reports wait in a fixed ring whose slots keep their capacity, so a
// steady exchange allocates nothing after the first few reports.
class Connection final : public HidConnection {
public:
    Connection(std::shared_ptr<DeviceImpl> device, size_t index, HidOpenOptions options);
    ~Connection() override;

    HidAttributes Attributes() const override;
    std::vector<uint8_t> ReportDescriptor() const override;
    HidTransferStatus Read(uint8_t* buffer, size_t length, size_t* bytesRead,
                           uint32_t timeoutMs) override;
    HidTransferStatus Write(const uint8_t* buffer, size_t length, size_t* bytesWritten,
                            uint32_t timeoutMs) override;
    void Cancel() override;

    // Called by the device under its own lock.
    void Deliver(std::span<const uint8_t> report);
    void MarkGone();
    const HidOpenOptions& Options() const { return m_options; }

private:
    // Waits until `ready` holds, the connection is cancelled or gone, or the timeout passes.
    template <typename Ready>
    HidTransferStatus Wait(std::unique_lock<std::mutex>& lock, uint32_t timeoutMs, Ready ready);

    const std::shared_ptr<DeviceImpl> m_device;
    const size_t m_index;
    const HidOpenOptions m_options;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    // Guarded by m_mutex:
    std::array<std::vector<uint8_t>, kQueueDepth> m_ring;
    size_t m_head = 0;
    size_t m_count = 0;
    bool m_cancelled = false;
    bool m_gone = false;
};

class DeviceImpl final : public VirtualDevice, public std::enable_shared_from_this<DeviceImpl> {
public:
    DeviceImpl(uint32_t busId, uint32_t deviceId, std::vector<VirtualInterfaceSpec> specs,
               std::shared_ptr<VirtualFirmware> firmware)
        : m_specs(std::move(specs)), m_firmware(std::move(firmware)), m_state(m_specs.size()) {
        for (size_t i = 0; i < m_specs.size(); ++i) {
            const VirtualInterfaceSpec& spec = m_specs[i];
            char buffer[160];
            if (spec.collectionNumber != 0)
                std::snprintf(buffer, sizeof buffer,
                              "\\\\?\\hid#vid_%04x&pid_%04x&mi_%02x&col%02x#ravovirt_%u_%u_%zu#"
                              "{4d1e55b2-f16f-11cf-88cb-001111000030}",
                              spec.vendorId, spec.productId, spec.interfaceNumber,
                              spec.collectionNumber, busId, deviceId, i);
            else
                std::snprintf(buffer, sizeof buffer,
                              "\\\\?\\hid#vid_%04x&pid_%04x&mi_%02x#ravovirt_%u_%u_%zu#"
                              "{4d1e55b2-f16f-11cf-88cb-001111000030}",
                              spec.vendorId, spec.productId, spec.interfaceNumber, busId, deviceId,
                              i);
            m_paths.emplace_back(buffer);
        }
    }

    size_t InterfaceCount() const override { return m_specs.size(); }
    std::string Path(size_t index) const override {
        return index < m_paths.size() ? m_paths[index] : std::string();
    }
    const VirtualInterfaceSpec& Spec(size_t index) const override {
        static const VirtualInterfaceSpec none;
        return index < m_specs.size() ? m_specs[index] : none;
    }

    void QueueInput(size_t index, std::span<const uint8_t> report) override {
        if (report.empty() || report.size() > kMaxReportBytes)
            return;
        std::lock_guard lock(m_mutex);
        if (index >= m_state.size() || !m_state[index].plugged ||
            m_state[index].fault == InterfaceFault::Silent)
            return;
        for (Connection* connection : m_state[index].connections)
            if (connection->Options().read)
                connection->Deliver(report);
    }

    void SetFault(size_t index, InterfaceFault fault) override {
        std::lock_guard lock(m_mutex);
        if (index < m_state.size())
            m_state[index].fault = fault;
    }

    InterfaceFault Fault(size_t index) const override {
        std::lock_guard lock(m_mutex);
        return index < m_state.size() ? m_state[index].fault : InterfaceFault::None;
    }

    bool IsPlugged(size_t index) const override {
        std::lock_guard lock(m_mutex);
        return index < m_state.size() && m_state[index].plugged;
    }

    size_t OpenCount(size_t index) const override {
        std::lock_guard lock(m_mutex);
        return index < m_state.size() ? m_state[index].connections.size() : 0;
    }

    void SetPlugged(size_t index, bool plugged) {
        std::lock_guard lock(m_mutex);
        if (index >= m_state.size())
            return;
        m_state[index].plugged = plugged;
        if (!plugged)
            for (Connection* connection : m_state[index].connections)
                connection->MarkGone();
    }

    std::unique_ptr<HidConnection> Open(size_t index, const HidOpenOptions& options) {
        std::lock_guard lock(m_mutex);
        if (index >= m_state.size() || !m_state[index].plugged)
            return nullptr;
        State& state = m_state[index];
        const bool access = options.read || options.write;
        if (access && state.fault == InterfaceFault::HeldExclusively)
            return nullptr;
        if (options.read && state.fault == InterfaceFault::NoReadAccess)
            return nullptr;
        // Sharing as Windows checks it: an exclusive open admits no other writer, and no one
        // else may open while a writer-excluding open is held (presence checks still pass).
        if (access) {
            for (Connection* other : state.connections) {
                const HidOpenOptions& o = other->Options();
                if ((o.exclusive && options.write) || (options.exclusive && o.write))
                    return nullptr;
            }
        }
        auto connection = std::make_unique<Connection>(shared_from_this(), index, options);
        state.connections.push_back(connection.get());
        return connection;
    }

    void Detach(Connection* connection, size_t index) {
        std::lock_guard lock(m_mutex);
        auto& list = m_state[index].connections;
        list.erase(std::remove(list.begin(), list.end(), connection), list.end());
    }

    std::shared_ptr<VirtualFirmware> Firmware() const { return m_firmware; }

    bool AppendPluggedPaths(std::vector<std::string>& paths) const {
        std::lock_guard lock(m_mutex);
        for (size_t i = 0; i < m_state.size(); ++i)
            if (m_state[i].plugged)
                paths.push_back(m_paths[i]);
        return true;
    }

private:
    struct State {
        bool plugged = true;
        InterfaceFault fault = InterfaceFault::None;
        std::vector<Connection*> connections;  // each removes itself when destroyed
    };

    const std::vector<VirtualInterfaceSpec> m_specs;
    std::vector<std::string> m_paths;  // fixed after construction
    const std::shared_ptr<VirtualFirmware> m_firmware;

    // Lock order: m_mutex, then a connection's mutex. Never held while firmware runs.
    mutable std::mutex m_mutex;
    std::vector<State> m_state;  // guarded by m_mutex
};

Connection::Connection(std::shared_ptr<DeviceImpl> device, size_t index, HidOpenOptions options)
    : m_device(std::move(device)), m_index(index), m_options(options) {}

Connection::~Connection() {
    m_device->Detach(this, m_index);
}

HidAttributes Connection::Attributes() const {
    const VirtualInterfaceSpec& spec = m_device->Spec(m_index);
    return HidAttributes{spec.vendorId, spec.productId, spec.version};
}

std::vector<uint8_t> Connection::ReportDescriptor() const {
    return m_device->Spec(m_index).reportDescriptor;
}

template <typename Ready>
HidTransferStatus Connection::Wait(std::unique_lock<std::mutex>& lock, uint32_t timeoutMs,
                                   Ready ready) {
    const auto done = [&] { return m_cancelled || m_gone || ready(); };
    if (timeoutMs == kInfiniteTimeout)
        m_changed.wait(lock, done);
    else
        m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), done);
    if (m_cancelled)
        return HidTransferStatus::Cancelled;
    if (m_gone)
        return HidTransferStatus::Failed;
    return ready() ? HidTransferStatus::Ok : HidTransferStatus::TimedOut;
}

HidTransferStatus Connection::Read(uint8_t* buffer, size_t length, size_t* bytesRead,
                                   uint32_t timeoutMs) {
    if (bytesRead)
        *bytesRead = 0;
    if (!m_options.read || !buffer)
        return HidTransferStatus::Failed;
    std::unique_lock lock(m_mutex);
    const HidTransferStatus status = Wait(lock, timeoutMs, [this] { return m_count > 0; });
    if (status != HidTransferStatus::Ok)
        return status;
    const std::vector<uint8_t>& report = m_ring[m_head];
    const size_t n = std::min(length, report.size());
    std::copy_n(report.begin(), n, buffer);
    m_head = (m_head + 1) % kQueueDepth;
    --m_count;
    if (bytesRead)
        *bytesRead = n;
    return HidTransferStatus::Ok;
}

HidTransferStatus Connection::Write(const uint8_t* buffer, size_t length, size_t* bytesWritten,
                                    uint32_t timeoutMs) {
    if (bytesWritten)
        *bytesWritten = 0;
    if (!m_options.write || !buffer || length == 0)
        return HidTransferStatus::Failed;
    {
        std::unique_lock lock(m_mutex);
        if (m_cancelled)
            return HidTransferStatus::Cancelled;
        if (m_gone)
            return HidTransferStatus::Failed;
    }
    const InterfaceFault fault = m_device->Fault(m_index);
    if (fault == InterfaceFault::WriteStalls) {
        std::unique_lock lock(m_mutex);
        return Wait(lock, timeoutMs, [] { return false; });
    }
    if (fault != InterfaceFault::Silent) {
        if (auto firmware = m_device->Firmware())
            if (!firmware->OnOutputReport(*m_device, m_index, {buffer, length}))
                return HidTransferStatus::Failed;
    }
    if (bytesWritten)
        *bytesWritten = length;
    return HidTransferStatus::Ok;
}

void Connection::Cancel() {
    std::lock_guard lock(m_mutex);
    m_cancelled = true;
    m_changed.notify_all();
}

void Connection::Deliver(std::span<const uint8_t> report) {
    std::lock_guard lock(m_mutex);
    if (m_gone || m_cancelled)
        return;
    if (m_count == kQueueDepth) {  // full: the oldest report is lost, as on a hidraw node
        m_head = (m_head + 1) % kQueueDepth;
        --m_count;
    }
    m_ring[(m_head + m_count) % kQueueDepth].assign(report.begin(), report.end());
    ++m_count;
    m_changed.notify_all();
}

void Connection::MarkGone() {
    std::lock_guard lock(m_mutex);
    m_gone = true;
    m_changed.notify_all();
}

class BusImpl final : public VirtualHidBus {
public:
    BusImpl() : m_busId(g_nextBusId.fetch_add(1)) {
        m_tag = std::string(kPathTag) + std::to_string(m_busId) + "_";
    }

    bool Enumerate(std::vector<std::string>& paths) override {
        m_enumerations.fetch_add(1);
        for (const auto& device : Devices())
            device->AppendPluggedPaths(paths);
        return true;
    }

    bool Owns(const std::string& path) const override {
        return path.find(m_tag) != std::string::npos;
    }

    std::unique_ptr<HidConnection> Open(const std::string& path,
                                        const HidOpenOptions& options) override {
        const size_t at = path.find(m_tag);
        if (at == std::string::npos)
            return nullptr;
        unsigned deviceId = 0;
        size_t index = 0;
        if (std::sscanf(path.c_str() + at + m_tag.size(), "%u_%zu", &deviceId, &index) != 2)
            return nullptr;
        std::shared_ptr<DeviceImpl> device;
        {
            std::lock_guard lock(m_mutex);
            if (deviceId == 0 || deviceId > m_devices.size())
                return nullptr;
            device = m_devices[deviceId - 1];
        }
        if (device->Path(index) != path)
            return nullptr;
        return device->Open(index, options);
    }

    std::shared_ptr<VirtualDevice> Plug(std::vector<VirtualInterfaceSpec> interfaces,
                                        std::shared_ptr<VirtualFirmware> firmware) override {
        std::shared_ptr<DeviceImpl> device;
        {
            std::lock_guard lock(m_mutex);
            const auto deviceId = static_cast<uint32_t>(m_devices.size() + 1);
            device =
                std::make_shared<DeviceImpl>(m_busId, deviceId, std::move(interfaces), firmware);
            m_devices.push_back(device);
        }
        if (firmware)
            firmware->OnAttached(std::weak_ptr<VirtualDevice>(device));
        return device;
    }

    void Unplug(const std::shared_ptr<VirtualDevice>& device) override { SetAll(device, false); }
    void Replug(const std::shared_ptr<VirtualDevice>& device) override { SetAll(device, true); }

    void UnplugInterface(const std::shared_ptr<VirtualDevice>& device, size_t index) override {
        if (auto impl = Find(device))
            impl->SetPlugged(index, false);
    }

    void ReplugInterface(const std::shared_ptr<VirtualDevice>& device, size_t index) override {
        if (auto impl = Find(device))
            impl->SetPlugged(index, true);
    }

    uint64_t EnumerationCount() const override { return m_enumerations.load(); }

private:
    std::vector<std::shared_ptr<DeviceImpl>> Devices() const {
        std::lock_guard lock(m_mutex);
        return m_devices;
    }

    // Only devices of this bus are touched.
    std::shared_ptr<DeviceImpl> Find(const std::shared_ptr<VirtualDevice>& device) const {
        std::lock_guard lock(m_mutex);
        for (const auto& d : m_devices)
            if (d == device)
                return d;
        return nullptr;
    }

    void SetAll(const std::shared_ptr<VirtualDevice>& device, bool plugged) {
        if (auto impl = Find(device))
            for (size_t i = 0; i < impl->InterfaceCount(); ++i)
                impl->SetPlugged(i, plugged);
    }

    const uint32_t m_busId;
    std::string m_tag;  // fixed after construction
    std::atomic<uint64_t> m_enumerations{0};
    mutable std::mutex m_mutex;
    std::vector<std::shared_ptr<DeviceImpl>> m_devices;  // guarded by m_mutex; ID = index + 1
};

}  // namespace

std::shared_ptr<VirtualHidBus> VirtualHidBus::Create() {
    return std::make_shared<BusImpl>();
}

}  // namespace ravo::virt
