#pragma once

// The keyboard's two listeners by interface kind (1 = listener A, 9 = listener B), as the
// device list addresses them: OpenListener / CloseListener / ReopenListener(path, kind).
// Other kinds are ignored. Same thread rules as ListenerThread.

#include "devices/ListenerThread.h"

#include <string>

namespace ravo {

class SyncListeners {
public:
    explicit SyncListeners(ListenerHost& host);

    bool OpenListener(const std::string& path, int kind);
    void CloseListener(int kind);
    bool ReopenListener(const std::string& path, int kind);
    StopResult StopListenerThread(int kind);
    void StopAll();

    ListenerThread* Find(int kind);

private:
    ListenerThread m_a;
    ListenerThread m_b;
};

}  // namespace ravo
