// SPDX-License-Identifier: MIT
#include "core/player_program.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

#include "core/failure.h"

namespace vornelik {
namespace {

// The special function registers the player uses, as the access bank reaches them (their low
// byte), and the two whole addresses MOVFF takes.
constexpr std::uint16_t kLatB = 0x8A;
constexpr std::uint16_t kTrisB = 0x93;
constexpr std::uint16_t kTblPtrL = 0xF6;
constexpr std::uint16_t kTblPtrH = 0xF7;
constexpr std::uint16_t kTblPtrU = 0xF8;
constexpr std::uint16_t kWreg = 0xE8;
constexpr std::uint16_t kTabLatAddress = 0xFF5;
constexpr std::uint16_t kLatBAddress = 0xF8A;
// The pause's two counters, in the access bank's RAM.
constexpr std::uint16_t kCount2 = 0x00;
constexpr std::uint16_t kCount3 = 0x01;

// The pause: three nested loops of C3 x C2 x C1 rounds, its cycles with the CALL and RETURN
// C3 * (C2 * (3 * C1 + 3) + 4) + 5, and one NOP more, make exactly DelayMS 500.
constexpr int kPauseC1 = 100;
constexpr int kPauseC2 = 150;
constexpr int kPauseC3 = 11;
static_assert(kPauseC3 * (kPauseC2 * (3 * kPauseC1 + 3) + 4) + 5 + 1 == kPauseCycles);

// A value's cycles beside the delay: BTFSC that skips (2), TBLRD*+ (2), MOVFF (2), BRA (2).
constexpr int kLoopCycles = 8;

constexpr std::uint32_t kTableEnd = static_cast<std::uint32_t>(kFlashBytes);

constexpr std::array<ConfigByte, 11> kConfiguration{{
    {0x300001, 0x01, "CONFIG1H", "OSC = XT, FCMEN = OFF, IESO = OFF",
     "the 4 MHz crystal, no clock switching"},
    {0x300002, 0x1F, "CONFIG2L", "PWRT = OFF, BOREN = SBORDIS, BORV = 3", "the chip's defaults"},
    {0x300003, 0x1E, "CONFIG2H", "WDT = OFF, WDTPS = 32768",
     "no watchdog: the player never clears it"},
    {0x300005, 0x81, "CONFIG3H", "CCP2MX = PORTC, PBADEN = OFF, LPT1OSC = OFF, MCLRE = ON",
     "PORTB digital from reset; MCLR resets"},
    {0x300006, 0x81, "CONFIG4L", "STVREN = ON, LVP = OFF, XINST = OFF, DEBUG = OFF",
     "RB5, RB6 and RB7 ordinary outputs"},
    {0x300008, 0x0F, "CONFIG5L", "CP0 = OFF, CP1 = OFF, CP2 = OFF, CP3 = OFF",
     "no code protection"},
    {0x300009, 0xC0, "CONFIG5H", "CPB = OFF, CPD = OFF", "no code protection"},
    {0x30000A, 0x0F, "CONFIG6L", "WRT0 = OFF, WRT1 = OFF, WRT2 = OFF, WRT3 = OFF",
     "no write protection"},
    {0x30000B, 0xE0, "CONFIG6H", "WRTC = OFF, WRTB = OFF, WRTD = OFF", "no write protection"},
    {0x30000C, 0x0F, "CONFIG7L", "EBTR0 = OFF, EBTR1 = OFF, EBTR2 = OFF, EBTR3 = OFF",
     "no table-read protection: the player reads its own table"},
    {0x30000D, 0x40, "CONFIG7H", "EBTRB = OFF", "no table-read protection"},
}};

using Labels = std::map<std::string, std::uint32_t, std::less<>>;

// The instructions, given the labels' addresses (0 for those not known yet).
class Assembler {
  public:
    explicit Assembler(const Labels& labels) : labels_(labels) {}

    void label(std::string name) { label_ = std::move(name); }

    void add(std::string text, std::vector<std::uint16_t> words, std::string_view cycles,
             std::string_view comment) {
        at_ += 2 * static_cast<std::uint32_t>(words.size());
        code.push_back(
            {std::exchange(label_, {}), std::move(text), std::move(words), cycles, comment});
    }

    std::uint32_t at() const { return at_; }
    std::uint32_t address(std::string_view name) const {
        const auto found = labels_.find(name);
        return found == labels_.end() ? 0 : found->second;
    }
    // BRA's word offset from the instruction after it.
    std::uint16_t branch(std::string_view target) const {
        const auto offset =
            (static_cast<std::int32_t>(address(target)) - static_cast<std::int32_t>(at_) - 2) / 2;
        return static_cast<std::uint16_t>(0xD000 | (offset & 0x7FF));
    }

    std::vector<Instruction> code;

