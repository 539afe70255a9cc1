// SPDX-License-Identifier: MIT
// The Linux program: Form1 on Qt Widgets, on the system's locale and files, with the sound named
// on its command line opened.

#include "app/window_program.h"

int main(int argc, char* argv[]) {
    return vornelik::runWindowProgram(argc, argv);
}
