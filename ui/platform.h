// SPDX-License-Identifier: MIT
#pragma once

// What each platform layer provides to the faces and the command line on it.

#include <memory>
#include <string>
#include <vector>

#include "ui/file_system.h"
#include "ui/locale_facts.h"

namespace vornelik {

// The user's decimal separator and ANSI code page, read from the system.
LocaleFacts systemLocaleFacts();

// The platform's files; output text is written in the given code page.
std::unique_ptr<FileSystem> makeSystemFileSystem(unsigned codePage);

// The same for a command line, where the name "-" is standard input to read and standard
// output to write.
std::unique_ptr<FileSystem> makeCommandLineFileSystem(unsigned codePage);

// The program's arguments in UTF-8, the first being the program's name. On Windows main()'s
// argv is in the ANSI code page, so the wide command line is read instead.
std::vector<std::string> commandLineArguments(int argc, char** argv);

}  // namespace vornelik
