#!/usr/bin/env python3
"""Writes the program's built-in drum sounds as WAVE files.

PCM, mono, 16 bits, 22 050 samples per second. The sample counts are fixed,
since the sounds' lengths are part of how the metronome sounds (an accent is
longer than a click). The output is deterministic, so the committed files can
be regenerated and compared.

Usage: tools/make_drum_sounds.py [output folder]   (default: resources/sounds)
"""
import math
import random
import struct
import sys
from pathlib import Path

RATE = 22050


def tom(count, start_hz, end_hz, decay_s, noise, seed):
    """A tom: a sine falling in pitch with an exponential decay and a noisy attack."""
    rng = random.Random(seed)
    phase = 0.0
    samples = []
    for i in range(count):
        t = i / RATE
        pitch = end_hz + (start_hz - end_hz) * math.exp(-t / 0.04)
        phase += 2 * math.pi * pitch / RATE
        body = math.sin(phase) + 0.3 * math.sin(1.5 * phase)
        attack = noise * rng.uniform(-1, 1) * math.exp(-t / 0.006)
        samples.append((body * 0.75 + attack) * math.exp(-t / decay_s))
    return samples


def stick(count, seed):
    """A stick click: a short noise burst over two ringing high partials."""
    rng = random.Random(seed)
    samples = []
    previous = 0.0
    for i in range(count):
        t = i / RATE
        # A first-order high-pass leaves the bright part of the noise.
        white = rng.uniform(-1, 1)
        bright = white - previous
        previous = white
        burst = 0.6 * bright * math.exp(-t / 0.004)
        ring = (0.5 * math.sin(2 * math.pi * 1850 * t) + 0.3 * math.sin(2 * math.pi * 3100 * t)) \
            * math.exp(-t / 0.03)
        samples.append(burst + ring)
    return samples


def fade_out(samples, fade_count=220):
    """Ends on silence, so that no sound stops with a click of its own."""
    n = len(samples)
    for i in range(max(0, n - fade_count), n):
        samples[i] *= (n - 1 - i) / fade_count
    return samples


def to_pcm16(samples, peak=0.85):
    scale = peak * 32767 / max(abs(s) for s in samples)
    return b"".join(struct.pack("<h", int(round(s * scale))) for s in samples)


def wave_bytes(pcm):
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt \
        + b"data" + struct.pack("<I", len(pcm)) + pcm
    return b"RIFF" + struct.pack("<I", len(body)) + body


# Sample byte counts: 10 376, 8 310 and 15 098.
SOUNDS = {
    "TOMTOM_HI": lambda: tom(5188, 330, 210, 0.07, 0.5, 1),
    "DRUM_STICK": lambda: stick(4155, 2),
    "TOMTOM_LOW": lambda: tom(7549, 170, 105, 0.1, 0.4, 3),
}


def main():
    folder = Path(sys.argv[1] if len(sys.argv) > 1 else "resources/sounds")
    folder.mkdir(parents=True, exist_ok=True)
    for name, make in SOUNDS.items():
        (folder / f"{name}.wav").write_bytes(wave_bytes(to_pcm16(fade_out(make()))))


if __name__ == "__main__":
    main()
