// ravo-tkl-rgb: the desktop configuration program.
#include "app/Startup.h"

int main(int argc, char** argv) {
    return ravo::RunProgram(argc, argv);
}
