#include "device/HidDevice.h"

#include "device/HidBus.h"
#include "device/HidReportDescriptor.h"

#include <algorithm>
#include <cctype>

namespace ravo {

namespace {

uint16_t ParseHexAfter(std::string_view path, std::string_view marker) {
    auto it =
        std::search(path.begin(), path.end(), marker.begin(), marker.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) ==
                   std::tolower(static_cast<unsigned char>(b));
        });
    if (it == path.end())
        return 0;
    it += static_cast<std::ptrdiff_t>(marker.size());
    uint16_t value = 0;  // wraps: only the low 16 bits of the number are kept
    for (; it != path.end(); ++it) {
        const unsigned char c = static_cast<unsigned char>(*it);
        if (!std::isxdigit(c))
            break;
        const int digit = std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10;
        value = static_cast<uint16_t>(value * 16 + digit);
    }
    return value;
}

}  // namespace

uint16_t ParseVendorId(std::string_view path) {
    return ParseHexAfter(path, "vid_");
}
uint16_t ParseProductId(std::string_view path) {
    return ParseHexAfter(path, "pid_");
}
uint16_t ParseInterfaceNumber(std::string_view path) {
    return ParseHexAfter(path, "&mi_");
}
uint16_t ParseCollectionNumber(std::string_view path) {
    return ParseHexAfter(path, "&col");
}

struct HidDevice::Impl {
    std::vector<std::string> paths;
    size_t cursor = 0;

    HidOpenOptions options;

    // Guards only the connection pointer: a reader holds its own reference while it waits, so
    // Close from another thread can cancel and drop the connection without waiting for it.
    mutable std::mutex connectionMutex;
    std::shared_ptr<HidConnection> connection;

    HidReportDescriptor descriptor;
    const HidTopLevelCollection* collection = nullptr;  // into descriptor while open

    struct PerType {
        std::vector<uint8_t> buffer;
        std::vector<ReportField> fields;
    };
    std::array<PerType, 3> reports;
};

HidDevice::HidDevice() : m_impl(std::make_unique<Impl>()) {}

HidDevice::~HidDevice() {
    Close();
    ClearInterfaceList();
}

bool HidDevice::ListInterfaces() {
    ClearInterfaceList();
    std::vector<std::string> paths;
    if (!HidBus::Instance().Enumerate(paths))
        return false;
    m_impl->paths = std::move(paths);
    m_impl->cursor = 0;
    return true;
}

const std::string* HidDevice::NextInterfacePath() {
    if (m_impl->cursor >= m_impl->paths.size())
        return nullptr;
    return &m_impl->paths[m_impl->cursor++];
}

void HidDevice::ClearInterfaceList() {
    m_impl->paths.clear();
    m_impl->paths.shrink_to_fit();
    m_impl->cursor = 0;
}

bool HidDevice::IsOpen() const {
    std::lock_guard lock(m_impl->connectionMutex);
    return m_impl->connection != nullptr;
}

void HidDevice::Close() {
    std::shared_ptr<HidConnection> connection;
    {
        std::lock_guard lock(m_impl->connectionMutex);
        connection.swap(m_impl->connection);
    }
    // A transfer still inside the connection returns Cancelled and drops the last reference.
    if (connection)
        connection->Cancel();
    connection.reset();
    for (auto& perType : m_impl->reports) {
        perType.buffer = {};
        perType.fields = {};
    }
    m_impl->collection = nullptr;
    m_impl->descriptor = HidReportDescriptor();
    m_caps = HidCaps();
    m_attributes = HidAttributes();
    m_interfaceNumber = 0;
    m_collectionNumber = 0;
}

