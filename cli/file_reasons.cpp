// SPDX-License-Identifier: MIT
#include "cli/file_reasons.h"

#include <array>

#include "cli/message_patterns.h"

#include "cli/translation.h"  // last: its _ is a macro

namespace vornelik {
namespace {

// What posix/, files/, win32/ and core throw, the most particular first; the system's own reason
// ({2} after the colon) comes in the system's language.
constexpr std::array<MessagePattern, 26> kReasons{{
    {"cannot read {1} at any position on this file system",
     N_("cannot read {1} at any position on this file system")},
    {"cannot read {1}: a sound of {2} bytes does not fit in the program's memory",
     N_("cannot read {1}: a sound of {2} bytes does not fit in the program's memory")},
    {"cannot read {1}: {2}", N_("cannot read {1}: {2}")},
    {"cannot copy {1} into a temporary file in {2}: {3}",
     N_("cannot copy {1} into a temporary file in {2}: {3}")},
    {"cannot copy {1} into a temporary file: {2}",
     N_("cannot copy {1} into a temporary file: {2}")},
    {"{1} is a stream longer than {2} bytes, the most that is copied to be read more than once: "
     "save it to a file first",
     N_("{1} is a stream longer than {2} bytes, the most that is copied to be read more than "
        "once: save it to a file first")},
    {"code page {1} is not an ANSI code page", N_("code page {1} is not an ANSI code page")},
    {"code page {1} is not a single-byte ANSI code page",
     N_("code page {1} is not a single-byte ANSI code page")},
    {"cannot write a file with an empty name: give the output a name",
     N_("cannot write a file with an empty name: give the output a name")},
    {"cannot write {1}: {2}", N_("cannot write {1}: {2}")},
    {"cannot write {1}", N_("cannot write {1}")},
    {"an output that is streamed cannot go back", N_("an output that is streamed cannot go back")},
    {"cannot open {1}: it is a directory", N_("cannot open {1}: it is a directory")},
    {"cannot open {1}: {2}", N_("cannot open {1}: {2}")},
    {"cannot make a temporary copy of {1}: {2}", N_("cannot make a temporary copy of {1}: {2}")},
    {"cannot create {1}: it is a directory", N_("cannot create {1}: it is a directory")},
    {"cannot create {1}: the file is read-only", N_("cannot create {1}: the file is read-only")},
    {"cannot create {1}: {2}", N_("cannot create {1}: {2}")},
    {"cannot replace {1}: {2}", N_("cannot replace {1}: {2}")},
    {"cannot go back in {1}", N_("cannot go back in {1}")},
    {"cannot use the name {1}: {2}", N_("cannot use the name {1}: {2}")},
    {"a WAV of unknown length cannot be streamed",
     N_("a WAV of unknown length cannot be streamed")},
    {"the sound changed between two readings", N_("the sound changed between two readings")},
    {"overflow", N_("overflow")},
    {"the start or end offset is too large a number",
     N_("the start or end offset is too large a number")},
    {"the table needs {1} bytes of program memory, but the PIC18F4620 has {2} beside the HEX "
     "player ({3} less {4})",
     N_("the table needs {1} bytes of program memory, but the PIC18F4620 has {2} beside the HEX "
        "player ({3} less {4})")},
}};

// The names the file layers give the standard streams, which appear among a reason's parts.
constexpr std::array<const char*, 2> kStreamNames{N_("standard input"), N_("standard output")};

}  // namespace

std::string translatedReason(const std::string& reason) {
    std::string text = matched(kReasons, reason).value_or(reason);
    for (const char* name : kStreamNames) {
        const std::string english = name;
        const std::string translated = translate(name);
        for (std::size_t at = text.find(english); at != std::string::npos;
             at = text.find(english, at + translated.size())) {
            text.replace(at, english.size(), translated);
        }
    }
    return text;
}

}  // namespace vornelik
