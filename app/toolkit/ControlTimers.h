#pragma once

#include <QWidget>

namespace ravo::ui {

// Timers on a control, each known by the control and an id. Setting a timer that runs
// restarts it with the new period. A timer fires on the UI thread: a window gets OnTimer(id),
// an own control DoTimer(id) (by default a "timer" notification), any other widget raises
// "timer" with the id in wParam.
//
// These may be called from any thread: off the UI thread the request is queued to it, in
// order, and dropped if the control is gone by then. The caller keeps the control alive until
// the call returns (device objects stop their threads before their pages go).
void SetTimer(QWidget* control, int id, int periodMs);
void KillTimer(QWidget* control, int id);
void KillAllTimers(QWidget* control);
// UI thread only: whether the timer runs.
bool HasTimer(QWidget* control, int id);

}  // namespace ravo::ui
