#!/usr/bin/env python3
"""N tiny tracks for the window benchmarks: hard links to a few copies of WORK/one.mp3 (a file
takes at most 65,000 links) in WORK/many/, listed either as a playlist of bare names
(WORK/many/list.m3u) or as one hand-off line per file (WORK/prog/quorv.tmp), as N starts within
a second would leave them.

  tiny_tracks.py WORK N playlist|handoff
"""
import os
import shutil
import sys

work, n, kind = sys.argv[1], int(sys.argv[2]), sys.argv[3]
os.mkdir(f"{work}/many")
out = f"{work}/many/list.m3u" if kind == "playlist" else f"{work}/prog/quorv.tmp"
with open(out, "w", newline="") as listing:
    for i in range(n):
        source = f"{work}/one{i // 50000}.mp3"
        if not os.path.exists(source):
            shutil.copy(f"{work}/one.mp3", source)
        path = f"{work}/many/t{i:06d}.mp3"
        os.link(source, path)
        listing.write((f"t{i:06d}.mp3" if kind == "playlist" else path) + "\r\n")
