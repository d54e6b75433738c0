#pragma once

#include "virtualbus/VirtualHidBus.h"

#include <cstdint>
#include <vector>

namespace ravo::virt {

inline constexpr uint16_t kKeyboardVendorId = 0x320F;
inline constexpr uint16_t kKeyboardCableProductId = 0x5078;
inline constexpr uint16_t kKeyboardReceiverProductId = 0x5001;
inline constexpr uint16_t kKeyboardFirmwareVersion = 0x0103;

// Report IDs of the keyboard's interface 1 (one per top-level collection).
inline constexpr uint8_t kKeyboardNkroReportId = 1;        // collection 1: keyboard bitmap
inline constexpr uint8_t kKeyboardSystemReportId = 2;      // collection 2: system control
inline constexpr uint8_t kKeyboardEventReportId = 3;       // collection 3: consumer control
inline constexpr uint8_t kKeyboardCommandReportId = 4;     // collection 4: vendor 0xFF1C/0x92
inline constexpr size_t kKeyboardCommandReportBytes = 64;  // report ID included
inline constexpr size_t kKeyboardEventReportBytes = 3;     // ID + one 16-bit usage

// Interface indexes within the lists below.
inline constexpr size_t kKeyboardCommandInterface = 0;  // &mi_01&col04, catalogue row 0 / 2
inline constexpr size_t kKeyboardEventInterface = 1;    // &mi_01&col03, catalogue row 1 / 3
// Indexes 2 and 3 are collections 1 and 2 of interface 1; index 4 is the boot keyboard
// interface 0. The program serves none of them, but a scan must pass them over.

// Report descriptor of interface 1: four top-level collections.
std::vector<uint8_t> KeyboardInterface1Descriptor();
// Report descriptor of interface 0: a boot keyboard without report IDs.
std::vector<uint8_t> KeyboardInterface0Descriptor();

// The keyboard's interfaces by cable (product 0x5078) or through its receiver (0x5001).
std::vector<VirtualInterfaceSpec> KeyboardCableInterfaces();
std::vector<VirtualInterfaceSpec> KeyboardReceiverInterfaces();

}  // namespace ravo::virt
