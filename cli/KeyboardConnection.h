#pragma once

#include "device/CommandLink.h"

#include <cstdint>
#include <string>

namespace ravo::cli {

// Exit codes of the keyboard commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitDeviceError = 1;  // no keyboard, no answer, a rejected command
inline constexpr int kExitUsage = 2;

// The first keyboard on the bus (real or virtual), its command interface opened on a command
// link by cable or through its receiver, as the device list would open it.
class KeyboardConnection {
public:
    KeyboardConnection() = default;
    ~KeyboardConnection();
    KeyboardConnection(const KeyboardConnection&) = delete;
    KeyboardConnection& operator=(const KeyboardConnection&) = delete;

    // False with a message when no keyboard is present or its interface does not open.
    bool Open(std::string* error);

    CommandLink& Link() { return m_link; }
    const std::string& Path() const { return m_path; }
    bool ThroughReceiver() const { return m_receiver; }

private:
    CommandLink m_link;
    std::string m_path;
    bool m_receiver = false;
};

// A command result as the user reads it.
std::string DescribeResult(int32_t result);

}  // namespace ravo::cli
