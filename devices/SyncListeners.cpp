#include "devices/SyncListeners.h"

namespace ravo {

SyncListeners::SyncListeners(ListenerHost& host)
    : m_a(kListenerKindA, host), m_b(kListenerKindB, host) {}

ListenerThread* SyncListeners::Find(int kind) {
    if (kind == kListenerKindA) {
        return &m_a;
    }
    if (kind == kListenerKindB) {
        return &m_b;
    }
    return nullptr;
}

bool SyncListeners::OpenListener(const std::string& path, int kind) {
    ListenerThread* listener = Find(kind);
    return listener != nullptr && listener->Open(path);
}

void SyncListeners::CloseListener(int kind) {
    if (ListenerThread* listener = Find(kind)) {
        listener->Close();
    }
}

bool SyncListeners::ReopenListener(const std::string& path, int kind) {
    ListenerThread* listener = Find(kind);
    return listener != nullptr && listener->Reopen(path);
}

StopResult SyncListeners::StopListenerThread(int kind) {
    ListenerThread* listener = Find(kind);
    return listener != nullptr ? listener->StopThread() : StopResult::NotRunning;
}

void SyncListeners::StopAll() {
    m_a.StopThread();
    m_b.StopThread();
}

}  // namespace ravo
