#include "device/HidReportDescriptor.h"

#include <algorithm>
#include <map>
#include <set>

namespace ravo {

namespace {

constexpr size_t kMaxUsageEntries = 1024;
constexpr size_t kMaxStackDepth = 16;
constexpr size_t kMaxCollectionDepth = 32;
constexpr uint32_t kMaxReportSize = 32;  // bits per field we can decode
constexpr uint32_t kMaxReportCount = 4096;
constexpr uint32_t kMaxReportBits = 8u * 4096u;

struct GlobalState {
    uint16_t usagePage = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint8_t reportId = 0;
};

struct UsageEntry {
    bool hasPage = false;  // the usage carried its own page (four-byte usage)
    uint16_t page = 0;
    uint16_t min = 0;
    uint16_t max = 0;
};

struct LocalState {
    std::vector<UsageEntry> usages;
    bool haveMin = false;
    bool haveMax = false;
    UsageEntry pendingRange;

    void Clear() { *this = LocalState(); }
};

int32_t SignedValue(uint32_t data, uint32_t size) {
    switch (size) {
        case 1:
            return static_cast<int8_t>(data);
        case 2:
            return static_cast<int16_t>(data);
        case 4:
            return static_cast<int32_t>(data);
        default:
            return 0;
    }
}

bool Fail(std::string* error, const char* text) {
    if (error)
        *error = text;
    return false;
}

bool ReadBits(std::span<const uint8_t> report, uint32_t bitOffset, uint32_t size, uint32_t* out) {
    // bitOffset counts from the byte after the report ID.
    const uint64_t firstBit = 8ull + bitOffset;
    if (size == 0 || size > 32 || firstBit + size > 8ull * report.size())
        return false;
    uint64_t value = 0;
    for (uint32_t i = 0; i < size; ++i) {
        const uint64_t bit = firstBit + i;
        if (report[bit / 8] & (1u << (bit % 8)))
            value |= 1ull << i;
    }
    *out = static_cast<uint32_t>(value);
    return true;
}

int32_t SignExtend(uint32_t raw, uint32_t size) {
    if (size == 0 || size >= 32)
        return static_cast<int32_t>(raw);
    const uint32_t sign = 1u << (size - 1);
    return static_cast<int32_t>((raw ^ sign) - sign);
}

}  // namespace

bool HidReportDescriptor::Parse(std::span<const uint8_t> bytes, std::string* error) {
    m_collections.clear();
    m_usesReportIds = false;
    if (ParseItems(bytes, error))
        return true;
    m_collections.clear();  // a refused descriptor describes nothing
    m_usesReportIds = false;
    return false;
}

bool HidReportDescriptor::ParseItems(std::span<const uint8_t> bytes, std::string* error) {
    if (bytes.empty())
        return Fail(error, "empty report descriptor");
    if (bytes.size() > kMaxDescriptorBytes)
        return Fail(error, "report descriptor too long");

    GlobalState global;
    std::vector<GlobalState> stack;
    LocalState local;
    size_t depth = 0;
    // Bits used so far per report type and report ID, over the whole descriptor.
    std::map<std::pair<int, uint8_t>, uint32_t> reportBits;
    // Per top-level collection: the (type, ID) pairs its main items used.
    std::vector<std::set<std::pair<int, uint8_t>>> usedReports;

    size_t pos = 0;
    while (pos < bytes.size()) {
        const uint8_t prefix = bytes[pos++];
        if (prefix == 0xFE) {  // long item: skipped
            if (pos + 2 > bytes.size())
                return Fail(error, "truncated long item");
            const size_t length = bytes[pos];
            pos += 2;
            if (pos + length > bytes.size())
                return Fail(error, "truncated long item");
            pos += length;
            continue;
        }
        const uint32_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
        const uint32_t type = (prefix >> 2) & 3;
        const uint32_t tag = prefix >> 4;
        if (pos + size > bytes.size())
            return Fail(error, "truncated item");
        uint32_t data = 0;
        for (uint32_t i = 0; i < size; ++i)
            data |= static_cast<uint32_t>(bytes[pos + i]) << (8 * i);
        pos += size;

        if (type == 0) {  // main
            switch (tag) {
                case 0xA: {  // Collection
                    if (depth >= kMaxCollectionDepth)
                        return Fail(error, "collections nested too deeply");
                    if (depth == 0) {
                        HidTopLevelCollection top;
                        if (!local.usages.empty()) {
                            const UsageEntry& u = local.usages.front();
                            top.usagePage = u.hasPage ? u.page : global.usagePage;
                            top.usage = u.min;
                        }
                        m_collections.push_back(std::move(top));
                        usedReports.emplace_back();
                    }
                    if (!m_collections.empty())
                        ++m_collections.back().linkCollectionNodes;
                    ++depth;
                    break;
                }
                case 0xC:  // End Collection
                    if (depth == 0)
                        return Fail(error, "end of a collection that was not opened");
                    --depth;
                    break;
                case 0x8:    // Input
                case 0x9:    // Output
                case 0xB: {  // Feature
                    const HidReportType reportType = tag == 0x8   ? HidReportType::Input
                                                     : tag == 0x9 ? HidReportType::Output
                                                                  : HidReportType::Feature;
                    if (global.reportSize > kMaxReportSize || global.reportCount > kMaxReportCount)
                        return Fail(error, "report field beyond limits");
                    const auto key = std::make_pair(static_cast<int>(reportType), global.reportId);
                    uint32_t& bits = reportBits[key];
                    const uint32_t offset = bits;
                    bits += global.reportSize * global.reportCount;
                    if (bits > kMaxReportBits)
                        return Fail(error, "report too long");
                    if (depth == 0 || global.reportSize == 0 || global.reportCount == 0) {
                        local.Clear();
                        break;
                    }
                    HidTopLevelCollection& top = m_collections.back();
                    usedReports.back().insert(key);
                    if (global.reportId != 0 &&
                        std::find(top.reportIds.begin(), top.reportIds.end(), global.reportId) ==
                            top.reportIds.end())
                        top.reportIds.push_back(global.reportId);
                    const bool constant = data & 1;
                    const bool variable = data & 2;
                    HidCollectionReports& reports = top.reports[static_cast<size_t>(reportType)];
                    if (constant || local.usages.empty()) {
                        local.Clear();
                        break;
                    }
                    int32_t logicalMax = global.logicalMax;
                    if (global.logicalMin >= 0 && logicalMax < global.logicalMin)
                        logicalMax = static_cast<int32_t>(static_cast<uint32_t>(logicalMax) &
                                                          (global.reportSize >= 32
                                                               ? 0xFFFFFFFFu
                                                               : ((1u << global.reportSize) - 1)));
                    if (!variable) {
                        uint32_t indexBase = 0;
                        for (const UsageEntry& u : local.usages) {
                            HidButtonCaps cap;
                            cap.usagePage = u.hasPage ? u.page : global.usagePage;
                            cap.reportId = global.reportId;
                            cap.isArray = true;
                            cap.usageMin = u.min;
                            cap.usageMax = u.max;
                            cap.bitOffset = offset;
                            cap.reportSize = static_cast<uint16_t>(global.reportSize);
                            cap.reportCount = static_cast<uint16_t>(global.reportCount);
                            cap.logicalMin = global.logicalMin;
                            cap.logicalMax = logicalMax;
                            cap.arrayIndexBase = indexBase;
                            indexBase += static_cast<uint32_t>(u.max - u.min) + 1;
                            reports.dataIndices = static_cast<uint16_t>(std::min<uint32_t>(
                                0xFFFF, reports.dataIndices + u.max - u.min + 1));
                            reports.buttonCaps.push_back(cap);
                        }
                    } else {
                        uint32_t field = 0;
                        for (size_t i = 0; i < local.usages.size() && field < global.reportCount;
                             ++i) {
                            const UsageEntry& u = local.usages[i];
                            const uint32_t span = static_cast<uint32_t>(u.max - u.min) + 1;
                            const bool last = i + 1 == local.usages.size();
                            const uint32_t count = last
                                                       ? global.reportCount - field
                                                       : std::min(span, global.reportCount - field);
                            const uint16_t page = u.hasPage ? u.page : global.usagePage;
                            const uint32_t bitOffset = offset + field * global.reportSize;
                            if (global.reportSize == 1) {
                                HidButtonCaps cap;
                                cap.usagePage = page;
                                cap.reportId = global.reportId;
                                cap.usageMin = u.min;
                                cap.usageMax = u.max;
                                cap.bitOffset = bitOffset;
                                cap.reportSize = 1;
                                cap.reportCount = static_cast<uint16_t>(count);
                                cap.logicalMin = global.logicalMin;
                                cap.logicalMax = logicalMax;
                                reports.buttonCaps.push_back(cap);
                            } else {
                                HidValueCaps cap;
                                cap.usagePage = page;
                                cap.reportId = global.reportId;
                                cap.usageMin = u.min;
                                cap.usageMax = u.max;
                                cap.bitOffset = bitOffset;
                                cap.reportSize = static_cast<uint16_t>(global.reportSize);
                                cap.reportCount = static_cast<uint16_t>(count);
                                cap.logicalMin = global.logicalMin;
                                cap.logicalMax = logicalMax;
                                cap.physicalMin = global.physicalMin;
                                cap.physicalMax = global.physicalMax;
                                reports.valueCaps.push_back(cap);
                            }
                            reports.dataIndices = static_cast<uint16_t>(
                                std::min<uint32_t>(0xFFFF, reports.dataIndices + count));
                            field += count;
                        }
                    }
                    break;
                }
                default:
                    break;
            }
            local.Clear();
        } else if (type == 1) {  // global
            switch (tag) {
                case 0x0:
                    global.usagePage = static_cast<uint16_t>(data);
                    break;
                case 0x1:
                    global.logicalMin = SignedValue(data, size);
                    break;
                case 0x2:
                    global.logicalMax = SignedValue(data, size);
                    break;
                case 0x3:
                    global.physicalMin = SignedValue(data, size);
                    break;
                case 0x4:
                    global.physicalMax = SignedValue(data, size);
                    break;
                case 0x7:
                    global.reportSize = data;
                    break;
                case 0x8:
                    if (data == 0 || data > 0xFF)
                        return Fail(error, "invalid report ID");
                    global.reportId = static_cast<uint8_t>(data);
                    m_usesReportIds = true;
                    break;
                case 0x9:
                    global.reportCount = data;
                    break;
                case 0xA:
                    if (stack.size() >= kMaxStackDepth)
                        return Fail(error, "push stack overflow");
                    stack.push_back(global);
                    break;
                case 0xB:
                    if (stack.empty())
                        return Fail(error, "pop without push");
                    global = stack.back();
                    stack.pop_back();
                    break;
                default:
                    break;
            }
        } else if (type == 2) {  // local
            UsageEntry u;
            if (size == 4) {
                u.hasPage = true;
                u.page = static_cast<uint16_t>(data >> 16);
            }
            const uint16_t usage = static_cast<uint16_t>(data);
            switch (tag) {
                case 0x0:
                    u.min = u.max = usage;
                    if (local.usages.size() >= kMaxUsageEntries)
                        return Fail(error, "too many usages");
                    local.usages.push_back(u);
                    break;
                case 0x1:
                    local.pendingRange.hasPage = u.hasPage;
                    local.pendingRange.page = u.page;
                    local.pendingRange.min = usage;
                    local.haveMin = true;
                    break;
                case 0x2:
                    local.pendingRange.max = usage;
                    local.haveMax = true;
                    break;
                default:
                    break;
            }
            if (local.haveMin && local.haveMax) {
                if (local.pendingRange.max < local.pendingRange.min)
                    return Fail(error, "usage range ends before it starts");
                if (local.usages.size() >= kMaxUsageEntries)
                    return Fail(error, "too many usages");
                local.usages.push_back(local.pendingRange);
                local.haveMin = local.haveMax = false;
                local.pendingRange = UsageEntry();
            }
        }
    }
    if (depth != 0)
        return Fail(error, "collection not closed");
    if (m_collections.empty())
        return Fail(error, "no top-level collection");

    for (size_t c = 0; c < m_collections.size(); ++c) {
        for (const auto& key : usedReports[c]) {
            const uint32_t bytesNeeded = (reportBits[key] + 7) / 8 + 1;
            HidCollectionReports& reports = m_collections[c].reports[key.first];
            reports.byteLength =
                static_cast<uint16_t>(std::max<uint32_t>(reports.byteLength, bytesNeeded));
        }
    }
    return true;
}

int HidReportDescriptor::CollectionOfReportId(uint8_t reportId) const {
    for (size_t c = 0; c < m_collections.size(); ++c) {
        const auto& ids = m_collections[c].reportIds;
        if (std::find(ids.begin(), ids.end(), reportId) != ids.end())
            return static_cast<int>(c);
    }
    return -1;
}

uint32_t HidMaxUsageListLength(const HidTopLevelCollection& collection, HidReportType type,
                               uint16_t usagePage) {
    uint32_t length = 0;
    for (const HidButtonCaps& cap : collection.Reports(type).buttonCaps)
        if (cap.usagePage == usagePage)
            length += cap.reportCount;
    return length;
}

uint32_t HidGetUsages(const HidTopLevelCollection& collection, HidReportType type,
                      uint16_t usagePage, std::span<const uint8_t> report, uint16_t* usages,
                      uint32_t* count) {
    const uint32_t capacity = *count;
    *count = 0;
    if (report.empty())
        return kHidStatusInvalidReportLength;
    const uint8_t reportId = report[0];
    bool idSeen = false;
    bool pageSeen = false;
    bool tooSmall = false;
    for (const HidButtonCaps& cap : collection.Reports(type).buttonCaps) {
        if (cap.reportId != reportId)
            continue;
        idSeen = true;
        if (cap.usagePage != usagePage)
            continue;
        pageSeen = true;
        const uint32_t span = static_cast<uint32_t>(cap.usageMax - cap.usageMin) + 1;
        for (uint32_t j = 0; j < cap.reportCount; ++j) {
            uint32_t raw = 0;
            if (!ReadBits(report, cap.bitOffset + j * cap.reportSize, cap.reportSize, &raw))
                return kHidStatusInvalidReportLength;
            uint32_t usage = 0;
            if (cap.isArray) {
                const int64_t value = cap.logicalMin < 0 ? SignExtend(raw, cap.reportSize)
                                                         : static_cast<int64_t>(raw);
                if (value < cap.logicalMin || value > cap.logicalMax)
                    continue;
                const int64_t index = value - cap.logicalMin;
                if (index < cap.arrayIndexBase || index >= cap.arrayIndexBase + span)
                    continue;
                usage = cap.usageMin + static_cast<uint32_t>(index - cap.arrayIndexBase);
            } else {
                if (!raw)
                    continue;
                usage = cap.usageMin + std::min(j, span - 1);
            }
            if (usage == 0)
                continue;
            if (*count < capacity)
                usages[(*count)++] = static_cast<uint16_t>(usage);
            else
                tooSmall = true;
        }
    }
    if (!idSeen)
        return kHidStatusIncompatibleReportId;
    if (!pageSeen)
        return kHidStatusUsageNotFound;
    return tooSmall ? kHidStatusBufferTooSmall : kHidStatusSuccess;
}

namespace {

// Finds the value field of the usage in a report with this report ID.
uint32_t FindValue(const HidTopLevelCollection& collection, HidReportType type, uint16_t usagePage,
                   uint16_t usage, std::span<const uint8_t> report, const HidValueCaps** found,
                   uint32_t* raw) {
    if (report.empty())
        return kHidStatusInvalidReportLength;
    bool otherId = false;
    for (const HidValueCaps& cap : collection.Reports(type).valueCaps) {
        if (cap.usagePage != usagePage || usage < cap.usageMin || usage > cap.usageMax)
            continue;
        if (cap.reportId != report[0]) {
            otherId = true;
            continue;
        }
        const uint32_t field = std::min<uint32_t>(usage - cap.usageMin, cap.reportCount - 1u);
        if (!ReadBits(report, cap.bitOffset + field * cap.reportSize, cap.reportSize, raw))
            return kHidStatusInvalidReportLength;
        *found = &cap;
        return kHidStatusSuccess;
    }
    return otherId ? kHidStatusIncompatibleReportId : kHidStatusUsageNotFound;
}

}  // namespace

uint32_t HidGetUsageValue(const HidTopLevelCollection& collection, HidReportType type,
                          uint16_t usagePage, uint16_t usage, std::span<const uint8_t> report,
                          uint32_t* value) {
    const HidValueCaps* cap = nullptr;
    uint32_t raw = 0;
    const uint32_t status = FindValue(collection, type, usagePage, usage, report, &cap, &raw);
    if (status == kHidStatusSuccess)
        *value = raw;
    return status;
}

uint32_t HidGetScaledUsageValue(const HidTopLevelCollection& collection, HidReportType type,
                                uint16_t usagePage, uint16_t usage, std::span<const uint8_t> report,
                                int32_t* value) {
    const HidValueCaps* cap = nullptr;
    uint32_t raw = 0;
    const uint32_t status = FindValue(collection, type, usagePage, usage, report, &cap, &raw);
    if (status != kHidStatusSuccess)
        return status;
    if (cap->logicalMin >= cap->logicalMax)
        return kHidStatusBadLogPhyValues;
    int64_t physicalMin = cap->physicalMin;
    int64_t physicalMax = cap->physicalMax;
    if (physicalMin == 0 && physicalMax == 0) {
        physicalMin = cap->logicalMin;
        physicalMax = cap->logicalMax;
    }
    const int64_t v =
        cap->logicalMin < 0 ? SignExtend(raw, cap->reportSize) : static_cast<int64_t>(raw);
    if (v < cap->logicalMin || v > cap->logicalMax)
        return kHidStatusValueOutOfRange;
    const int64_t scaled =
        physicalMin + (v - cap->logicalMin) * (physicalMax - physicalMin) /
                          (static_cast<int64_t>(cap->logicalMax) - cap->logicalMin);
    *value = static_cast<int32_t>(scaled);
    return kHidStatusSuccess;
}

}  // namespace ravo
