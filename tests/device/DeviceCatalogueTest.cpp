#include "device/DeviceCatalogue.h"
#include "device/DeviceSlotList.h"

#include <gtest/gtest.h>

#include <cctype>

namespace ravo {
namespace {

TEST(DeviceCatalogueTest, TablesHaveTheirFixedSizes) {
    EXPECT_EQ(SupportTable().size(), kSupportRowCount);
    EXPECT_EQ(DeviceKindTable().size(), kDeviceKindCount);
    EXPECT_EQ(DevicePageTable().size(), kDeviceKindCount);
    EXPECT_EQ(UpdateCatalogue().size(), kUpdateRowCount);
    for (const DeviceSupportEntry& row : SupportTable()) {
        EXPECT_EQ(row.inUse, 0);
        EXPECT_TRUE(row.path.empty());
    }
}

TEST(DeviceCatalogueTest, Lookups) {
    struct Case {
        int vendor, product, type, role, supportRow, kind;
    };
    const Case cases[] = {
        {0x320F, 0x5078, 1, 0, 0, 1},   {0x320F, 0x5078, 1, 255, 1, -1},
        {0x320F, 0x5001, 9, 0, 2, -1},  // no kind row for the keyboard's receiver
        {0x320F, 0x221C, 2, 0, 4, 0},   {0x320F, 0x221D, 6, 255, 7, -1},
        {0x320F, 0x1004, 3, 0, 8, 2},   {0x0C76, 0x1630, 7, 0, 10, 3},
        {0x320F, 0x5078, 9, 0, -1, -1},  // type must match too
        {0, 0, 0, 0, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.product << " type " << std::dec << c.type
                                        << " role " << c.role);
        EXPECT_EQ(FindSupportRow(c.vendor, c.product, c.type, c.role), c.supportRow);
        EXPECT_EQ(FindDeviceKind(c.vendor, c.product, c.type, c.role), c.kind);
    }
}

TEST(DeviceCatalogueTest, PartnersPointAtEachOther) {
    const auto& table = SupportTable();
    for (size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(i);
        if (i >= 8) {
            EXPECT_EQ(table[i].hasPartner, 0);
            EXPECT_EQ(table[i].partnerIndex, 0);
            continue;
        }
        ASSERT_EQ(table[i].hasPartner, 1);
        const DeviceSupportEntry& partner = table[table[i].partnerIndex];
        EXPECT_EQ(partner.partnerIndex, i);
        EXPECT_EQ(partner.role, table[i].role);
        EXPECT_EQ(partner.collectionNumber, table[i].collectionNumber);
    }
    EXPECT_EQ(table[2].partnerIndex, 0);
    EXPECT_EQ(table[0].partnerIndex, 2);
}

TEST(DeviceCatalogueTest, EntryEqualityIgnoresClaimAndPartner) {
    DeviceSupportEntry a = SupportTable()[0];
    DeviceSupportEntry b = a;
    b.inUse = 1;
    b.path = "\\\\?\\hid#vid_320f&pid_5078&mi_01&col04#x";
    b.hasPartner = 0;
    b.partnerIndex = 7;
    EXPECT_TRUE(SameEntry(a, b));
    const auto differs = [&](auto change) {
        DeviceSupportEntry c = a;
        change(c);
        return !SameEntry(a, c);
    };
    EXPECT_TRUE(differs([](auto& e) { e.vendorId = 1; }));
    EXPECT_TRUE(differs([](auto& e) { e.productId = 1; }));
    EXPECT_TRUE(differs([](auto& e) { e.interfaceNumber = 2; }));
    EXPECT_TRUE(differs([](auto& e) { e.collectionNumber = 3; }));
    EXPECT_TRUE(differs([](auto& e) { e.deviceType = 9; }));
    EXPECT_TRUE(differs([](auto& e) { e.role = 255; }));
    EXPECT_TRUE(differs([](auto& e) { e.usagePage = 0x0C; }));
    EXPECT_TRUE(differs([](auto& e) { e.usage = 1; }));
}

TEST(DeviceCatalogueTest, KindAndPageRows) {
    const auto& kinds = DeviceKindTable();
    const char* names[] = {"mouse", "keyboard", "MousePad", "HD"};
    const int categories[] = {1, 0, 2, 3};
    for (size_t i = 0; i < kinds.size(); ++i) {
        EXPECT_EQ(kinds[i].kindName, names[i]);
        EXPECT_EQ(kinds[i].category, categories[i]);
        EXPECT_EQ(kinds[i].layoutFile, "XML\\CustomControlXML\\DeviceOption.xml");
        EXPECT_EQ(kinds[i].headerControl, "tab_header_device");
        EXPECT_EQ(kinds[i].powerContainer, "device_power_switch");
        // The kind's identity is a command row of the supported-device table.
        EXPECT_GE(FindSupportRow(
                      static_cast<int>(kinds[i].vendorId), static_cast<int>(kinds[i].productId),
                      static_cast<int>(kinds[i].deviceType), static_cast<int>(kinds[i].role)),
                  0);
    }
    const auto& pages = DevicePageTable();
    EXPECT_EQ(pages[0].lightCount, 15u);
    EXPECT_EQ(pages[0].keyCount, 11u);
    EXPECT_EQ(pages[0].hasBattery, 1u);
    EXPECT_EQ(pages[1].lightCount, 170u);
    EXPECT_EQ(pages[1].keyCount, 170u);
    EXPECT_EQ(pages[1].pageLayoutFile, "XML\\DeviceXml\\keyboarddevice.xml");
    EXPECT_EQ(pages[3].lightCount, 13u);
    EXPECT_EQ(pages[3].pageLayoutFile, "XML\\DeviceXml\\va6533device.xml");
    for (const DevicePageRow& page : pages) {
        EXPECT_EQ(page.logoLightIndex, -1);
        EXPECT_EQ(page.presetBaseName, "veldo_light");
    }
}

TEST(DeviceCatalogueTest, UpdateCatalogueHasTheRequiredForm) {
    const auto& rows = UpdateCatalogue();
    const auto allOf = [](const std::string& s, auto pred) {
        for (unsigned char c : s)
            if (!pred(c))
                return false;
        return true;
    };
    const auto codeChar = [](unsigned char c) {
        return std::isupper(c) || std::isdigit(c) || c == '_';
    };
    const size_t projectLengths[] = {8, 8, 10, 3};
    const size_t modelLengths[] = {2, 2, 3, 11};
    const uint32_t hexFlags[] = {1, 1, 2, 0};
    const char* displayNames[] = {"MS", "KB", "R40", "AP"};
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].brand, rows[0].brand);
        EXPECT_EQ(rows[i].brand.size(), 5u);
        EXPECT_TRUE(allOf(rows[i].brand, [](unsigned char c) { return std::isupper(c); }));
        EXPECT_EQ(rows[i].projectCode.size(), projectLengths[i]);
        EXPECT_TRUE(allOf(rows[i].projectCode, codeChar));
        EXPECT_EQ(rows[i].modelCode.size(), modelLengths[i]);
        EXPECT_TRUE(allOf(rows[i].modelCode, codeChar));
        EXPECT_EQ(rows[i].hexVersion, hexFlags[i]);
        EXPECT_EQ(rows[i].productNumber, 1u);
        EXPECT_EQ(rows[i].currentVersion, 0u);
        EXPECT_EQ(rows[i].displayName, displayNames[i]);
        if (i < 3) {
            EXPECT_EQ(rows[i].modelCode, rows[i].displayName);
        }
    }
    EXPECT_EQ(rows[3].projectCode, "ALL");
    EXPECT_EQ(rows[3].versionText, "V1.0");
}

