#!/usr/bin/env python3
"""Writes the README's first example recording, kapi.wav: a door buzzer of 0.2 s between
stretches of silence, already in the form the chip plays (8 kHz, mono, 8-bit unsigned PCM, the
samples from byte 44). The buzz is a square wave, so no sample of it lies near the middle value
128 and the sound runs exactly from byte 445 to byte 2043. Standard library only."""

import sys
import wave

RATE = 8000
SILENCE_BEFORE = 401  # samples: the sound starts at byte 44 + 401 = 445
BUZZ = 1599  # samples: up to byte 2043
SILENCE_AFTER = 500


def buzz(n):
    """The n-th sample of a 400 Hz square wave that swells and fades, never quieter than 12."""
    swell = min(1.0, n / 80, (BUZZ - 1 - n) / 400)
    amplitude = 12 + int(88 * max(0.0, swell))
    return 128 + amplitude if (n // 10) % 2 == 0 else 128 - amplitude


def main(path):
    samples = bytes([128] * SILENCE_BEFORE + [buzz(n) for n in range(BUZZ)] + [128] * SILENCE_AFTER)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(1)
        out.setframerate(RATE)
        out.writeframes(samples)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "kapi.wav")
