#include "platform/hid/HidrawBackend.h"

#include "device/HidDevice.h"
#include "device/HidReportDescriptor.h"
#include "platform/hid/HidrawConnection.h"
#include "platform/hid/HidrawPaths.h"
#include "platform/hid/HidrawSysfs.h"

#include <hidapi/hidapi.h>

#include <QLoggingCategory>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <mutex>
#include <set>

namespace ravo::platform {

namespace {

Q_LOGGING_CATEGORY(lcHidraw, "ravo.platform.hidraw", QtWarningMsg)

// hidapi keeps process-wide state: initialise once, and list from one thread at a time.
std::mutex g_hidapiMutex;
bool g_hidapiReady = false;  // guarded by g_hidapiMutex

std::string NodeName(const char* devicePath) {
    const std::string path = devicePath ? devicePath : "";
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

class HidrawBackend final : public HidBackend {
public:
    HidrawBackend(std::string sysfsRoot, std::string devRoot)
        : m_sysfsRoot(std::move(sysfsRoot)), m_devRoot(std::move(devRoot)) {}

    bool Enumerate(std::vector<std::string>& paths) override {
        struct Node {
            std::string name;
            int interfaceNumber;
        };
        std::vector<Node> nodes;
        {
            std::lock_guard lock(g_hidapiMutex);
            if (!g_hidapiReady) {
                if (hid_init() != 0) {
                    qCWarning(lcHidraw) << "hidapi cannot start";
                    return false;
                }
                g_hidapiReady = true;
            }
            hid_device_info* list = hid_enumerate(0, 0);
            std::set<std::string> seen;
            // hidapi lists a node once per top-level usage; we want each node once.
            for (hid_device_info* d = list; d; d = d->next) {
                std::string name = NodeName(d->path);
                if (name.rfind("hidraw", 0) != 0 || !seen.insert(name).second)
                    continue;
                nodes.push_back({std::move(name), d->interface_number});
            }
            hid_free_enumeration(list);
        }
        for (const Node& node : nodes) {
            HidrawNodeInfo info;
            std::string error;
            if (!ReadHidrawNodeInfo(m_sysfsRoot, node.name, &info, &error)) {
                qCDebug(lcHidraw) << "skipping" << node.name.c_str() << error.c_str();
                continue;
            }
            HidReportDescriptor descriptor;
            if (!descriptor.Parse(info.reportDescriptor, &error)) {
                qCDebug(lcHidraw) << "skipping" << node.name.c_str() << error.c_str();
                continue;
            }
            const size_t count = descriptor.Collections().size();
            if (count == 1) {
                paths.push_back(MakeHidrawInterfacePath(info.vendorId, info.productId,
                                                        node.interfaceNumber, 0, node.name));
                continue;
            }
            for (size_t c = 1; c <= count && c <= 0xFF; ++c)
                paths.push_back(MakeHidrawInterfacePath(info.vendorId, info.productId,
                                                        node.interfaceNumber,
                                                        static_cast<unsigned>(c), node.name));
        }
        return true;
    }

    bool Owns(const std::string& path) const override { return !HidrawNodeOfPath(path).empty(); }

    std::unique_ptr<HidConnection> Open(const std::string& path,
                                        const HidOpenOptions& options) override {
        const std::string node = HidrawNodeOfPath(path);
        if (node.empty())
            return nullptr;
        HidrawNodeInfo info;
        if (!ReadHidrawNodeInfo(m_sysfsRoot, node, &info, nullptr))
            return nullptr;
        // A node number is reused by the next device plugged: the path must still fit.
        if (info.vendorId != ParseVendorId(path) || info.productId != ParseProductId(path))
            return nullptr;
        HidReportDescriptor descriptor;
        if (!descriptor.Parse(info.reportDescriptor))
            return nullptr;
        const unsigned collection = ParseCollectionNumber(path);
        const size_t index = collection == 0 ? 0 : collection - 1;
        if (index >= descriptor.Collections().size())
            return nullptr;

        const std::string device = m_devRoot + "/" + node;
        int fd = -1;
        if (options.read || options.write) {
            const int access = options.read && options.write ? O_RDWR
                               : options.read                ? O_RDONLY
                                                             : O_WRONLY;
            fd = open(device.c_str(), access | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0)
                return nullptr;
            // Sharing among our own opens: an exclusive open keeps every other open out.
            if (flock(fd, (options.exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
                close(fd);
                return nullptr;
            }
        } else if (access(device.c_str(), F_OK) != 0) {
            return nullptr;  // presence check: the node is gone
        }
        auto connection = std::make_unique<HidrawConnection>(
            fd, options, HidAttributes{info.vendorId, info.productId, info.version},
            std::move(info.reportDescriptor), HidCollectionFilter(descriptor, index));
        if (!connection->Valid())
            return nullptr;
        return connection;
    }

private:
    const std::string m_sysfsRoot;
    const std::string m_devRoot;
};

}  // namespace

std::shared_ptr<HidBackend> CreateHidrawBackend(std::string sysfsRoot, std::string devRoot) {
    return std::make_shared<HidrawBackend>(std::move(sysfsRoot), std::move(devRoot));
}

}  // namespace ravo::platform
