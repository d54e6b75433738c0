#pragma once

#include "app/toolkit/DuiString.h"

#include <QWidget>

#include <functional>

namespace ravo {

// The main window's control factory for layout class names the toolkit does not know: the
// program's own controls and device objects, and the controls built from a sub-layout. Names
// compare ignoring case; an unknown name, or a class not built into the program, yields null.
using ControlCallback = std::function<QWidget*(const CDuiString& className, QWidget* parent)>;
QWidget* CreateMainControl(const CDuiString& className, QWidget* parent,
                           const ControlCallback& callback);

}  // namespace ravo
