#!/usr/bin/env python3
"""Looks at a raw recording of the null sink (signed 16-bit little-endian stereo, 44.1 kHz)
while it is still being written, so the end-to-end runs poll for what they wait for.

  sound.py heard RAW          seconds recorded since the first quarter second holding sound
  sound.py tones RAW F1 F2    exit 0 once F1 has been heard and then F2, six quarters each
"""
import struct
import sys

RATE = 44100
QUARTER = RATE // 4


def quarters(path):
    with open(path, "rb") as f:
        data = f.read()
    data = data[: len(data) // 4 * 4]
    left = struct.unpack("<%dh" % (len(data) // 2), data)[::2]
    return [left[i : i + QUARTER] for i in range(0, len(left) - QUARTER + 1, QUARTER)]


def loud(part):
    return max(abs(s) for s in part) >= 3000


def frequency(part):
    crossings = sum(1 for a, b in zip(part, part[1:]) if (a < 0) != (b < 0))
    return crossings / 2 * 4


def heard(path):
    parts = quarters(path)
    first = next((i for i, p in enumerate(parts) if loud(p)), None)
    print(0 if first is None else (len(parts) - first) / 4)


def tones(path, f1, f2):
    near = lambda f, target: abs(f - target) < target * 0.05
    heard = [frequency(p) for p in quarters(path) if loud(p)]
    low = [i for i, f in enumerate(heard) if near(f, f1)]
    high = [i for i, f in enumerate(heard) if near(f, f2)]
    # A track's edges may blur a quarter, so six of its eight quarters are enough.
    return len(low) >= 6 and len(high) >= 6 and max(low) < min(high)


if __name__ == "__main__":
    if sys.argv[1] == "heard":
        heard(sys.argv[2])
    else:
        sys.exit(0 if tones(sys.argv[2], float(sys.argv[3]), float(sys.argv[4])) else 1)
