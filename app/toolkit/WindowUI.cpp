#include "app/toolkit/WindowUI.h"

#include "app/toolkit/ControlOps.h"
#include "app/toolkit/ControlTimers.h"
#include "app/toolkit/LayoutLoader.h"
#include "app/toolkit/UiThread.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace ravo {

CWindowUI::CWindowUI(QWidget* parent) : QDialog(parent) {}

CWindowUI::~CWindowUI() = default;

QWidget* CWindowUI::CreateControl(const CDuiString& /*className*/, QWidget* /*parent*/) {
    return nullptr;
}

void CWindowUI::Notify(TNotifyUI& /*msg*/) {}

void CWindowUI::OnTimer(int id) {
    TNotifyUI msg{notify::kTimer, this, static_cast<quintptr>(id), 0};
    SendNotify(msg);
}

void CWindowUI::OnMenuCommand(const CDuiString& /*item*/) {}

bool CWindowUI::HandleCustomMessage(unsigned /*message*/, quintptr /*wParam*/, qintptr /*lParam*/) {
    return false;
}

bool CWindowUI::Create(QWidget* parent, const CDuiString& caption, int x, int y, int cx, int cy,
                       QString* error) {
    if (m_root != nullptr) {
        if (error != nullptr)
            *error = QStringLiteral("window already created");
        return false;
    }
    if (parent != nullptr)
        setParent(parent, windowFlags());
    setObjectName(GetWindowClassName().GetData());
    QWidget* root = CLayoutLoader::Load(
        GetSkinFile(), this,
        [this](const CDuiString& className, QWidget* p) { return CreateControl(className, p); },
        error);
    if (root == nullptr)
        return false;
    m_root = root;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(root);
    setWindowTitle(caption.GetData());
    move(x, y);
    resize(cx, cy);
    InitWindow();
    // InitWindow may have loaded the language the resource texts come from.
    ui::RefreshResourceTexts(root);
    QMetaObject::invokeMethod(
        this, [this] { DeliverWindowInit(); }, Qt::QueuedConnection);
    return true;
}

void CWindowUI::DeliverWindowInit() {
    if (m_initDone)
        return;
    m_initDone = true;
    TNotifyUI msg{notify::kWindowInit, m_root.data(), 0, 0};
    SendNotify(msg);
}

int CWindowUI::ShowModal() {
    setWindowModality(parentWidget() != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    return exec();
}

void CWindowUI::ShowWindow(bool show) {
    setVisible(show);
}

void CWindowUI::Close(int result) {
    done(result);
}

void CWindowUI::CenterWindow() {
    QRect area;
    if (QWidget* owner = parentWidget(); owner != nullptr && owner->isVisible())
        area = owner->window()->frameGeometry();
    else if (QScreen* s = screen() != nullptr ? screen() : QGuiApplication::primaryScreen())
        area = s->availableGeometry();
    if (area.isNull())
        return;
    const QSize size = frameGeometry().size().expandedTo(this->size());
    move(area.x() + (area.width() - size.width()) / 2,
         area.y() + (area.height() - size.height()) / 2);
}

QWidget* CWindowUI::FindControl(const CDuiString& name) const {
    return ui::FindControl(m_root, name);
}

void CWindowUI::AddNotifier(INotifyUI* notifier) {
    if (notifier != nullptr &&
        std::find(m_notifiers.begin(), m_notifiers.end(), notifier) == m_notifiers.end())
        m_notifiers.push_back(notifier);
}

void CWindowUI::RemoveNotifier(INotifyUI* notifier) {
    m_notifiers.erase(std::remove(m_notifiers.begin(), m_notifiers.end(), notifier),
                      m_notifiers.end());
}

void CWindowUI::SendNotify(TNotifyUI& msg) {
    QPointer<QWidget> guard(this);
    Notify(msg);
    // A handler may close and delete the window; the sub-notifiers then hear nothing.
    if (guard.isNull())
        return;
    const std::vector<INotifyUI*> notifiers = m_notifiers;
    for (INotifyUI* notifier : notifiers) {
        if (std::find(m_notifiers.begin(), m_notifiers.end(), notifier) != m_notifiers.end())
            notifier->Notify(msg);
    }
}

void CWindowUI::SetTimer(int id, int periodMs) {
    ui::SetTimer(this, id, periodMs);
}

void CWindowUI::KillTimer(int id) {
    ui::KillTimer(this, id);
}

void CWindowUI::PostMessage(unsigned message, quintptr wParam, qintptr lParam) {
    ui::PostToObjectThread(
        this, [this, message, wParam, lParam] { HandleCustomMessage(message, wParam, lParam); });
}

void CWindowUI::keyPressEvent(QKeyEvent* event) {
    // Escape does not close the program's windows; each has its own close button.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace ravo
