// SPDX-License-Identifier: MIT
#include "core/player_files.h"

#include <array>
#include <vector>

#include "core/intel_hex.h"
#include "core/numeric_text.h"
#include "core/player_program.h"

namespace vornelik {
namespace {

constexpr std::string_view kEnd = "\r\n";

std::string hexNumber(std::uint32_t value, int digits) {
    return "0x" + upperHexDigits(value, digits);
}

// "label   TEXT            ; comment", in gpasm's columns.
std::string sourceLine(std::string_view label, std::string_view text, std::string_view comment) {
    std::string line(label);
    line.resize(std::max<std::size_t>(line.size() + 1, 8), ' ');
    line += text;
    if (!comment.empty()) {
        line.resize(std::max<std::size_t>(line.size() + 1, 32), ' ');
        line += "; ";
        line += comment;
    }
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    line += kEnd;
    return line;
}

std::string qualityWords(Quality quality) {
    return quality == Quality::good ? "good quality (every byte of the sound)"
                                    : "poor quality (every second byte of the sound)";
}

}  // namespace

std::string playerHexFile(Quality quality, std::span<const std::uint8_t> values) {
    const PlayerProgram program = playerProgram(quality, static_cast<std::int64_t>(values.size()));
    std::vector<std::uint8_t> code;
    for (const Instruction& instruction : program.code) {
        for (const std::uint16_t word : instruction.words) {
            code.push_back(static_cast<std::uint8_t>(word));  // low byte first
            code.push_back(static_cast<std::uint8_t>(word >> 8));
        }
    }
    std::array<std::uint8_t, kConfigBlockBytes> config;
    config.fill(kErasedByte);
    for (const ConfigByte& byte : playerConfiguration()) {
        config[byte.address - kConfigAddress] = byte.value;
    }
    const std::array<ImagePiece, 3> pieces{{
        {0, code},
        {program.tableAddress, values},
        {kConfigAddress, config},
    }};
    return intelHex(pieces);
}

std::string playerAssemblyFile(Quality quality, std::span<const std::uint8_t> values) {
    const PlayerProgram program = playerProgram(quality, static_cast<std::int64_t>(values.size()));
    const int period = hexCyclesPerValue(quality);
    std::string out;
    const auto comment = [&out](std::string_view text) {
        out += text.empty() ? ";" : "; ";
        out += text;
        out += kEnd;
    };
    comment("Vornelik's player for the PIC18F4620 at 4 MHz, " + qualityWords(quality) + ".");
    comment("It sets all of PORTB to output and to 0, waits 500 ms, then writes the table's " +
            std::to_string(values.size()) + " values");
    comment("to PORTB's latch, one every " + std::to_string(period) + " instruction cycles (" +
            std::to_string(hexValuesPerSecond(quality)) +
            " a second), waits 500 ms with the last one");
    comment("on the port, and plays them again, for ever. The cycles of each instruction are in");
    comment("brackets; the loop from \"next\" to \"BRA next\" takes exactly " +
            std::to_string(period) + " of them, the");
    comment("skipping BTFSC included, so the values come at exactly the sound's own rate.");
    comment("");
    comment("Assemble with gputils: gpasm FILE.asm. The image is the one in the HEX file");
    comment("vornelik-cli hex writes for the same sound and options.");
    out += kEnd;
    out += sourceLine("", "PROCESSOR 18F4620", "");
    out += sourceLine("", "RADIX DEC", "numbers are decimal unless written 0x");
    out += sourceLine("", "ERRORLEVEL -302", "the registers are reached through the access bank");
    out += sourceLine("", "#include <p18f4620.inc>", "");
    out += kEnd;
    for (const ConfigByte& byte : playerConfiguration()) {
        out += sourceLine("", "CONFIG " + std::string(byte.settings), byte.why);
    }
    out += kEnd;
    out += sourceLine("table", "EQU " + hexNumber(program.tableAddress, 5),
                      "the first value; the last is at 0xFFFF");
    out += sourceLine("count2", "EQU 0x00", "the pause's counters");
    out += sourceLine("count3", "EQU 0x01", "");
    out += kEnd;
    out += sourceLine("", "ORG 0", "");
    for (const Instruction& instruction : program.code) {
        std::string note = "[";
        note += instruction.cycles;
        note += "]";
        if (!instruction.comment.empty()) {
            note += " ";
            note += instruction.comment;
        }
        if (instruction.label == "pause") {
            out += kEnd;
            comment("DelayMS 500: 11 x 150 x 100 rounds of the inner loop, with the CALL and");
            comment("RETURN and the last NOP exactly 500000 cycles.");
        }
        out += sourceLine(instruction.label, instruction.text, note);
    }
    if (!values.empty()) {
        // gpasm places PIC18 data from even addresses only: a table that starts at an odd one
        // gets an erased byte before it, which the player never reads.
        const std::uint32_t from = program.tableAddress & ~std::uint32_t{1};
        out += kEnd;
        comment("The table, " + std::to_string(values.size()) + " values, up to the top of " +
                "program memory.");
        out += sourceLine("", "ORG " + hexNumber(from, 4),
                          from < program.tableAddress ? "an erased byte, then the table" : "");
        std::uint32_t at = from;
        while (at < static_cast<std::uint32_t>(kFlashBytes)) {
            const std::uint32_t lineEnd = (at | 15U) + 1;  // one line a 16-byte record
            std::string line = "DB ";
            for (std::uint32_t address = at; address < lineEnd; ++address) {
                if (address > at) {
                    line += ",";
                }
                line += address < program.tableAddress
                            ? std::string("0xFF")
                            : std::to_string(values[address - program.tableAddress]);
            }
            out += sourceLine("", line, "");
            at = lineEnd;
        }
    }
    out += kEnd;
    out += sourceLine("", "END", "");
    return out;
}

}  // namespace vornelik
