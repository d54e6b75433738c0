#pragma once

#include <QString>

namespace ravo {

// Whether a display the desktop program can use is configured (X11, Wayland, or a Qt
// platform chosen explicitly, such as offscreen).
bool HasDisplay();

// The desktop program from start to end: fonts, single instance, toolkit, messages, control
// classes, the main window, the message loop and the teardown. Command-line arguments are
// ignored. Returns the process exit code: 0 on every path the program runs through, 1 when
// it cannot run at all (no display, or the main window cannot be built), with the reason on
// standard error.
int RunProgram(int argc, char** argv);

}  // namespace ravo