bool HidDevice::Open(std::string_view path, bool read, bool write, bool overlapped,
                     bool exclusive) {
    m_impl->options = HidOpenOptions{read, write, overlapped, exclusive};
    Close();
    // Windows paths fit 259 characters; a longer one cannot name an interface.
    if (path.size() > kMaxDevicePathLength || path.empty()) {
        m_openedPath.clear();
        return false;
    }
    m_openedPath.assign(path);

    std::shared_ptr<HidConnection> connection =
        HidBus::Instance().Open(m_openedPath, m_impl->options);
    if (!connection)
        return false;

    // Capabilities: the collection named by the path's "&col" number, else the only one.
    if (!m_impl->descriptor.Parse(connection->ReportDescriptor()))
        return false;
    const auto& collections = m_impl->descriptor.Collections();
    const uint16_t collectionNumber = ParseCollectionNumber(m_openedPath);
    const size_t index = collectionNumber == 0 ? 0 : collectionNumber - 1u;
    if (index >= collections.size()) {
        m_impl->descriptor = HidReportDescriptor();
        return false;
    }
    const HidTopLevelCollection& top = collections[index];
    m_impl->collection = &top;
    m_attributes = connection->Attributes();

    m_caps = HidCaps();
    m_caps.usage = top.usage;
    m_caps.usagePage = top.usagePage;
    m_caps.inputReportByteLength = top.Reports(HidReportType::Input).byteLength;
    m_caps.outputReportByteLength = top.Reports(HidReportType::Output).byteLength;
    m_caps.featureReportByteLength = top.Reports(HidReportType::Feature).byteLength;
    m_caps.numberLinkCollectionNodes = top.linkCollectionNodes;
    const auto count = [](size_t n) { return static_cast<uint16_t>(std::min<size_t>(n, 0xFFFF)); };
    const HidCollectionReports& in = top.Reports(HidReportType::Input);
    const HidCollectionReports& out = top.Reports(HidReportType::Output);
    const HidCollectionReports& feature = top.Reports(HidReportType::Feature);
    m_caps.numberInputButtonCaps = count(in.buttonCaps.size());
    m_caps.numberInputValueCaps = count(in.valueCaps.size());
    m_caps.numberInputDataIndices = in.dataIndices;
    m_caps.numberOutputButtonCaps = count(out.buttonCaps.size());
    m_caps.numberOutputValueCaps = count(out.valueCaps.size());
    m_caps.numberOutputDataIndices = out.dataIndices;
    m_caps.numberFeatureButtonCaps = count(feature.buttonCaps.size());
    m_caps.numberFeatureValueCaps = count(feature.valueCaps.size());
    m_caps.numberFeatureDataIndices = feature.dataIndices;

    for (size_t t = 0; t < 3; ++t) {
        const auto type = static_cast<HidReportType>(t);
        const HidCollectionReports& reports = top.Reports(type);
        Impl::PerType& perType = m_impl->reports[t];
        perType.buffer.assign(reports.byteLength, 0);
        size_t fieldCount = reports.buttonCaps.size();
        for (const HidValueCaps& cap : reports.valueCaps)
            fieldCount += static_cast<size_t>(cap.usageMax - cap.usageMin) + 1;
        perType.fields.clear();
        perType.fields.reserve(fieldCount);
        for (const HidButtonCaps& cap : reports.buttonCaps) {
            ReportField field;
            field.isButton = true;
            field.usagePage = cap.usagePage;
            field.reportId = cap.reportId;
            field.lowestUsage = cap.usageMin;
            field.highestUsage = cap.usageMax;
            field.usageListCapacity = HidMaxUsageListLength(top, type, cap.usagePage);
            field.usages.assign(field.usageListCapacity, 0);
            perType.fields.push_back(std::move(field));
        }
        for (const HidValueCaps& cap : reports.valueCaps) {
            for (uint32_t usage = cap.usageMin; usage <= cap.usageMax; ++usage) {
                ReportField field;
                field.usagePage = cap.usagePage;
                field.reportId = cap.reportId;
                field.usage = static_cast<uint16_t>(usage);
                perType.fields.push_back(std::move(field));
            }
        }
    }
    m_interfaceNumber = ParseInterfaceNumber(m_openedPath);
    m_collectionNumber = collectionNumber;

    std::lock_guard lock(m_impl->connectionMutex);
    m_impl->connection = std::move(connection);
    return true;
}