  private:
    const Labels& labels_;
    std::string label_;
    std::uint32_t at_ = 0;
};

std::uint16_t movlw(std::uint32_t value) {
    return static_cast<std::uint16_t>(0x0E00 | (value & 0xFF));
}

std::vector<Instruction> assemble(Quality quality, std::uint32_t tableAddress,
                                  const Labels& labels) {
    Assembler a(labels);
    const int delay = hexCyclesPerValue(quality) - kLoopCycles;
    const int delayRounds = delay / 3;
    const int extraCycles = delay % 3;

    a.add("CLRF LATB, A", {0x6A00 | kLatB}, "1", "PORTB's latch low before it drives");
    a.add("CLRF TRISB, A", {0x6A00 | kTrisB}, "1", "all of PORTB an output");
    a.label("round");
    const std::uint32_t pause = a.address("pause") / 2;
    a.add("CALL pause",
          {static_cast<std::uint16_t>(0xEC00 | (pause & 0xFF)),
           static_cast<std::uint16_t>(0xF000 | ((pause >> 8) & 0xFFF))},
          "2", "wait 500 ms (with the pause's RETURN, 500000 cycles)");
    a.add("MOVLW UPPER table", {movlw(tableAddress >> 16)}, "1", "the table pointer to the");
    a.add("MOVWF TBLPTRU, A", {0x6E00 | kTblPtrU}, "1", "first value");
    a.add("MOVLW HIGH table", {movlw(tableAddress >> 8)}, "1", "");
    a.add("MOVWF TBLPTRH, A", {0x6E00 | kTblPtrH}, "1", "");
    a.add("MOVLW LOW table", {movlw(tableAddress)}, "1", "");
    a.add("MOVWF TBLPTRL, A", {0x6E00 | kTblPtrL}, "1", "");
    a.label("next");
    a.add("BTFSC TBLPTRU, 0, A", {0xB000 | kTblPtrU}, "2 when it skips, else 1",
          "past the last value the pointer is 0x10000:");
    a.add("BRA round", {a.branch("round")}, "2", "the next round, after the pause");
    a.add("TBLRD*+", {0x0009}, "2", "the value into TABLAT, the pointer to the next");
    a.add("MOVFF TABLAT, LATB",
          {static_cast<std::uint16_t>(0xC000 | kTabLatAddress),
           static_cast<std::uint16_t>(0xF000 | kLatBAddress)},
          "2", "out on PORTB, where it stays until the next");
    a.add("MOVLW " + std::to_string(delayRounds), {movlw(static_cast<std::uint32_t>(delayRounds))},
          "1", "the wait: 3 cycles a round with this MOVLW");
    a.label("wait");
    a.add("DECFSZ WREG, F, A", {0x2E00 | kWreg}, "1, 2 when it skips", "");
    a.add("BRA wait", {a.branch("wait")}, "2", "");
    for (int k = 0; k < extraCycles; ++k) {
        a.add("NOP", {0x0000}, "1", "the cycles the rounds leave over");
    }
    a.add("BRA next", {a.branch("next")}, "2", "");

    a.label("pause");
    a.add("MOVLW " + std::to_string(kPauseC3), {movlw(kPauseC3)}, "1", "");
    a.add("MOVWF count3, A", {0x6E00 | kCount3}, "1", "");
    a.label("pause3");
    a.add("MOVLW " + std::to_string(kPauseC2), {movlw(kPauseC2)}, "1", "");
    a.add("MOVWF count2, A", {0x6E00 | kCount2}, "1", "");
    a.label("pause2");
    a.add("MOVLW " + std::to_string(kPauseC1), {movlw(kPauseC1)}, "1", "");
    a.label("pause1");
    a.add("DECFSZ WREG, F, A", {0x2E00 | kWreg}, "1, 2 when it skips", "");
    a.add("BRA pause1", {a.branch("pause1")}, "2", "");
    a.add("DECFSZ count2, F, A", {0x2E00 | kCount2}, "1, 2 when it skips", "");
    a.add("BRA pause2", {a.branch("pause2")}, "2", "");
    a.add("DECFSZ count3, F, A", {0x2E00 | kCount3}, "1, 2 when it skips", "");
    a.add("BRA pause3", {a.branch("pause3")}, "2", "");
    a.add("NOP", {0x0000}, "1", "the last cycle of the 500000");
    a.add("RETURN", {0x0012}, "2", "");
    return std::move(a.code);
}

Labels labelsOf(const std::vector<Instruction>& code) {
    Labels labels;
    std::uint32_t at = 0;
    for (const Instruction& instruction : code) {
        if (!instruction.label.empty()) {
            labels[instruction.label] = at;
        }
        at += 2 * static_cast<std::uint32_t>(instruction.words.size());
    }
    return labels;
}

std::uint32_t bytesOf(const std::vector<Instruction>& code) {
    std::uint32_t bytes = 0;
    for (const Instruction& instruction : code) {
        bytes += 2 * static_cast<std::uint32_t>(instruction.words.size());
    }
    return bytes;
}

}  // namespace

std::span<const ConfigByte> playerConfiguration() {
    return kConfiguration;
}

std::int64_t playerProgramBytes() {
    // Assembled once: the commands ask for every batch of values they take.
    static const std::int64_t bytes = [] {
        const Labels none;
        return std::max(bytesOf(assemble(Quality::good, kTableEnd, none)),
                        bytesOf(assemble(Quality::poor, kTableEnd, none)));
    }();
    return bytes;
}

std::int64_t playerTableRoom() {
    return kFlashBytes - playerProgramBytes();
}

std::string tooLargeForThePlayer(std::int64_t values) {
    return "the table needs " + std::to_string(values) +
           " bytes of program memory, but the PIC18F4620 has " + std::to_string(playerTableRoom()) +
           " beside the HEX player (" + std::to_string(kFlashBytes) + " less " +
           std::to_string(playerProgramBytes()) + ")";
}

PlayerProgram playerProgram(Quality quality, std::int64_t values) {
    if (values < 0 || values > playerTableRoom()) {
        throw Failure(tooLargeForThePlayer(values));
    }
    PlayerProgram program;
    program.quality = quality;
    program.tableAddress = kTableEnd - static_cast<std::uint32_t>(values);
    // Twice: the first pass places the labels, the second refers to them.
    program.code = assemble(quality, program.tableAddress,
                            labelsOf(assemble(quality, program.tableAddress, Labels{})));
    program.codeBytes = bytesOf(program.code);
    return program;
}

}  // namespace vornelik
