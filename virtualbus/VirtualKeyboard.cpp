#include "virtualbus/VirtualKeyboard.h"

#include "virtualbus/KeyboardInterfaces.h"

#include <algorithm>
#include <cstring>

namespace ravo::virt {

namespace {

constexpr size_t kReportLength = 64;
constexpr size_t kPayload = 8;
constexpr size_t kMaxPayload = kReportLength - kPayload;

uint16_t Sum(const uint8_t* report) {
    uint32_t sum = 0;
    for (size_t i = 3; i < kReportLength; ++i)
        sum += report[i];
    return static_cast<uint16_t>(sum);
}

// Whether [offset, offset + length) lies inside a memory of `size` bytes.
bool Inside(size_t offset, size_t length, size_t size) {
    return offset <= size && length <= size - offset;
}

// The interface index of the collection with this number, or the fallback.
size_t CollectionIndex(const VirtualDevice& device, uint8_t collection, size_t fallback) {
    for (size_t i = 0; i < device.InterfaceCount(); ++i) {
        if (device.Spec(i).collectionNumber == collection)
            return i;
    }
    return fallback;
}

constexpr uint8_t kCommandCollection = 4;
constexpr uint8_t kEventCollection = 3;

}  // namespace

VirtualKeyboard::VirtualKeyboard(Link link, std::shared_ptr<VirtualKeyboardMemory> memory)
    : m_link(link),
      m_memory(memory ? std::move(memory) : std::make_shared<VirtualKeyboardMemory>()) {}

void VirtualKeyboard::OnAttached(const std::weak_ptr<VirtualDevice>& device) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_device = device;
}

void VirtualKeyboard::SetOnline(bool online) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_online = online;
}

void VirtualKeyboard::DropAnswers(int count) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_dropAnswers = count;
}

void VirtualKeyboard::StaleAnswersBeforeNext(int count) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_staleAnswers = std::max(0, count);
}

void VirtualKeyboard::FailChunk(uint8_t command, int chunkIndex, uint8_t status) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_chunkFault = ChunkFault{true, command, std::max(0, chunkIndex), status, false, {}};
}

void VirtualKeyboard::VanishAtChunk(uint8_t command, int chunkIndex,
                                    std::function<void()> onVanish) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_chunkFault = ChunkFault{true, command, std::max(0, chunkIndex), 0, true, std::move(onVanish)};
}

void VirtualKeyboard::ClearFaults() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_dropAnswers = 0;
    m_staleAnswers = 0;
    m_chunkFault = ChunkFault{};
    m_vanished = false;
}

std::vector<VirtualKeyboard::Request> VirtualKeyboard::Requests() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

size_t VirtualKeyboard::RequestCount() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests.size();
}

void VirtualKeyboard::ClearRequests() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_requests.clear();
}

int VirtualKeyboard::ResumeCount() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_resumeCount;
}

void VirtualKeyboard::Seal(Answer& answer) {
    const uint16_t sum = Sum(answer.bytes.data());
    answer.bytes[1] = static_cast<uint8_t>(sum & 0xFF);
    answer.bytes[2] = static_cast<uint8_t>(sum >> 8);
}

bool VirtualKeyboard::OnOutputReport(VirtualDevice& device, size_t index,
                                     std::span<const uint8_t> report) {
    if (report.empty() || report[0] != kKeyboardCommandReportId ||
        index != CollectionIndex(device, kCommandCollection, index))
        return true;  // not a command report: nothing to answer

    uint8_t request[kReportLength] = {};
    std::memcpy(request, report.data(), std::min(report.size(), kReportLength));
    const uint8_t code = request[3];

    // Up to two stale answers and the real one, queued after the lock is released.
    Answer answers[3];
    size_t answerCount = 0;
    std::function<void()> onVanish;
    bool fail = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        Request logged;
        std::memcpy(logged.report.data(), request, kReportLength);
        logged.length = report.size();

        bool chunkHit = false;
        if (m_chunkFault.armed && m_chunkFault.command == code) {
            if (m_chunkFault.remaining == 0) {
                chunkHit = true;
                m_chunkFault.armed = false;
            } else {
                --m_chunkFault.remaining;
            }
        }
        if (chunkHit && m_chunkFault.vanish) {
            m_vanished = true;
            onVanish = std::move(m_chunkFault.onVanish);
        }
        if (m_vanished) {
            m_requests.push_back(logged);
            fail = true;
        } else if (m_dropAnswers != 0) {
            if (m_dropAnswers > 0)
                --m_dropAnswers;
            m_requests.push_back(logged);
        } else {
            for (; m_staleAnswers > 0 && answerCount < 2; --m_staleAnswers) {
                Answer& stale = answers[answerCount++];
                stale.bytes[0] = kKeyboardCommandReportId;
                stale.bytes[3] =
                    (m_lastCommand != code) ? m_lastCommand : static_cast<uint8_t>(code ^ 0x80);
                Seal(stale);
            }
            m_staleAnswers = 0;

            Answer& answer = answers[answerCount++];
            answer.bytes[0] = kKeyboardCommandReportId;
            std::memcpy(answer.bytes.data() + 3, request + 3, 4);  // echo code, length, offset
            const bool checksumOk =
                request[1] == (Sum(request) & 0xFF) && request[2] == (Sum(request) >> 8);
            if (m_link == Link::Receiver && !m_online) {
                answer.bytes[3] = kOfflineCode;
                answer.bytes[7] = kStatusOk;
            } else if (!checksumOk) {
                answer.bytes[7] = kStatusRejected;
            } else if (chunkHit) {
                answer.bytes[7] = m_chunkFault.status;
            } else {
                Execute(request, answer);
            }
            Seal(answer);
            logged.answered = true;
            logged.status = answer.bytes[7];
            m_requests.push_back(logged);
        }
        m_lastCommand = code;
    }

    if (onVanish)
        onVanish();
    if (fail)
        return false;
    for (size_t i = 0; i < answerCount; ++i)
        device.QueueInput(index, answers[i].bytes);
    return true;
}

