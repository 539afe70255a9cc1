// SPDX-License-Identifier: MIT
#pragma once

// The chip and the two programs Vornelik writes for it: the Proton BASIC program (`.bas`) and
// the player of the HEX file. Every number the writers, the budget, the warnings and the help
// texts give about the chip comes from here.

#include <cstdint>

namespace vornelik {

// The crystal the programs are written for. The PIC18 takes four clock periods an instruction
// cycle, so it runs one cycle a microsecond.
inline constexpr int kClockHz = 4'000'000;
inline constexpr int kCyclesPerSecond = kClockHz / 4;

// The rate the window expects of every sound file: 8000 bytes, one sample each, a second.
inline constexpr int kSoundRate = 8000;

// The PIC18F4620's program memory.
inline constexpr std::int64_t kFlashBytes = 65536;

// Program memory kept for the generated `.bas` program itself. Its 16 fixed lines compile to
// about 150 PIC18 instructions of 2 bytes (some take 4): the reset and interrupt vectors and
// the compiler's start-up code (about 40), All_Digital and the PORTB set-up (about 6), the two
// DelayMS 500 calls and the millisecond delay routine (about 30), the For/Next loop over a Word
// (about 20), CRead's 16-bit address sum and table read (about 12), DelayUS and its
// microsecond routine (about 35) and GoTo. That is some 300 bytes; 512 leaves room for the
// compiler's own choices.
inline constexpr std::int64_t kProgramBytes = 512;

// Program memory left for the `.bas` program's sample table, one byte a value.
inline constexpr std::int64_t kTableRoomBytes = kFlashBytes - kProgramBytes;

// The values on one sample table line.
inline constexpr int kValuesPerLine = 10;

enum class Quality : std::uint8_t {
    good = 0,  // every byte
    poor = 1,  // every second byte
};

// The sound's bytes one table value stands for.
constexpr int stepOf(Quality quality) {
    return quality == Quality::good ? 1 : 2;
}

// The `.bas` program's DelayUS between two values.
constexpr int delayMicrosecondsOf(Quality quality) {
    return quality == Quality::good ? 100 : 225;
}

// The `.bas` loop's own instruction cycles per value beside DelayUS, estimated from what the
// PIC18 needs for each statement of the loop:
//   For/Next over the Word sayi: 16-bit increment (2), 16-bit compare with the constant limit
//     (4), the branch back to the loop's top (2)                                          8
//   CRead (ses+sayi): the 16-bit address sum into TBLPTRL/H and clearing TBLPTRU (7),
//     TBLRD* (2)                                                                          9
//   PORTB=: TABLAT to PORTB (2)                                                           2
//   DelayUS: loading its 16-bit count (2), CALL and RETURN (4)                            6
inline constexpr int kBasLoopCycles = 25;

// About the time the `.bas` program spends on a value, in microseconds (one cycle each).
constexpr int basCyclesPerValue(Quality quality, int loopCycles = kBasLoopCycles) {
    return delayMicrosecondsOf(quality) + loopCycles;
}

// The rate the chip plays good-quality bytes at in the `.bas` program, to which a file's own
// rate is compared.
inline constexpr int kPlayedBytesPerSecond = kCyclesPerSecond / basCyclesPerValue(Quality::good);

// The HEX player's exact period: one value for each sound byte's time it stands for, so that
// the sound plays at its own speed, 8000 values a second in good quality and 4000 in poor.
constexpr int hexCyclesPerValue(Quality quality) {
    return kCyclesPerSecond / kSoundRate * stepOf(quality);
}
constexpr int hexValuesPerSecond(Quality quality) {
    return kCyclesPerSecond / hexCyclesPerValue(quality);
}

// Both programs' pause before the first value and after the last: DelayMS 500.
inline constexpr int kPauseCycles = kCyclesPerSecond / 2;

}  // namespace vornelik
