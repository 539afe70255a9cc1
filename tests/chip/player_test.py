#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The HEX player judged by gputils and gpsim, which know nothing of Vornelik's own code.

  player_test.py simulate VORNELIK-CLI   gpsim runs each case's .hex at 4 MHz: the values on
                                         PORTB, their spacing and the pauses
  player_test.py assemble VORNELIK-CLI   gpasm assembles each case's .asm into the .hex's image
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

CLOCK_CYCLES_PER_SECOND = 1_000_000  # 4 MHz, four clock periods an instruction cycle
PAUSE = 500_000
ERASED = 0xFF
CONFIG = 0x300000

# A sound of 600 bytes that rises and falls, so that every value differs from its neighbours.
SOUND = bytes((k * 37 + k // 7) % 256 for k in range(600))

# name, options, cycles a value
CASES = [
    ("good, from the start", ["--end", "200"], 125),
    ("good, an odd start", ["--start", "13", "--end", "97"], 125),
    ("poor", ["--start", "20", "--end", "260", "--quality", "poor"], 250),
    ("poor, an odd range", ["--start", "7", "--end", "58", "--quality", "poor"], 250),
    ("empty: under one line", ["--start", "50", "--end", "59"], 125),
]


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def need(tool):
    if shutil.which(tool) is None:
        fail(tool + " is not installed: the chip's tests need gputils (gpasm) and gpsim "
             "(Debian: apt-get install gputils gpsim; make test installs them)")


def run(arguments, **kwargs):
    return subprocess.run(arguments, capture_output=True, text=True, **kwargs)


def write_case(cli, folder, options, command, output):
    sound = os.path.join(folder, "sound.raw")
    with open(sound, "wb") as file:
        file.write(SOUND)
    done = run([cli, command, sound, "-o", os.path.join(folder, output)] + options)
    if done.returncode != 0:
        fail(command + " " + " ".join(options) + ": " + done.stderr)
    return os.path.join(folder, output)


def table_values(cli, folder, options):
    """The values of the table inc writes for the same options, read from its CDATA lines."""
    include = write_case(cli, folder, options, "inc", "table.inc")
    values = []
    with open(include, encoding="latin-1") as file:
        for line in file:
            if line.startswith("CDATA  "):
                values += [int(field) for field in line[7:].split(",")]
    return values


def hex_image(path, aligned=True):
    """Address to byte, from an Intel HEX file's data records (INHX32); Vornelik's own keep
    each record inside a 16-byte block."""
    image = {}
    upper = 0
    with open(path, newline="") as file:
        for line in file:
            line = line.rstrip("\r\n")
            record = bytes.fromhex(line[1:])
            if sum(record) % 256 != 0:
                fail(path + ": a record's checksum is wrong: " + line)
            length, address, kind = record[0], record[1] << 8 | record[2], record[3]
            if kind == 4:
                upper = (record[4] << 8 | record[5]) << 16
            elif kind == 0:
                if aligned and (address % 16 != 0 or length > 16):
                    fail(path + ": a record off its 16-byte block: " + line)
                for k in range(length):
                    image[upper + address + k] = record[4 + k]
    return image


def simulate(cli):
    need("gpsim")
    for name, options, period in CASES:
        with tempfile.TemporaryDirectory() as folder:
            values = table_values(cli, folder, options)
            hex_file = write_case(cli, folder, options, "hex", "player.hex")
            image = hex_image(hex_file)
            # gpsim 0.31 reads a configuration record that starts at an odd address wrongly,
            # so the bytes that keep the watchdog and LVP off are checked in the file as well.
            if image.get(CONFIG + 3, ERASED) & 0x01 or image.get(CONFIG + 6, ERASED) & 0x04:
                fail(name + ": the watchdog or LVP is on in the file")
            # Two rounds: each pause is 500000 cycles and gpsim logs about two million a second.
            cycles = 2 * (PAUSE + len(values) * period) + 1000
            log = os.path.join(folder, "writes.log")
            script = ("frequency 4000000\nlog on " + log + "\nlog w trisb\nlog w latb\n"
                      "log w portb\nbreak c " + str(cycles) + "\nrun\nquit\n")
            done = run(["gpsim", "-i", "-p", "p18f4620", hex_file], input=script, timeout=120)
            if done.returncode != 0 or not os.path.exists(log):
                fail(name + ": gpsim: " + done.stdout + done.stderr)
            pauses = check_writes(name, read_writes(log), values, period)
            print("ok: " + name + ": " + (str(len(values)) + " values, one every " + str(period) +
                  " cycles; pauses of " + " and ".join(pauses) + " cycles" if values
                  else "no value, only pauses"))


def read_writes(log):
    """(cycle, register, value) for each write to TRISB, LATB or PORTB, in order."""
    writes = []
    cycle = None
    with open(log) as file:
        for line in file:
            instruction = re.match(r"0x([0-9A-F]{16}) ", line)
            if instruction:
                cycle = int(instruction.group(1), 16)
                if cycle >= 1 << 63:  # the first instruction runs at cycle -1
                    cycle -= 1 << 64
                continue
            wrote = re.match(r"\s+Wrote: 0x([0-9A-F]+) to (trisb|latb|portb)\(", line)
            if wrote:
                writes.append((cycle, wrote.group(2), int(wrote.group(1), 16)))
    return writes


def check_writes(name, writes, values, period):
    trisb = [w for w in writes if w[1] == "trisb"]
    if not trisb or trisb[0][2] != 0:
        fail(name + ": PORTB is never made an output")
    made_output = trisb[0][0]
    port = [w for w in writes if w[1] != "trisb"]
    if not port or port[0][2] != 0 or port[0][0] > made_output:
        fail(name + ": PORTB is not 0 when it starts to drive")
    played = [w for w in port if w[0] > made_output]
    if not values:
        if played:
            fail(name + ": an empty table played " + str(len(played)) + " values")
        return []
    rounds = [played[:len(values)], played[len(values):2 * len(values)]]
    for number, round_writes in enumerate(rounds, 1):
        if [w[2] for w in round_writes] != values:
            fail(name + ": round " + str(number) + " played other values than the table's")
    # gpsim 0.31 counts TBLRD as one cycle where the chip takes two; the player executes
    # exactly one TBLRD between two writes to the port (the read of the value written next),
    # so each gap gets one cycle back.
    for round_writes in rounds:
        for before, after in zip(round_writes, round_writes[1:]):
            if after[0] - before[0] + 1 != period:
                fail(name + ": " + str(after[0] - before[0] + 1) + " cycles between two values, "
                     "not " + str(period))
    pauses = []
    for what, start, end in [("the first pause", made_output, rounds[0][0][0]),
                             ("the pause after the last value", rounds[0][-1][0],
                              rounds[1][0][0])]:
        length = end - start + 1
        if abs(length - PAUSE) > PAUSE // 1000:
            fail(name + ": " + what + " is " + str(length) + " cycles, not 500 ms within 0.1 %")
        pauses.append(str(length))
    return pauses


def assemble(cli):
    need("gpasm")
    for name, options, _ in CASES:
        with tempfile.TemporaryDirectory() as folder:
            hex_file = write_case(cli, folder, options, "hex", "player.hex")
            source = write_case(cli, folder, options, "asm", "player.asm")
            built = os.path.join(folder, "built.hex")
            done = run(["gpasm", "-o", built, source], cwd=folder)
            if done.returncode != 0 or "Error" in done.stdout + done.stderr:
                fail(name + ": gpasm: " + done.stdout + done.stderr)
            ours, theirs = hex_image(hex_file), hex_image(built, aligned=False)
            differ = [a for a in sorted(set(ours) | set(theirs))
                      if ours.get(a, ERASED) != theirs.get(a, ERASED)]
            if differ:
                fail(name + ": gpasm's image differs from the HEX file's at " +
                     ", ".join(hex(a) for a in differ[:8]))
            print("ok: " + name + ": gpasm builds the HEX file's image")


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("simulate", "assemble"):
        fail("usage: player_test.py simulate|assemble VORNELIK-CLI")
    {"simulate": simulate, "assemble": assemble}[sys.argv[1]](sys.argv[2])
