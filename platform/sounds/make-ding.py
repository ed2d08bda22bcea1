#!/usr/bin/env python3
"""Writes ding.wav, the settings-change alarm: a short two-tone chime.

A struck-bell sound: two notes a fourth apart (E6 then A6, the second 90 ms
later), each a sine with a weaker inharmonic partial, a 4 ms attack and an
exponential decay. 22050 Hz, 16-bit mono, 0.6 s. Run from this folder:
    python3 make-ding.py
"""
import math
import struct
import wave

RATE = 22050
SECONDS = 0.6
PEAK = 0.6 * 32767


def note(t, start, freq, decay):
    if t < start:
        return 0.0
    u = t - start
    attack = min(1.0, u / 0.004)
    envelope = attack * math.exp(-u / decay)
    partials = math.sin(2 * math.pi * freq * u) + 0.25 * math.sin(2 * math.pi * freq * 2.76 * u)
    return envelope * partials / 1.25


def main():
    frames = bytearray()
    count = int(RATE * SECONDS)
    for i in range(count):
        t = i / RATE
        v = 0.55 * note(t, 0.0, 1318.51, 0.16) + 0.55 * note(t, 0.09, 1760.0, 0.18)
        fade = min(1.0, (count - i) / (0.02 * RATE))  # no click at the end
        frames += struct.pack('<h', int(max(-1.0, min(1.0, v * fade)) * PEAK))
    with wave.open('ding.wav', 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


if __name__ == '__main__':
    main()
