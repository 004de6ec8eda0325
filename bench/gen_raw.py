#!/usr/bin/env python3
"""Writes a raw download file of a given size for the conversion benchmarks.

usage: gen_raw.py 210|700 MEGABYTES OUTFILE

210: GTS-210/220 family download: station lines, a backsight and point
     lines of every record kind, as the download stores them.
700: GTS-600/700 download: STN, BKB, then SS/SD and SS/HD pairs.
"""
import sys


def block210(s):
    yield "_'S%d_)K0_(1.550__+" % s
    yield "B%d_ ?+00045678m0900000+0000000d_)POL_(1.600__+" % s
    for p in range(20):
        n = "P%d.%d" % (s, p)
        k = p % 5
        if k == 0:
            yield n + "_ ?+%08dm0901230+%07dd_)K1_(1.600__+" % (10000 + p * 137, (p * 171717) % 4000000)
        elif k == 1:
            yield n + "_ R+%08dm0895540+0452010g+00001234_)BINA_(1.700__+" % (20000 + p)
        elif k == 2:
            yield n + "_ <0921500+%07d_)K2_(1.700__+" % ((p * 99991) % 4000000)
        elif k == 3:
            yield n + "_ U+%08d+23456789+00123456_+" % (12345678 + p)
        else:
            yield n + "_ W+000152000m09500000015010000++0045001000+0032002000+0000125000_)KOSE_(1.600_+"


def block700(s):
    yield "STN,S%d,1.550,K0" % s
    yield "BKB,B%d,0,45.3000" % s
    for p in range(20):
        yield "SS,P%d.%d,1.700,AGAC" % (s, p)
        if p % 2:
            yield "SD,%d.%04d,89.5930,%d.%03d" % (p * 17 % 400, p, 10 + p, p)
        else:
            yield "HD,%d.%04d,%d.%03d,-1.234" % (p * 17 % 400, p, 10 + p, p)


def main():
    family, mb, out = sys.argv[1], float(sys.argv[2]), sys.argv[3]
    target = int(mb * 1024 * 1024)
    make = block210 if family == "210" else block700
    written = 0
    s = 0
    with open(out, "wb") as f:
        while written < target:
            chunk = "".join(line + "\r\n" for line in make(s)).encode("ascii")
            f.write(chunk)
            written += len(chunk)
            s += 1


if __name__ == "__main__":
    main()
