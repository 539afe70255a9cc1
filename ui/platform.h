#pragma once

// What each platform layer provides to the faces and the command line on it.

#include <memory>

#include "ui/file_system.h"
#include "ui/locale_facts.h"

namespace vornelik {

// The user's decimal separator and ANSI code page, read from the system.
LocaleFacts systemLocaleFacts();

// The platform's files; output files are written in the given code page.
std::unique_ptr<FileSystem> makeSystemFileSystem(unsigned codePage);

}  // namespace vornelik
