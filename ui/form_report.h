// SPDX-License-Identifier: MIT
#pragma once

// What the handlers did, told as it happens, for a face that needs more than the controls
// show: the command line's exit status and its reasons follow these, not the buttons' states.
// The windows observe nothing; a handler behaves the same whoever listens.

#include <cstdint>
#include <exception>
#include <string_view>

namespace vornelik {

class FormReport {
  public:
    virtual ~FormReport() = default;

    // The sound was read, its length in bytes.
    virtual void soundOpened(std::int32_t length) { (void)length; }
    // A rule of the check is broken; the message box the user sees says which.
    virtual void ruleBroken(std::string_view message) { (void)message; }
    // Every rule held: the output buttons are enabled.
    virtual void checkPassed() {}
    // An output file was written whole.
    virtual void fileWritten() {}
    // A handler's trap caught this; what the handler did before it stays done.
    virtual void failed(const std::exception& failure) { (void)failure; }

    // The listener of a window nobody asks about.
    static FormReport& nobody() {
        static FormReport ignored;
        return ignored;
    }
};

}  // namespace vornelik
