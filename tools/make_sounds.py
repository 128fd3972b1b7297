#!/usr/bin/env python3
"""Synthesises the game's sound effects into resources/sounds/ (16-bit mono WAV).

The checker sounds stay under 100 ms: the next sound cuts them off. The dice sounds are
a run of clicks that thin out, like dice settling. Deterministic: the same files every run.
"""
import math
import random
import struct
import wave
from pathlib import Path

RATE = 22050
OUT = Path(__file__).resolve().parent.parent / "resources" / "sounds"


def write(name, samples):
    OUT.mkdir(parents=True, exist_ok=True)
    with wave.open(str(OUT / f"{name}.wav"), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", max(-32767, min(32767, int(s * 32767)))) for s in samples))


def silence(seconds):
    return [0.0] * int(RATE * seconds)


def knock(seconds, pitch, decay, noise, rng, gain=0.8):
    """A struck body: a decaying low tone with a burst of noise at its start."""
    out = []
    for i in range(int(RATE * seconds)):
        t = i / RATE
        env = math.exp(-t * decay)
        tone = math.sin(2 * math.pi * pitch * t) + 0.4 * math.sin(2 * math.pi * pitch * 2.7 * t)
        hiss = (rng.random() * 2 - 1) * math.exp(-t * decay * 4)
        out.append(gain * env * ((1 - noise) * tone + noise * hiss))
    return out


def mix_into(buffer, at, sound):
    for i, s in enumerate(sound):
        if at + i < len(buffer):
            buffer[at + i] += s


def rattle(seconds, clicks, rng):
    out = silence(seconds)
    t = 0.0
    gap = 0.025
    for _ in range(clicks):
        if t >= seconds - 0.05:
            break
        mix_into(out, int(t * RATE), knock(0.04, rng.uniform(900, 1600), 120, 0.6, rng, gain=rng.uniform(0.3, 0.6)))
        t += gap * rng.uniform(0.6, 1.4)
        gap *= 1.18
    return out


def beep(seconds, pitch):
    n = int(RATE * seconds)
    ramp = int(RATE * 0.005)
    return [0.5 * math.sin(2 * math.pi * pitch * i / RATE) * min(1.0, i / ramp, (n - i) / ramp) for i in range(n)]


def main():
    rng = random.Random(1)
    write("Piece", knock(0.06, 420, 70, 0.35, rng))
    write("Barpiece", knock(0.08, 260, 55, 0.3, rng))
    write("Tray", knock(0.07, 700, 60, 0.5, rng) )
    write("Dice", rattle(1.3, 14, rng))
    write("Dice2", rattle(0.45, 8, rng))
    write("simpleBeep2", beep(0.12, 880))
    write("silent", silence(0.05))


if __name__ == "__main__":
    main()
