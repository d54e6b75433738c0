#include "app/toolkit/ControlTimers.h"

#include "app/toolkit/ControlOps.h"
#include "app/toolkit/Notify.h"
#include "app/toolkit/UiThread.h"
#include "app/toolkit/WindowUI.h"

#include <QHash>
#include <QThread>
#include <QTimerEvent>

namespace ravo::ui {

namespace {

// Lives as a child of its control, on the UI thread; maps Qt timer ids to the control's ids.
class TimerHost : public QObject {
public:
    explicit TimerHost(QWidget* control) : QObject(control), m_control(control) {
        setObjectName(QStringLiteral("ravo_timers"));
    }

    static TimerHost* Of(QWidget* control, bool create) {
        auto* host = control->findChild<TimerHost*>(QStringLiteral("ravo_timers"),
                                                    Qt::FindDirectChildrenOnly);
        if (host == nullptr && create)
            host = new TimerHost(control);
        return host;
    }

    void Set(int id, int periodMs) {
        Kill(id);
        const int qtId = startTimer(std::max(periodMs, 0), Qt::PreciseTimer);
        if (qtId != 0) {
            m_byId.insert(id, qtId);
            m_byQtId.insert(qtId, id);
        }
    }

    void Kill(int id) {
        const auto it = m_byId.find(id);
        if (it == m_byId.end())
            return;
        killTimer(*it);
        m_byQtId.remove(*it);
        m_byId.erase(it);
    }

    void KillAll() {
        for (int qtId : std::as_const(m_byId))
            killTimer(qtId);
        m_byId.clear();
        m_byQtId.clear();
    }

    bool Has(int id) const { return m_byId.contains(id); }

protected:
    void timerEvent(QTimerEvent* event) override {
        const auto it = m_byQtId.constFind(event->timerId());
        if (it == m_byQtId.constEnd())
            return;
        const int id = *it;
        if (auto* window = dynamic_cast<CWindowUI*>(m_control))
            window->OnTimer(id);
        else if (CControlUI* control = AsControl(m_control))
            control->DoTimer(id);
        else
            SendNotify(m_control, notify::kTimer, static_cast<quintptr>(id));
    }

private:
    QWidget* m_control;
    QHash<int, int> m_byId;    // control's id -> Qt timer id
    QHash<int, int> m_byQtId;  // Qt timer id -> control's id
};

template <class Fn>
void OnUiThread(QWidget* control, Fn fn) {
    RunOnObjectThread(control, std::move(fn));
}

}  // namespace

void SetTimer(QWidget* control, int id, int periodMs) {
    OnUiThread(control,
               [control, id, periodMs] { TimerHost::Of(control, true)->Set(id, periodMs); });
}

void KillTimer(QWidget* control, int id) {
    OnUiThread(control, [control, id] {
        if (TimerHost* host = TimerHost::Of(control, false))
            host->Kill(id);
    });
}

void KillAllTimers(QWidget* control) {
    OnUiThread(control, [control] {
        if (TimerHost* host = TimerHost::Of(control, false))
            host->KillAll();
    });
}

bool HasTimer(QWidget* control, int id) {
    if (control == nullptr)
        return false;
    const TimerHost* host = TimerHost::Of(control, false);
    return host != nullptr && host->Has(id);
}

}  // namespace ravo::ui
