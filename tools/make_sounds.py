#!/usr/bin/env python3
"""Synthesises Varu's five interface sounds as 16-bit mono WAV files.

Short, soft and free of clicks: every sound is a sum of sine partials under an envelope with
a few milliseconds of fade-in and an exponential tail. Run from the repository root:
    python3 tools/make_sounds.py
"""
import math
import struct
import wave
from pathlib import Path

RATE = 44100


def envelope(t, length, attack=0.004, decay=8.0):
    if t < attack:
        return t / attack
    tail = min(1.0, (length - t) / 0.012)  # last 12 ms fade to silence
    return math.exp(-decay * (t - attack)) * max(0.0, tail)


def tone(length, partials, decay=8.0, glide=None):
    """partials: (frequency, amplitude); glide: (start factor, end factor) of the pitch."""
    samples = []
    phase = [0.0] * len(partials)
    n = int(length * RATE)
    for i in range(n):
        t = i / RATE
        factor = 1.0
        if glide:
            a, b = glide
            factor = a + (b - a) * (i / n)
        value = 0.0
        for k, (freq, amp) in enumerate(partials):
            phase[k] += 2 * math.pi * freq * factor / RATE
            value += amp * math.sin(phase[k])
        samples.append(value * envelope(t, length, decay=decay))
    return samples


def sequence(*parts, gap=0.0):
    out = []
    for p in parts:
        out.extend(p)
        out.extend([0.0] * int(gap * RATE))
    return out


def mix(a, b, offset):
    start = int(offset * RATE)
    out = a + [0.0] * max(0, start + len(b) - len(a))
    for i, v in enumerate(b):
        out[start + i] += v
    return out


def write(name, samples, peak=0.5):
    top = max(abs(s) for s in samples) or 1.0
    frames = b"".join(struct.pack("<h", int(s / top * peak * 32767)) for s in samples)
    path = Path(__file__).resolve().parent.parent / "resources" / "sounds" / f"Varu-{name}.wav"
    with wave.open(str(path), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)
    print(path.name, f"{len(samples) / RATE * 1000:.0f} ms")


# Gota: a water drop, a bright partial falling in pitch.
write("Gota", tone(0.16, [(1400, 1.0), (2800, 0.2)], decay=22, glide=(1.35, 0.8)))
# Grude: something sticking, two soft low knocks.
write("Grude", sequence(tone(0.07, [(330, 1.0), (660, 0.35)], decay=40),
                        tone(0.11, [(262, 1.0), (524, 0.3)], decay=30), gap=0.02))
# Assinatura: a signature, three rising notes of a major chord.
write("Assinatura", mix(mix(tone(0.14, [(784, 1.0), (1568, 0.15)], decay=20),
                            tone(0.14, [(988, 1.0), (1976, 0.15)], decay=20), 0.06),
                        tone(0.2, [(1175, 1.0), (2350, 0.15)], decay=16), 0.12))
# Botao: a button, one short dry tick.
write("Botao", tone(0.05, [(1900, 1.0), (3700, 0.4), (950, 0.3)], decay=70))
# Colar: a paste, a soft pop rising into place.
write("Colar", mix(tone(0.09, [(520, 1.0), (1040, 0.25)], decay=30, glide=(0.8, 1.1)),
                   tone(0.14, [(780, 0.9), (1560, 0.2)], decay=22), 0.045))