TEST(DeviceSlotListTest, ClaimAndRelease) {
    DeviceSlotList slots;
    ASSERT_EQ(slots.Count(), kSupportRowCount);
    EXPECT_TRUE(slots.AnyFree());
    EXPECT_TRUE(slots.HasFreeSlot(0x320F, 0x5078, 1, 4));
    DeviceSupportEntry candidate = SupportTable()[1];
    candidate.path = "p1";
    EXPECT_EQ(slots.Claim(candidate), 1);
    EXPECT_EQ(slots.Claim(candidate), -1) << "the only matching slot is taken";
    EXPECT_FALSE(slots.HasFreeSlot(0x320F, 0x5078, 1, 3));
    candidate.usage = 0x02;
    EXPECT_EQ(slots.Claim(candidate), -1) << "usage must match";
    EXPECT_EQ(slots.At(1).path, "p1");
    EXPECT_EQ(slots.At(1).inUse, 1);
    EXPECT_EQ(slots.Slots()[1].path, "p1");
    ASSERT_EQ(slots.Claimed().size(), 1u);
    EXPECT_EQ(slots.Claimed()[0].first, 1u);
    EXPECT_TRUE(slots.Release(1));
    EXPECT_FALSE(slots.Release(1));
    EXPECT_FALSE(slots.Release(99));
    EXPECT_TRUE(slots.At(1).IsFree());
    EXPECT_TRUE(slots.At(99).path.empty());
}

}  // namespace
}  // namespace ravo
