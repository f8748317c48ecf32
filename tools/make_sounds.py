#!/usr/bin/env python3
"""Synthesises the tutor's eleven sounds (101-111) as 16-bit PCM mono WAV files.

The generator is deterministic: the same script always writes the same bytes.
Every sound is built from soft tones (sine partials with rounded attacks and
exponential decays) so that nothing clicks or sounds harsh; the wrong-key sound
is a gentle low "bu-bum", never a buzzer.

Usage: tools/make_sounds.py [output folder]   (default: resources/sounds)
"""

import math
import os
import struct
import sys
import wave

RATE = 22050


def note(name):
    """Frequency of a note name such as 'C5', 'F#4' or 'Bb3' (A4 = 440 Hz)."""
    steps = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semis = steps[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        semis += 1
        rest = rest[1:]
    elif rest.startswith("b"):
        semis -= 1
        rest = rest[1:]
    octave = int(rest)
    return 440.0 * 2 ** ((semis + 12 * (octave - 4)) / 12)


class Track:
    """A mono buffer of floating-point samples that tones are mixed into."""

    def __init__(self, seconds):
        self.samples = [0.0] * int(round(seconds * RATE))

    def add(self, start, samples, gain=1.0):
        first = int(round(start * RATE))
        for i, v in enumerate(samples):
            j = first + i
            if 0 <= j < len(self.samples):
                self.samples[j] += v * gain

    def finish(self, peak):
        """Scales to the wanted peak and fades the last milliseconds to silence."""
        top = max(abs(v) for v in self.samples) or 1.0
        out = [v * peak / top for v in self.samples]
        fade = min(len(out) // 4, int(0.012 * RATE))
        for i in range(fade):
            k = 0.5 - 0.5 * math.cos(math.pi * i / fade)
            out[-1 - i] *= k
        # Lead-in of one silent sample, so every file starts exactly at zero.
        out[0] = 0.0
        return out


def envelope(n, attack, decay, release=0.01):
    """Raised-cosine attack, exponential decay, raised-cosine release at the end."""
    a = max(1, int(attack * RATE))
    r = max(1, int(release * RATE))
    env = []
    for i in range(n):
        t = i / RATE
        if i < a:
            e = 0.5 - 0.5 * math.cos(math.pi * i / a)
        else:
            e = math.exp(-(t - attack) / decay) if decay > 0 else 1.0
        if i >= n - r:
            e *= 0.5 - 0.5 * math.cos(math.pi * (n - i) / r)
        env.append(e)
    return env


def tone(freq, seconds, partials=((1, 1.0),), attack=0.006, decay=0.25, glide_to=None):
    """A tone of harmonic or inharmonic partials (ratio, amplitude); each higher
    partial dies away faster, as in a struck bar or a bell."""
    n = int(seconds * RATE)
    env = envelope(n, attack, decay)
    out = [0.0] * n
    for ratio, amp in partials:
        phase = 0.0
        partial_decay = decay / max(1.0, ratio ** 0.8)
        for i in range(n):
            t = i / RATE
            f = freq
            if glide_to is not None:
                f = freq * (glide_to / freq) ** min(1.0, t / seconds)
            phase += 2 * math.pi * f * ratio / RATE
            damp = math.exp(-t / partial_decay) if ratio > 1 else 1.0
            out[i] += amp * damp * math.sin(phase)
    return [v * e for v, e in zip(out, env)]


class Noise:
    """Deterministic white noise (a linear congruential generator)."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (1103515245 * self.state + 12345) & 0x7FFFFFFF
        return self.state / 0x3FFFFFFF - 1.0


def soft_tick(seconds, freq, body, seed):
    """A short, rounded tick: a quickly fading high tone over a body tone and a
    little low-passed noise."""
    n = int(seconds * RATE)
    noise = Noise(seed)
    lp = 0.0
    out = []
    for i in range(n):
        t = i / RATE
        lp += 0.25 * (noise.next() - lp)
        v = 0.55 * math.sin(2 * math.pi * freq * t) * math.exp(-t / 0.006)
        v += 0.45 * math.sin(2 * math.pi * body * t) * math.exp(-t / 0.012)
        v += 0.25 * lp * math.exp(-t / 0.003)
        out.append(v)
    env = envelope(n, 0.0015, 0, release=0.006)
    return [v * e for v, e in zip(out, env)]


MARIMBA = ((1, 1.0), (4, 0.25), (10, 0.06))
BELL = ((1, 1.0), (2.0, 0.35), (2.76, 0.25), (5.4, 0.08))
ROUND = ((1, 1.0), (2, 0.18), (3, 0.05))


def wrong_key():
    tr = Track(0.30)
    tr.add(0.0, tone(note("Eb4"), 0.12, ROUND, attack=0.012, decay=0.09))
    tr.add(0.10, tone(note("B3"), 0.20, ROUND, attack=0.012, decay=0.10))
    return tr.finish(0.45)


def sentence_end():
    tr = Track(0.78)
    for k, name in enumerate(["C5", "E5", "G5"]):
        tr.add(0.09 * k, tone(note(name), 0.78 - 0.09 * k, MARIMBA, decay=0.22))
    tr.add(0.18, tone(note("C4"), 0.6, ROUND, attack=0.02, decay=0.25), 0.35)
    return tr.finish(0.5)


def record():
    tr = Track(0.96)
    for k, name in enumerate(["C5", "E5", "G5", "C6"]):
        tr.add(0.075 * k, tone(note(name), 0.96 - 0.075 * k, MARIMBA, decay=0.25))
    for name in ["E5", "G5"]:
        tr.add(0.30, tone(note(name), 0.66, MARIMBA, decay=0.28), 0.5)
    sparkle = ["G6", "C7", "E7", "D7", "G7", "E7"]
    for k, name in enumerate(sparkle):
        tr.add(0.33 + 0.065 * k, tone(note(name), 0.25, BELL, attack=0.003, decay=0.07), 0.16)
    return tr.finish(0.5)


def sentence_start():
    tr = Track(0.16)
    tr.add(0.0, tone(note("E5"), 0.16, ROUND, attack=0.008, decay=0.07, glide_to=note("A5")))
    return tr.finish(0.35)


def about_box():
    tr = Track(0.92)
    melody = [("G5", 0.0), ("C6", 0.12), ("E6", 0.24), ("D6", 0.36), ("C6", 0.48), ("G6", 0.60)]
    for name, at in melody:
        tr.add(at, tone(note(name), 0.92 - at, BELL, attack=0.004, decay=0.18), 0.8)
    tr.add(0.0, tone(note("C4"), 0.9, ROUND, attack=0.03, decay=0.4), 0.25)
    return tr.finish(0.45)


def results_window():
    tr = Track(0.85)
    tr.add(0.0, tone(note("G5"), 0.85, BELL, attack=0.004, decay=0.3))
    tr.add(0.20, tone(note("C6"), 0.65, BELL, attack=0.004, decay=0.3))
    return tr.finish(0.45)


def keystroke():
    tr = Track(0.045)
    tr.add(0.0, soft_tick(0.045, 1700.0, 620.0, seed=107))
    return tr.finish(0.3)


def spare_chime():
    tr = Track(0.40)
    tr.add(0.0, tone(note("D6"), 0.40, BELL, attack=0.004, decay=0.14))
    return tr.finish(0.35)


def split_switched():
    tr = Track(0.30)
    for k, name in enumerate(["A5", "E5", "A5"]):
        tr.add(0.085 * k, tone(note(name), 0.13, ROUND, attack=0.006, decay=0.05))
    return tr.finish(0.4)


def welcome():
    tr = Track(2.3)
    beat = 0.16
    melody = ["C5", "E5", "G5", "A5", "G5", "E5", "G5", None, "C6"]
    for k, name in enumerate(melody):
        if name:
            length = 2.3 - k * beat if k == len(melody) - 1 else 0.7
            tr.add(k * beat, tone(note(name), min(length, 2.3 - k * beat), MARIMBA, decay=0.24))
    for k, name in enumerate(["C3", "G3", "F3", "C3"]):
        tr.add(2 * k * beat, tone(note(name), 0.5, ROUND, attack=0.015, decay=0.18), 0.45)
    end = len(melody) - 1
    for name in ["E5", "G5"]:
        tr.add(end * beat, tone(note(name), 2.3 - end * beat, MARIMBA, decay=0.3), 0.55)
    tr.add(end * beat, tone(note("C4"), 2.3 - end * beat, ROUND, attack=0.03, decay=0.4), 0.4)
    return tr.finish(0.5)


def click():
    tr = Track(0.03)
    tr.add(0.0, soft_tick(0.03, 2400.0, 900.0, seed=111))
    return tr.finish(0.28)


SOUNDS = {
    101: wrong_key,
    102: sentence_end,
    103: record,
    104: sentence_start,
    105: about_box,
    106: results_window,
    107: keystroke,
    108: spare_chime,
    109: split_switched,
    110: welcome,
    111: click,
}


def write_wav(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        frames = b"".join(
            struct.pack("<h", max(-32767, min(32767, int(round(v * 32767))))) for v in samples
        )
        w.writeframes(frames)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "sounds")
    os.makedirs(folder, exist_ok=True)
    for number, make in SOUNDS.items():
        write_wav(os.path.join(folder, f"{number}.wav"), make())


if __name__ == "__main__":
    main()
