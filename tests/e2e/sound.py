#!/usr/bin/env python3
"""Looks at a raw recording of the null sink (signed 16-bit little-endian stereo, 44.1 kHz)
while it is still being written, so the end-to-end runs poll for what they wait for.

  sound.py heard RAW          seconds recorded since the first quarter second holding sound
  sound.py tones RAW F1 F2    exit 0 once F1 has been heard and then F2, six quarters each

Each quarter second is looked at once: what was found is kept in RAW.quarters, so a poll costs
only the new part of the recording however long it grows.
"""
import array
import json
import os
import statistics
import sys

RATE = 44100
QUARTER = RATE // 4
FRAME = 4  # bytes of one stereo sample


def loud(left):
    return max(abs(s) for s in left) >= 3000


def frequency(left):
    # The median distance between rising zero crossings: a gap in the sound (a slow machine
    # lets the sink run dry) leaves the period as it was, where counting crossings would not.
    rising = [i for i in range(1, len(left)) if left[i - 1] < 0 <= left[i]]
    gaps = [b - a for a, b in zip(rising, rising[1:])]
    return RATE / statistics.median(gaps) if gaps else 0.0


def quarters(path):
    """Per quarter second: [loud, frequency]."""
    cache = path + ".quarters"
    try:
        with open(cache) as f:
            found = json.load(f)
    except (OSError, ValueError):
        found = []
    with open(path, "rb") as f:
        f.seek(len(found) * QUARTER * FRAME)
        data = f.read()
    whole = len(data) // (QUARTER * FRAME)
    for q in range(whole):
        samples = array.array("h")
        samples.frombytes(data[q * QUARTER * FRAME : (q + 1) * QUARTER * FRAME])
        if sys.byteorder != "little":
            samples.byteswap()
        left = samples[::2]
        found.append([loud(left), frequency(left) if loud(left) else 0.0])
    if whole:
        with open(cache + ".new", "w") as f:
            json.dump(found, f)
        os.replace(cache + ".new", cache)
    return found


def heard(path):
    parts = quarters(path)
    first = next((i for i, (is_loud, _) in enumerate(parts) if is_loud), None)
    print(0 if first is None else (len(parts) - first) / 4)


def tones(path, f1, f2):
    near = lambda f, target: abs(f - target) < target * 0.05
    heard = [f for is_loud, f in quarters(path) if is_loud]
    low = [i for i, f in enumerate(heard) if near(f, f1)]
    high = [i for i, f in enumerate(heard) if near(f, f2)]
    # A track's edges may blur a quarter, so six of its eight quarters are enough.
    return len(low) >= 6 and len(high) >= 6 and max(low) < min(high)


if __name__ == "__main__":
    if sys.argv[1] == "heard":
        heard(sys.argv[2])
    else:
        sys.exit(0 if tones(sys.argv[2], float(sys.argv[3]), float(sys.argv[4])) else 1)
