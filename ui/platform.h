// SPDX-License-Identifier: MIT
#pragma once

// What each platform layer provides to the faces and the command line on it. The program's
// arguments are the layer's own (commandLineArguments in qt/ and win32/): the window logic has
// no command line.

#include <memory>

#include "files/file_system.h"
#include "ui/locale_facts.h"

namespace vornelik {

// The user's decimal separator and ANSI code page, read from the system.
LocaleFacts systemLocaleFacts();

// The platform's files; output text is written in the given code page.
std::unique_ptr<FileSystem> makeSystemFileSystem(unsigned codePage);

// The same for a command line, where the name "-" is standard input to read and standard
// output to write.
std::unique_ptr<FileSystem> makeCommandLineFileSystem(unsigned codePage);

}  // namespace vornelik
