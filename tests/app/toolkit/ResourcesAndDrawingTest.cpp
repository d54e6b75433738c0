// ctest-labels: asan
#include "tests/app/toolkit/ToolkitFixture.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>

namespace ravo::test {
namespace {

class ResourcesAndDrawingTest : public ToolkitTest {};

TEST_F(ResourcesAndDrawingTest, ResourceNamesAndPathsResolveUnderTheSkinFolder) {
    const CResourceManager& resources = CResourceManager::Instance();
    const QString base = QStringLiteral(RAVO_TOOLKIT_TEST_DATA "/");
    EXPECT_EQ(resources.ResolvePath("XML_CONTROLS"), base + "layouts/controls.ui");
    EXPECT_EQ(resources.ResolvePath("XML\\CustomControlXML\\DeviceProfile.xml"),
              base + "XML/CustomControlXML/DeviceProfile.xml");
    EXPECT_EQ(resources.ResolvePath("/abs/file.png"), "/abs/file.png");
    EXPECT_EQ(resources.ResolvePath(""), "");
    EXPECT_EQ(resources.ResolvePath("x"), base + "x") << "only <Res> elements map names";
}

TEST_F(ResourcesAndDrawingTest, MalformedIndexKeepsThePreviousOne) {
    QTemporaryDir dir;
    const struct {
        const char* name;
        const char* text;
    } files[] = {
        {"truncated.xml", "<Resources><Res name=\"A\" file=\"a\"/>"},
        {"wrong_root.xml", "<Language/>"},
        {"binary.xml", "\x01\x02\xff\xfe"},
        {"empty.xml", ""},
    };
    CResourceManager& resources = CResourceManager::Instance();
    for (const auto& f : files) {
        QFile file(dir.filePath(f.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(f.text);
        file.close();
        QString error;
        EXPECT_FALSE(resources.LoadResource(dir.filePath(f.name), &error)) << f.name;
        EXPECT_FALSE(error.isEmpty()) << f.name;
        EXPECT_TRUE(resources.ResolvePath("XML_CONTROLS").endsWith("layouts/controls.ui"));
    }
}

TEST_F(ResourcesAndDrawingTest, ImageDescriptionsParse) {
    struct Case {
        const char* text;
        const char* file;
        QRect source;
        QRect dest;
        int fade;
    };
    const Case cases[] = {
        {"keys/a.png", "keys/a.png", {}, {}, 255},
        {"file='keys/a.png' source='0,0,20,10' fade='128'",
         "keys/a.png",
         QRect(0, 0, 20, 10),
         {},
         128},
        {"file=\"b.png\" dest='2,2,12,12'", "b.png", {}, QRect(2, 2, 10, 10), 255},
        {"file='c.png' source='1,2,3'", "c.png", {}, {}, 255},
        {"file='d.png' source='5,5,1,1' fade='999'", "d.png", {}, {}, 255},
        {"file='unterminated", "", {}, {}, 255},
        {"", "", {}, {}, 255},
    };
    for (const Case& c : cases) {
        const ImageDesc d = ParseImageDesc(c.text);
        EXPECT_EQ(d.file, c.file) << c.text;
        EXPECT_EQ(d.source, c.source) << c.text;
        EXPECT_EQ(d.dest, c.dest) << c.text;
        EXPECT_EQ(d.fade, c.fade) << c.text;
    }
}

TEST_F(ResourcesAndDrawingTest, DrawingHelpersPaint) {
    QImage canvas(20, 20, QImage::Format_ARGB32);
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        draw::DrawColor(painter, QRect(0, 0, 10, 10), 0xFFFF0000);
        draw::DrawRect(painter, QRect(10, 10, 10, 10), 2, 0xFF00FF00);
        EXPECT_TRUE(draw::DrawImageString(painter, QRect(0, 10, 4, 4), QRect(),
                                          "file='images/dot.png'", 0x0000FF, 255, true));
        EXPECT_FALSE(draw::DrawImageString(painter, QRect(0, 0, 4, 4), QRect(), "nothing.png"));
        draw::DrawText(painter, QRect(0, 0, 20, 20), "", 0xFFFFFFFF, QFont());
    }
    EXPECT_EQ(canvas.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(canvas.pixelColor(10, 10), QColor(0, 255, 0));
    EXPECT_EQ(canvas.pixelColor(14, 14), QColor(0, 0, 0)) << "only the outline";
    EXPECT_EQ(canvas.pixelColor(2, 12), QColor(0, 0, 255)) << "white dot tinted blue";
}

TEST_F(ResourcesAndDrawingTest, DpiScalesLengths) {
    CDpi dpi;
    EXPECT_EQ(dpi.GetDPI(), 96);
    EXPECT_EQ(dpi.Scale(30), 30);
    ASSERT_TRUE(dpi.SetDPI(144));
    EXPECT_EQ(dpi.Scale(30), 45);
    EXPECT_EQ(dpi.Scale(-30), -45);
    EXPECT_EQ(dpi.Scale(QSize(1000, 640)), QSize(1500, 960));
    EXPECT_EQ(dpi.GetScale(), 150);
    EXPECT_FALSE(dpi.SetDPI(0));
    EXPECT_EQ(dpi.GetDPI(), 144);
}

TEST_F(ResourcesAndDrawingTest, MenuFromLayoutReportsItsItemsToTheWindow) {
    auto window = OpenControls();
    QString error;
    QMenu* menu = CMenuUI::Popup(window.get(), "XML_MENU", QPoint(300, 300),
                                 CMenuUI::kRight | CMenuUI::kBottom, &error);
    ASSERT_NE(menu, nullptr) << error.toStdString();
    QStringList names;
    QAction* exit = nullptr;
    for (QAction* action : menu->actions()) {
        names << action->objectName();
        if (action->objectName() == "exit")
            exit = action;
    }
    EXPECT_TRUE(names.contains("setwnd_menu"));
    EXPECT_EQ(menu->actions().front()->text(), "Hello") << "resource text";
    ASSERT_NE(exit, nullptr);
    exit->trigger();
    EXPECT_EQ(window->menuItems, std::vector<QString>{"exit"});
    menu->close();

    EXPECT_EQ(CMenuUI::PlaceAt(QPoint(100, 100), QSize(40, 30), CMenuUI::kRight | CMenuUI::kBottom),
              QPoint(60, 70));
    EXPECT_EQ(CMenuUI::PlaceAt(QPoint(100, 100), QSize(40, 30), CMenuUI::kLeft | CMenuUI::kTop),
              QPoint(100, 100));
    EXPECT_EQ(CMenuUI::Build("XML_CONTROLS", nullptr, &error), nullptr) << "not a menu";
    EXPECT_EQ(CMenuUI::Build("XML_NOTHING", nullptr, &error), nullptr);
}

TEST_F(ResourcesAndDrawingTest, TrayIconCreatesAndDeletes) {
    CTrayIcon tray;
    int events = 0;
    tray.Create(QIcon(), "RAVO TKL RGB", [&](int) { ++events; });
    EXPECT_TRUE(tray.IsCreated());
    tray.SetToolTip("tip");
    tray.Delete();
    EXPECT_FALSE(tray.IsCreated());
}

}  // namespace
}  // namespace ravo::test
