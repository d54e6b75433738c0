#include "app/DeviceIcons.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace ravo {
namespace {

TEST(DeviceIcons, ByTypeAndSubType) {
    struct Case {
        int type, sub;
        const char* stem;
    };
    const Case cases[] = {
        {1, 0, "kb_device"},      {9, 0, "unknow_device"},  {2, 0, "ms_device"},
        {3, 0, "hard_mp_device"}, {3, 1, "soft_mp_device"}, {4, 0, "hd_device"},
        {7, 0, "hd_device"},      {5, 0, "hub_device"},     {0, 0, "unknow_device"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stem);
        const auto icons = IconsForDevice(c.type, c.sub);
        ASSERT_TRUE(icons);
        EXPECT_EQ(icons->normal, QString("common/device_ico/%1_normal.png").arg(c.stem));
        EXPECT_EQ(icons->synchroSelected,
                  QString("common/device_ico/%1_synchro_selected.png").arg(c.stem));
        EXPECT_EQ(icons->nameText, QString("%1_name_text").arg(c.stem));
    }
    EXPECT_FALSE(IconsForDevice(3, 2));
}

TEST(DeviceIcons, EveryImageShipsInTheSkin) {
    const QString skin = QCoreApplication::applicationDirPath() + "/skin/";
    for (const char* stem : {"kb_device", "ms_device", "hard_mp_device", "soft_mp_device",
                             "hd_device", "hub_device", "unknow_device"}) {
        const DeviceIcons icons = IconsForStem(stem);
        for (const QString& file :
             {icons.normal, icons.selected, icons.synchroNormal, icons.synchroSelected})
            EXPECT_TRUE(QFileInfo::exists(skin + file)) << file.toStdString();
    }
    for (const char* file : {"powered", "powering", "power", "Phone_type_iphone",
                             "Phone_type_samsung", "Phone_type_other", "Phone_type_no_device"})
        EXPECT_TRUE(QFileInfo::exists(skin + "power/" + file + ".png")) << file;
}

}  // namespace
}  // namespace ravo
