#pragma once

#include "virtualbus/VirtualHidBus.h"
#include "virtualbus/VirtualKeyboardMemory.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace ravo::virt {

// The keyboard's firmware as one link (cable or receiver) sees it: it answers the vendor
// command reports on the command collection, announces changes made on the keyboard itself on
// the consumer collection, and misbehaves on request. Two links made over the same memory are
// the same keyboard reached two ways.
class VirtualKeyboard : public VirtualFirmware {
public:
    enum class Link { Cable, Receiver };

    static constexpr uint8_t kStatusOk = 0x00;
    static constexpr uint8_t kStatusRejected = 0xFF;
    static constexpr uint8_t kStatusFailed = 0xFE;
    static constexpr uint8_t kOfflineCode = 0xAA;

    // Codes the keyboard announces on its consumer collection.
    static constexpr uint16_t kCodeResync = 0x401;
    static constexpr uint16_t kCodeProfilesChanged = 0x402;
    static constexpr uint16_t kCodeProfile = 0x1000;        // | profile
    static constexpr uint16_t kCodeProfileNibble = 0x1100;  // | nibble << 4 | profile

    explicit VirtualKeyboard(Link link, std::shared_ptr<VirtualKeyboardMemory> memory =
                                            std::make_shared<VirtualKeyboardMemory>());

    bool OnOutputReport(VirtualDevice& device, size_t index,
                        std::span<const uint8_t> report) override;
    void OnAttached(const std::weak_ptr<VirtualDevice>& device) override;

    Link LinkKind() const { return m_link; }
    VirtualKeyboardMemory& Memory() { return *m_memory; }
    const std::shared_ptr<VirtualKeyboardMemory>& SharedMemory() const { return m_memory; }

    // Through the receiver: whether the keyboard is reachable (off line, every command is
    // answered with 0xAA in byte 3). Cable links are always on line.
    void SetOnline(bool online);

    // Faults on request; each affects only the requests that arrive after it is set.
    void DropAnswers(int count);             // the next `count` requests (-1: all) go unanswered
    void StaleAnswersBeforeNext(int count);  // answers to an earlier command come first
    // The chunkIndex-th request (from 0) with this command code gets `status` and is not
    // carried out.
    void FailChunk(uint8_t command, int chunkIndex, uint8_t status);
    // At the chunkIndex-th request with this command code the keyboard vanishes: that write
    // and every later one fail, nothing answers; `onVanish` (may be empty) runs on the
    // writer's thread, e.g. to unplug the device from the bus.
    void VanishAtChunk(uint8_t command, int chunkIndex, std::function<void()> onVanish);
    void ClearFaults();

    // Changes made on the keyboard itself. Announce sends a code on the consumer collection
    // (false when the keyboard is not attached or has vanished).
    bool Announce(uint16_t code);
    // The keyboard's own profile key: record `profile` becomes active and 0x10nn is announced.
    bool SwitchProfile(uint8_t profile);
    // A key combination changed the active record: applied, then 0x401 is announced.
    bool ChangeOnKeyboard(const std::function<void(VirtualKeyboardState&)>& change);

    // Requests received, in order (also those left unanswered).
    struct Request {
        std::array<uint8_t, 64> report{};
        size_t length = 0;
        bool answered = false;
        uint8_t status = 0;
    };
    std::vector<Request> Requests() const;
    size_t RequestCount() const;
    void ClearRequests();
    int ResumeCount() const;

private:
    struct Answer {
        std::array<uint8_t, 64> bytes{};
    };
    // Carries out one command; fills the answer's status and data.
    void Execute(const uint8_t* request, Answer& answer);
    static void Seal(Answer& answer);

    const Link m_link;
    const std::shared_ptr<VirtualKeyboardMemory> m_memory;

    mutable std::mutex m_mutex;
    std::weak_ptr<VirtualDevice> m_device;  // guarded by m_mutex
    bool m_online = true;                   // guarded by m_mutex
    bool m_vanished = false;                // guarded by m_mutex
    int m_dropAnswers = 0;                  // guarded by m_mutex
    int m_staleAnswers = 0;                 // guarded by m_mutex
    struct ChunkFault {
        bool armed = false;
        uint8_t command = 0;
        int remaining = 0;  // requests with that code still to pass
        uint8_t status = 0;
        bool vanish = false;
        std::function<void()> onVanish;
    };
    ChunkFault m_chunkFault;          // guarded by m_mutex
    uint8_t m_lastCommand = 0x01;     // guarded by m_mutex; code of the previous request
    bool m_inSettings = false;        // guarded by m_mutex
    int m_resumeCount = 0;            // guarded by m_mutex
    std::vector<Request> m_requests;  // guarded by m_mutex
};

}  // namespace ravo::virt
