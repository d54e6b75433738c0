#pragma once

#include "app/toolkit/Toolkit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace ravo::test {

// An own control as the panels write them: an attribute of its own, and notifications it
// raises itself ("colorchanged" on a click, a custom "dbclick" on a double click).
class ColorSwatch : public CControlT<QWidget> {
public:
    CDuiString GetClass() const override { return "ColorSwatch"; }
    bool SetAttribute(const CDuiString& name, const CDuiString& value) override {
        if (name == "tint")
            return ui::ParseColor(value, &tint);
        return false;
    }
    void DoTimer(int id) override {
        timerIds.push_back(id);
        CControlT<QWidget>::DoTimer(id);
    }

    quint32 tint = 0;
    std::vector<int> timerIds;

protected:
    void mouseReleaseEvent(QMouseEvent*) override { SendNotify(notify::kColorChanged, tint); }
    void mouseDoubleClickEvent(QMouseEvent*) override { SendNotify("dbclick"); }
};

struct Received {
    QString type;
    QString sender;
    quintptr wParam;
    qintptr lParam;
    QThread* thread;
};

// A window over a layout that records every notification and timer it gets.
class RecordingWindow : public CWindowUI {
public:
    explicit RecordingWindow(CDuiString layout) : m_layout(std::move(layout)) {}

    CDuiString GetSkinFile() const override { return m_layout; }
    CDuiString GetWindowClassName() const override { return "RecordingWnd"; }
    QWidget* CreateControl(const CDuiString& className, QWidget* parent) override {
        if (className.CompareNoCase("ColorSwatch") == 0) {
            auto* swatch = new ColorSwatch;
            swatch->setParent(parent);
            swatch->setMinimumSize(20, 20);
            return swatch;
        }
        return nullptr;
    }
    void Notify(TNotifyUI& msg) override {
        received.push_back({msg.sType.GetData(), msg.SenderName().GetData(), msg.wParam, msg.lParam,
                            QThread::currentThread()});
        if (onNotify)
            onNotify(msg);
    }
    void OnTimer(int id) override {
        windowTimers.push_back(id);
        CWindowUI::OnTimer(id);
    }
    void OnMenuCommand(const CDuiString& item) override { menuItems.push_back(item.GetData()); }

    // Notifications of one type from one sender.
    int Count(const QString& type, const QString& sender) const {
        int n = 0;
        for (const Received& r : received)
            n += (r.type == type && r.sender == sender) ? 1 : 0;
        return n;
    }
    const Received* Last(const QString& type, const QString& sender = QString()) const {
        for (auto it = received.rbegin(); it != received.rend(); ++it) {
            if (it->type == type && (sender.isNull() || it->sender == sender))
                return &*it;
        }
        return nullptr;
    }

    std::vector<Received> received;
    std::vector<int> windowTimers;
    std::vector<QString> menuItems;
    std::function<void(TNotifyUI&)> onNotify;

private:
    CDuiString m_layout;
};

// Runs the event loop until `done` holds or `timeoutMs` passed; true when it holds.
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

// Points the toolkit at the test skin folder with language "a".
class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override {
        CResourceManager& resources = CResourceManager::Instance();
        resources.Release();
        resources.SetResourcePath(QStringLiteral(RAVO_TOOLKIT_TEST_DATA));
        QString error;
        ASSERT_TRUE(resources.LoadResource("res.xml", &error)) << error.toStdString();
        ASSERT_TRUE(resources.LoadLanguage("lan_a.xml", &error)) << error.toStdString();
    }
    void TearDown() override { CResourceManager::Instance().Release(); }

    // A shown window over the controls layout, its "windowinit" delivered.
    std::unique_ptr<RecordingWindow> OpenControls() {
        auto window = std::make_unique<RecordingWindow>("XML_CONTROLS");
        QString error;
        EXPECT_TRUE(window->Create(nullptr, "Controls", 0, 0, 600, 500, &error))
            << error.toStdString();
        window->show();
        EXPECT_TRUE(WaitFor([&] { return window->IsWindowInitDone(); }));
        window->received.clear();
        return window;
    }
};

}  // namespace ravo::test
