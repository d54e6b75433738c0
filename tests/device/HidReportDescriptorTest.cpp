// ctest-labels: asan
#include "device/HidReportDescriptor.h"
#include "virtualbus/KeyboardInterfaces.h"

#include <gtest/gtest.h>

namespace ravo {
namespace {

HidReportDescriptor ParseKeyboard() {
    HidReportDescriptor descriptor;
    std::string error;
    EXPECT_TRUE(descriptor.Parse(virt::KeyboardInterface1Descriptor(), &error)) << error;
    return descriptor;
}

TEST(HidReportDescriptorTest, KeyboardInterfaceHasFourCollectionsWithTheirUsagesAndLengths) {
    const HidReportDescriptor descriptor = ParseKeyboard();
    ASSERT_EQ(descriptor.Collections().size(), 4u);
    EXPECT_TRUE(descriptor.UsesReportIds());

    struct Expected {
        uint16_t usagePage, usage;
        uint8_t reportId;
        uint16_t inputLength, outputLength;
    };
    const Expected expected[] = {
        {0x0001, 0x06, 1, 17, 0},
        {0x0001, 0x80, 2, 2, 0},
        {0x000C, 0x01, 3, 3, 0},
        {0xFF1C, 0x92, 4, 64, 64},
    };
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const HidTopLevelCollection& c = descriptor.Collections()[i];
        EXPECT_EQ(c.usagePage, expected[i].usagePage);
        EXPECT_EQ(c.usage, expected[i].usage);
        EXPECT_EQ(c.reportIds, std::vector<uint8_t>{expected[i].reportId});
        EXPECT_EQ(c.Reports(HidReportType::Input).byteLength, expected[i].inputLength);
        EXPECT_EQ(c.Reports(HidReportType::Output).byteLength, expected[i].outputLength);
        EXPECT_EQ(c.Reports(HidReportType::Feature).byteLength, 0);
        EXPECT_EQ(descriptor.CollectionOfReportId(expected[i].reportId), static_cast<int>(i));
    }
    EXPECT_EQ(descriptor.CollectionOfReportId(9), -1);
}

TEST(HidReportDescriptorTest, ConsumerCollectionIsOneArrayButtonCap) {
    const HidReportDescriptor descriptor = ParseKeyboard();
    const auto& input = descriptor.Collections()[2].Reports(HidReportType::Input);
    ASSERT_EQ(input.buttonCaps.size(), 1u);
    EXPECT_TRUE(input.valueCaps.empty());
    const HidButtonCaps& cap = input.buttonCaps[0];
    EXPECT_TRUE(cap.isArray);
    EXPECT_EQ(cap.usagePage, 0x0C);
    EXPECT_EQ(cap.usageMin, 0);
    EXPECT_EQ(cap.usageMax, 0x7FFF);
    EXPECT_EQ(cap.reportSize, 16);
    EXPECT_EQ(HidMaxUsageListLength(descriptor.Collections()[2], HidReportType::Input, 0x0C), 1u);
}

TEST(HidReportDescriptorTest, ConsumerReportYieldsItsEventCode) {
    const HidReportDescriptor descriptor = ParseKeyboard();
    const HidTopLevelCollection& consumer = descriptor.Collections()[2];
    struct Case {
        std::vector<uint8_t> report;
        uint32_t status;
        std::vector<uint16_t> usages;
    };
    const Case cases[] = {
        {{3, 0x02, 0x04}, kHidStatusSuccess, {0x402}},
        {{3, 0x02, 0x11}, kHidStatusSuccess, {0x1102}},
        {{3, 0x00, 0x00}, kHidStatusSuccess, {}},        // nothing pressed
        {{3, 0xFF, 0xFF}, kHidStatusSuccess, {}},        // outside the logical range
        {{3, 0x02}, kHidStatusInvalidReportLength, {}},  // short read
        {{4, 0x02, 0x04}, kHidStatusIncompatibleReportId, {}},
    };
    for (const Case& c : cases) {
        uint16_t usages[4] = {};
        uint32_t count = 4;
        EXPECT_EQ(HidGetUsages(consumer, HidReportType::Input, 0x0C, c.report, usages, &count),
                  c.status);
        EXPECT_EQ(std::vector<uint16_t>(usages, usages + count), c.usages);
    }
}

TEST(HidReportDescriptorTest, BitmapButtonsAndValues) {
    const HidReportDescriptor descriptor = ParseKeyboard();
    const HidTopLevelCollection& keys = descriptor.Collections()[0];
    std::vector<uint8_t> report(17, 0);
    report[0] = 1;
    report[1] = 0x02;                          // left shift (0xE1)
    report[2 + 0x04 / 8] |= 1u << (0x04 % 8);  // A
    report[2 + 0x1D / 8] |= 1u << (0x1D % 8);  // Z
    uint16_t usages[8] = {};
    uint32_t count = 2;  // too small for three keys
    EXPECT_EQ(HidGetUsages(keys, HidReportType::Input, 0x07, report, usages, &count),
              kHidStatusBufferTooSmall);
    EXPECT_EQ(count, 2u);
    count = 8;
    ASSERT_EQ(HidGetUsages(keys, HidReportType::Input, 0x07, report, usages, &count),
              kHidStatusSuccess);
    EXPECT_EQ(std::vector<uint16_t>(usages, usages + count),
              (std::vector<uint16_t>{0xE1, 0x04, 0x1D}));

    const HidTopLevelCollection& vendor = descriptor.Collections()[3];
    std::vector<uint8_t> answer(64, 0);
    answer[0] = 4;
    answer[1] = 0x7F;
    uint32_t raw = 0;
    EXPECT_EQ(HidGetUsageValue(vendor, HidReportType::Input, 0xFF1C, 1, answer, &raw),
              kHidStatusSuccess);
    EXPECT_EQ(raw, 0x7Fu);
    int32_t scaled = 0;
    EXPECT_EQ(HidGetScaledUsageValue(vendor, HidReportType::Input, 0xFF1C, 1, answer, &scaled),
              kHidStatusSuccess);
    EXPECT_EQ(scaled, 0x7F);
    EXPECT_EQ(HidGetUsageValue(vendor, HidReportType::Input, 0xFF1C, 7, answer, &raw),
              kHidStatusUsageNotFound);
}

TEST(HidReportDescriptorTest, DescriptorWithoutReportIdsCountsTheZeroIdByte) {
    HidReportDescriptor descriptor;
    ASSERT_TRUE(descriptor.Parse(virt::KeyboardInterface0Descriptor()));
    EXPECT_FALSE(descriptor.UsesReportIds());
    ASSERT_EQ(descriptor.Collections().size(), 1u);
    const HidTopLevelCollection& c = descriptor.Collections()[0];
    EXPECT_TRUE(c.reportIds.empty());
    EXPECT_EQ(c.Reports(HidReportType::Input).byteLength, 9);
    EXPECT_EQ(c.Reports(HidReportType::Output).byteLength, 2);
    // Boot report: modifiers, reserved byte, six key slots; report ID byte 0 in front.
    const std::vector<uint8_t> report = {0, 0x00, 0, 0x04, 0x05, 0, 0, 0, 0};
    uint16_t usages[6] = {};
    uint32_t count = 6;
    ASSERT_EQ(HidGetUsages(c, HidReportType::Input, 0x07, report, usages, &count),
              kHidStatusSuccess);
    EXPECT_EQ(std::vector<uint16_t>(usages, usages + count), (std::vector<uint16_t>{4, 5}));
}

TEST(HidReportDescriptorTest, SignedValuesAndPhysicalScaling) {
    const std::vector<uint8_t> bytes = {
        0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,  // Generic Desktop / Mouse / Application
        0x09, 0x01, 0xA1, 0x00,              //   Pointer / Physical
        0x09, 0x30, 0x09, 0x31,              //     X, Y
        0x15, 0x81, 0x25, 0x7F,              //     Logical -127..127
        0x35, 0x00, 0x46, 0xFE, 0x00,        //     Physical 0..254
        0x75, 0x08, 0x95, 0x02, 0x81, 0x06,  //     2 x 8 bits, Input (Data, Var, Rel)
        0xC0, 0xC0,
    };
    HidReportDescriptor descriptor;
    ASSERT_TRUE(descriptor.Parse(bytes));
    const HidTopLevelCollection& c = descriptor.Collections()[0];
    EXPECT_EQ(c.linkCollectionNodes, 2);
    const std::vector<uint8_t> report = {0, 0xFF, 0x7F};  // X = -1, Y = 127
    uint32_t raw = 0;
    ASSERT_EQ(HidGetUsageValue(c, HidReportType::Input, 1, 0x30, report, &raw), kHidStatusSuccess);
    EXPECT_EQ(raw, 0xFFu);
    int32_t scaled = 0;
    ASSERT_EQ(HidGetScaledUsageValue(c, HidReportType::Input, 1, 0x30, report, &scaled),
              kHidStatusSuccess);
    EXPECT_EQ(scaled, 126);
    ASSERT_EQ(HidGetScaledUsageValue(c, HidReportType::Input, 1, 0x31, report, &scaled),
              kHidStatusSuccess);
    EXPECT_EQ(scaled, 254);
}

TEST(HidReportDescriptorTest, MalformedDescriptorsAreRefused) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"empty", {}},
        {"truncated item", {0x05, 0x01, 0x09}},
        {"truncated four-byte item", {0x07, 0x01, 0x02}},
        {"end without collection", {0xC0}},
        {"collection left open", {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01}},
        {"no collection", {0x05, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02}},
        {"report ID 0", {0x09, 0x01, 0xA1, 0x01, 0x85, 0x00, 0xC0}},
        {"pop without push", {0xB4}},
        {"report size beyond 32 bits",
         {0x09, 0x01, 0xA1, 0x01, 0x09, 0x01, 0x75, 0x40, 0x95, 0x01, 0x81, 0x02, 0xC0}},
        {"report beyond 4096 bytes",
         {0x09, 0x01, 0xA1, 0x01, 0x09, 0x01, 0x75, 0x20, 0x96, 0x00, 0x10, 0x81, 0x02, 0x81, 0x02,
          0xC0}},
        {"usage range backwards", {0x19, 0x05, 0x29, 0x01}},
        {"truncated long item", {0xFE, 0x05, 0x00, 0x01}},
    };
    for (const Case& c : cases) {
        HidReportDescriptor descriptor;
        std::string error;
        EXPECT_FALSE(descriptor.Parse(c.bytes, &error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
        EXPECT_TRUE(descriptor.Collections().empty()) << c.what;
    }
    HidReportDescriptor deep;
    std::vector<uint8_t> nested;
    for (int i = 0; i < 40; ++i)
        nested.insert(nested.end(), {0xA1, 0x00});
    EXPECT_FALSE(deep.Parse(nested));
    EXPECT_FALSE(deep.Parse(std::vector<uint8_t>(5000, 0xC0)));
}

TEST(HidReportDescriptorTest, EveryTruncationOfTheKeyboardDescriptorIsHandled) {
    const auto full = virt::KeyboardInterface1Descriptor();
    for (size_t n = 0; n < full.size(); ++n) {
        HidReportDescriptor descriptor;
        const bool ok = descriptor.Parse(std::span<const uint8_t>(full.data(), n));
        // A cut between top-level collections leaves a shorter valid descriptor.
        EXPECT_EQ(ok, !descriptor.Collections().empty());
        EXPECT_LT(descriptor.Collections().size(), 4u);
    }
}

}  // namespace
}  // namespace ravo