bool HidDevice::ReadReport(uint8_t* buffer, uint32_t length, uint32_t* bytes, uint32_t timeoutMs) {
    if (bytes)
        *bytes = 0;
    std::shared_ptr<HidConnection> connection;
    {
        std::lock_guard lock(m_impl->connectionMutex);
        connection = m_impl->connection;
    }
    if (!connection || !buffer)
        return false;
    size_t moved = 0;
    const HidTransferStatus status = connection->Read(buffer, length, &moved, timeoutMs);
    if (bytes)
        *bytes = static_cast<uint32_t>(moved);
    return status == HidTransferStatus::Ok;
}

bool HidDevice::WriteReport(const uint8_t* buffer, uint32_t length, uint32_t* bytes,
                            uint32_t timeoutMs) {
    if (bytes)
        *bytes = 0;
    std::shared_ptr<HidConnection> connection;
    {
        std::lock_guard lock(m_impl->connectionMutex);
        connection = m_impl->connection;
    }
    if (!connection || !buffer)
        return false;
    size_t moved = 0;
    const HidTransferStatus status = connection->Write(buffer, length, &moved, timeoutMs);
    if (bytes)
        *bytes = static_cast<uint32_t>(moved);
    return status == HidTransferStatus::Ok;
}

bool HidDevice::ExtractUsages(const uint8_t* report, uint32_t length, HidReportType type,
                              ReportField* fields, size_t fieldCount) {
    const HidTopLevelCollection* top = m_impl->collection;
    if (!top || !report || length == 0)
        return false;
    const std::span<const uint8_t> bytes(report, length);
    const uint32_t reportId = report[0];
    for (size_t i = 0; i < fieldCount; ++i) {
        ReportField& field = fields[i];
        if (field.reportId != reportId)
            continue;
        if (field.isButton) {
            uint32_t count = static_cast<uint32_t>(
                std::min<size_t>(field.usageListCapacity, field.usages.size()));
            const uint32_t capacity = count;
            field.status =
                HidGetUsages(*top, type, field.usagePage, bytes, field.usages.data(), &count);
            // Keep the usages this field covers, in order; a 0 ends a short list.
            uint32_t kept = 0;
            for (uint32_t j = 0; j < count; ++j) {
                const uint16_t usage = field.usages[j];
                if (usage >= field.lowestUsage && usage <= field.highestUsage)
                    field.usages[kept++] = usage;
            }
            if (kept < capacity)
                field.usages[kept] = 0;
        } else {
            uint32_t raw = 0;
            field.status = HidGetUsageValue(*top, type, field.usagePage, field.usage, bytes, &raw);
            if (field.status != kHidStatusSuccess)
                return false;
            field.rawValue = raw;
            int32_t scaled = 0;
            field.status =
                HidGetScaledUsageValue(*top, type, field.usagePage, field.usage, bytes, &scaled);
            if (field.status == kHidStatusSuccess)
                field.scaledValue = scaled;
        }
        field.isSet = true;
    }
    return true;
}

uint8_t* HidDevice::ReportBuffer(HidReportType type) {
    auto& buffer = m_impl->reports[static_cast<size_t>(type)].buffer;
    return buffer.empty() ? nullptr : buffer.data();
}

uint32_t HidDevice::ReportBufferLength(HidReportType type) const {
    return static_cast<uint32_t>(m_impl->reports[static_cast<size_t>(type)].buffer.size());
}

ReportField* HidDevice::Fields(HidReportType type) {
    auto& fields = m_impl->reports[static_cast<size_t>(type)].fields;
    return fields.empty() ? nullptr : fields.data();
}

size_t HidDevice::FieldCount(HidReportType type) const {
    return m_impl->reports[static_cast<size_t>(type)].fields.size();
}

}  // namespace ravo