void VirtualKeyboard::Execute(const uint8_t* request, Answer& answer) {
    const uint8_t code = request[3];
    const size_t length = request[4];
    const size_t offset = size_t{request[5]} | size_t{request[6]} << 8;
    uint8_t* data = answer.bytes.data() + kPayload;
    const uint8_t* payload = request + kPayload;
    uint8_t status = kStatusOk;

    auto read = [&](const uint8_t* memory, size_t size) {
        if (length > kMaxPayload || !Inside(offset, length, size)) {
            status = kStatusRejected;
            return;
        }
        std::memcpy(data, memory + offset, length);
    };
    // Stores the payload; `lasting` changes are the keyboard's flash and are saved.
    auto write = [&](uint8_t* memory, size_t size, bool& changed, bool lasting) {
        if (length > kMaxPayload || !Inside(offset, length, size)) {
            status = kStatusRejected;
            return;
        }
        std::memcpy(memory + offset, payload, length);
        if (lasting)
            changed = true;
    };

    bool endOfSettings = false;
    bool written = false;
    m_memory->Access([&](VirtualKeyboardState& s, bool& changed) {
        switch (code) {
            case 0x01:  // begin settings
                m_inSettings = true;
                break;
            case 0x02:  // end settings: what was written takes effect
                m_inSettings = false;
                endOfSettings = true;
                break;
            case 0x03:
                read(s.info.data(), s.info.size());
                break;
            case 0x05:
                read(s.lightMemory.data(), s.lightMemory.size());
                break;
            case 0x06:
                write(s.lightMemory.data(), s.lightMemory.size(), changed, true);
                break;
            case 0x07:
                read(s.keyTable.data(), s.keyTable.size());
                break;
            case 0x09:
                write(s.keyTable.data(), s.keyTable.size(), changed, true);
                break;
            case 0x0B:
                write(s.colourPages.data(), s.colourPages.size(), changed, true);
                break;
            case 0x12:
                write(s.liveFrame.data(), s.liveFrame.size(), changed, false);
                break;
            case 0x15:
                write(s.macroMemory.data(), std::min(s.MacroCapacity(), s.macroMemory.size()),
                      changed, true);
                break;
            case 0x1A:
                read(s.power.data(), s.power.size());
                // Reached through its receiver the keyboard is not on its cable.
                if (status == kStatusOk && m_link == Link::Receiver && offset <= 1 &&
                    offset + length > 1 && s.power[1] == 0)
                    data[1 - offset] = 2;
                break;
            case 0x1B:
                read(s.ledMap.data(), s.ledMap.size());
                break;
            case 0x1C:  // the program takes lighting back
                ++m_resumeCount;
                break;
            case 0xAA:
                data[0] = 0xFF;  // on line
                break;
            default:  // 0x17 and unknown codes are not this keyboard's
                status = kStatusRejected;
                break;
        }
        written = changed;
    });
    answer.bytes[7] = status;
    // Like flash, changes last once the keyboard applies them: at the end of a settings
    // sequence, or at once when they arrive outside one.
    if (endOfSettings || (written && !m_inSettings))
        m_memory->Flush();
}

bool VirtualKeyboard::Announce(uint16_t code) {
    std::shared_ptr<VirtualDevice> device;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_vanished)
            return false;
        device = m_device.lock();
    }
    if (!device)
        return false;
    const uint8_t report[3] = {kKeyboardEventReportId, static_cast<uint8_t>(code & 0xFF),
                               static_cast<uint8_t>(code >> 8)};
    device->QueueInput(CollectionIndex(*device, kEventCollection, kKeyboardEventInterface), report);
    return true;
}

bool VirtualKeyboard::SwitchProfile(uint8_t profile) {
    if (profile >= VirtualKeyboardState::kRecordCount)
        return false;
    m_memory->Edit([profile](VirtualKeyboardState& s) { s.lightMemory[0] = profile; });
    return Announce(static_cast<uint16_t>(kCodeProfile | profile));
}

bool VirtualKeyboard::ChangeOnKeyboard(const std::function<void(VirtualKeyboardState&)>& change) {
    m_memory->Edit(change);
    return Announce(kCodeResync);
}

}  // namespace ravo::virt
