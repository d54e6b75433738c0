#include "virtualbus/KeyboardInterfaces.h"

namespace ravo::virt {

std::vector<uint8_t> KeyboardInterface1Descriptor() {
    return {
        // Collection 1: keyboard, key bitmap (n-key rollover).
        0x05, 0x01,  // Usage Page (Generic Desktop)
        0x09, 0x06,  // Usage (Keyboard)
        0xA1, 0x01,  // Collection (Application)
        0x85, 0x01,  //   Report ID (1)
        0x05, 0x07,  //   Usage Page (Keyboard/Keypad)
        0x19, 0xE0,  //   Usage Minimum (0xE0)
        0x29, 0xE7,  //   Usage Maximum (0xE7)
        0x15, 0x00,  //   Logical Minimum (0)
        0x25, 0x01,  //   Logical Maximum (1)
        0x75, 0x01,  //   Report Size (1)
        0x95, 0x08,  //   Report Count (8)
        0x81, 0x02,  //   Input (Data, Variable, Absolute)
        0x19, 0x00,  //   Usage Minimum (0)
        0x29, 0x77,  //   Usage Maximum (0x77)
        0x95, 0x78,  //   Report Count (120)
        0x81, 0x02,  //   Input (Data, Variable, Absolute)
        0xC0,        // End Collection
        // Collection 2: system control.
        0x05, 0x01,  // Usage Page (Generic Desktop)
        0x09, 0x80,  // Usage (System Control)
        0xA1, 0x01,  // Collection (Application)
        0x85, 0x02,  //   Report ID (2)
        0x19, 0x81,  //   Usage Minimum (System Power Down)
        0x29, 0x83,  //   Usage Maximum (System Wake Up)
        0x15, 0x00,  //   Logical Minimum (0)
        0x25, 0x01,  //   Logical Maximum (1)
        0x75, 0x01,  //   Report Size (1)
        0x95, 0x03,  //   Report Count (3)
        0x81, 0x02,  //   Input (Data, Variable, Absolute)
        0x95, 0x05,  //   Report Count (5)
        0x81, 0x01,  //   Input (Constant) padding
        0xC0,        // End Collection
        // Collection 3: consumer control; media keys and the keyboard's event codes.
        0x05, 0x0C,        // Usage Page (Consumer)
        0x09, 0x01,        // Usage (Consumer Control)
        0xA1, 0x01,        // Collection (Application)
        0x85, 0x03,        //   Report ID (3)
        0x19, 0x00,        //   Usage Minimum (0)
        0x2A, 0xFF, 0x7F,  //   Usage Maximum (0x7FFF)
        0x15, 0x00,        //   Logical Minimum (0)
        0x26, 0xFF, 0x7F,  //   Logical Maximum (0x7FFF)
        0x75, 0x10,        //   Report Size (16)
        0x95, 0x01,        //   Report Count (1)
        0x81, 0x00,        //   Input (Data, Array, Absolute)
        0xC0,              // End Collection
        // Collection 4: vendor commands, 64-byte reports in and out.
        0x06, 0x1C, 0xFF,  // Usage Page (Vendor 0xFF1C)
        0x09, 0x92,        // Usage (0x92)
        0xA1, 0x01,        // Collection (Application)
        0x85, 0x04,        //   Report ID (4)
        0x15, 0x00,        //   Logical Minimum (0)
        0x26, 0xFF, 0x00,  //   Logical Maximum (255)
        0x75, 0x08,        //   Report Size (8)
        0x95, 0x3F,        //   Report Count (63)
        0x09, 0x01,        //   Usage (1)
        0x81, 0x02,        //   Input (Data, Variable, Absolute)
        0x09, 0x02,        //   Usage (2)
        0x91, 0x02,        //   Output (Data, Variable, Absolute)
        0xC0,              // End Collection
    };
}

std::vector<uint8_t> KeyboardInterface0Descriptor() {
    return {
        0x05, 0x01,        // Usage Page (Generic Desktop)
        0x09, 0x06,        // Usage (Keyboard)
        0xA1, 0x01,        // Collection (Application)
        0x05, 0x07,        //   Usage Page (Keyboard/Keypad)
        0x19, 0xE0,        //   Usage Minimum (0xE0)
        0x29, 0xE7,        //   Usage Maximum (0xE7)
        0x15, 0x00,        //   Logical Minimum (0)
        0x25, 0x01,        //   Logical Maximum (1)
        0x75, 0x01,        //   Report Size (1)
        0x95, 0x08,        //   Report Count (8)
        0x81, 0x02,        //   Input (Data, Variable, Absolute)
        0x75, 0x08,        //   Report Size (8)
        0x95, 0x01,        //   Report Count (1)
        0x81, 0x01,        //   Input (Constant)
        0x05, 0x08,        //   Usage Page (LEDs)
        0x19, 0x01,        //   Usage Minimum (Num Lock)
        0x29, 0x05,        //   Usage Maximum (Kana)
        0x75, 0x01,        //   Report Size (1)
        0x95, 0x05,        //   Report Count (5)
        0x91, 0x02,        //   Output (Data, Variable, Absolute)
        0x95, 0x03,        //   Report Count (3)
        0x91, 0x01,        //   Output (Constant)
        0x05, 0x07,        //   Usage Page (Keyboard/Keypad)
        0x19, 0x00,        //   Usage Minimum (0)
        0x29, 0xFF,        //   Usage Maximum (0xFF)
        0x15, 0x00,        //   Logical Minimum (0)
        0x26, 0xFF, 0x00,  // Logical Maximum (255)
        0x75, 0x08,        //   Report Size (8)
        0x95, 0x06,        //   Report Count (6)
        0x81, 0x00,        //   Input (Data, Array, Absolute)
        0xC0,              // End Collection
    };
}

namespace {

std::vector<VirtualInterfaceSpec> KeyboardInterfaces(uint16_t productId) {
    const auto interface1 = KeyboardInterface1Descriptor();
    const auto make = [&](uint8_t interfaceNumber, uint8_t collection,
                          std::vector<uint8_t> descriptor) {
        VirtualInterfaceSpec spec;
        spec.vendorId = kKeyboardVendorId;
        spec.productId = productId;
        spec.version = kKeyboardFirmwareVersion;
        spec.interfaceNumber = interfaceNumber;
        spec.collectionNumber = collection;
        spec.reportDescriptor = std::move(descriptor);
        return spec;
    };
    return {
        make(1, 4, interface1),
        make(1, 3, interface1),
        make(1, 1, interface1),
        make(1, 2, interface1),
        make(0, 0, KeyboardInterface0Descriptor()),
    };
}

}  // namespace

std::vector<VirtualInterfaceSpec> KeyboardCableInterfaces() {
    return KeyboardInterfaces(kKeyboardCableProductId);
}

std::vector<VirtualInterfaceSpec> KeyboardReceiverInterfaces() {
    return KeyboardInterfaces(kKeyboardReceiverProductId);
}

}  // namespace ravo::virt
