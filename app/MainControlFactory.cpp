#include "app/MainControlFactory.h"

#include "app/toolkit/LayoutLoader.h"
#include "devices/NorvexKeyboardDevice.h"
#include "panels/AudioRecordUI.h"
#include "panels/CircleProgressUI.h"
#include "panels/DeviceKeyButtonUI.h"
#include "panels/HandImgButtonUI.h"
#include "panels/HandImgSelectButtonUI.h"
#include "panels/RedioMacroButtonUI.h"
#include "panels/SelectPanelUI.h"

#include <string_view>

namespace ravo {

namespace {

using Creator = QWidget* (*)(QWidget* parent);

template <class T>
QWidget* Make(QWidget* parent) {
    auto* control = new T();
    control->setParent(parent);
    return control;
}

struct ClassRow {
    std::string_view name;
    Creator create;  // null: the class is not part of the program yet
};

// Program objects, created directly.
const ClassRow kClasses[] = {
    {"CircleProgress", &Make<CCircleProgressUI>},
    {"SelectPanel", &Make<CSelectPanelUI>},
    {"DeviceKeyButton", &Make<CDeviceKeyButtonUI>},
    {"HandImgButton", &Make<CHandImgButtonUI>},
    {"AudioRecord", &Make<CAudioRecordUI>},
    {"HandImgSelectButton", &Make<CHandImgSelectButtonUI>},
    {"RedioMacroButton", &Make<CRedioMacroButtonUI>},
    {"ComboEditContainerElement", nullptr},
    {"NorvexMousePadDevice", nullptr},
    {"NorvexVA6533Device", nullptr},
    {"NorvexMouseDevice", nullptr},
    {"NorvexKeyboardDevice", &Make<CNorvexKeyboardDevice>},
    {"DeviceProfile", nullptr},
    {"LightControl", nullptr},
    {"MagicControl", nullptr},
    {"Voice6533Control", nullptr},
    {"KeySetControl", nullptr},
    {"ShootControl", nullptr},
};

struct SubLayoutRow {
    std::string_view name;
    std::string_view layout;
};

// Controls built from a sub-layout file (without the window's callback).
const SubLayoutRow kSubLayouts[] = {
    {"DeviceProfileUI", "XML\\CustomControlXML\\DeviceProfile.xml"},
    {"LightSetControlUI", "XML\\CustomControlXML\\LightControl.xml"},
    {"Voice6533SetControlUI", "XML\\CustomControlXML\\Voice6533Control.xml"},
    {"MagicSetControlUI", "XML\\CustomControlXML\\MagicControl.xml"},
    {"KeySetControlUI", "XML\\CustomControlXML\\KeySetControl.xml"},
    {"MacroSetControlUI", "XML\\CustomControlXML\\MacroControl.xml"},
    {"ShootKeySetControlUI", "XML\\CustomControlXML\\ShootControl.xml"},
    {"VirtualSetControlUI", "XML\\CustomControlXML\\VirtualSet.xml"},
};

bool SameName(const CDuiString& a, std::string_view b) {
    return a.GetData().compare(QLatin1String(b.data(), static_cast<qsizetype>(b.size())),
                               Qt::CaseInsensitive) == 0;
}

}  // namespace

QWidget* CreateMainControl(const CDuiString& className, QWidget* parent,
                           const ControlCallback& /*callback*/) {
    for (const ClassRow& row : kClasses) {
        if (SameName(className, row.name))
            return row.create ? row.create(parent) : nullptr;
    }
    for (const SubLayoutRow& row : kSubLayouts) {
        if (SameName(className, row.name)) {
            return CLayoutLoader::Load(
                QString::fromLatin1(row.layout.data(), static_cast<qsizetype>(row.layout.size())),
                parent);
        }
    }
    return nullptr;
}

}  // namespace ravo
