#!/usr/bin/env python3
"""Writes the README's example recording: a struck bell of 0.6 s between stretches of silence,
as a recording program saves it (44.1 kHz, stereo, 16-bit WAV). Standard library only."""

import math
import struct
import sys
import wave

RATE = 44100


def sample(t):
    if not 0.3 <= t < 0.9:
        return 0.0
    u = t - 0.3
    envelope = min(1.0, u / 0.02) * math.exp(-u * 5)
    tone = math.sin(2 * math.pi * 440 * t) + 0.3 * math.sin(2 * math.pi * 880 * t)
    return 0.6 * envelope * tone / 1.3


def main(path):
    frames = bytearray()
    for i in range(int(RATE * 1.2)):
        value = int(sample(i / RATE) * 32767)
        frames += struct.pack("<hh", value, value // 2)  # the right channel half as loud
    with wave.open(path, "wb") as out:
        out.setnchannels(2)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "zil.wav")
