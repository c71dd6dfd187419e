#!/usr/bin/env python3
"""The anchor for the reader benchmark: pandas.read_csv (C engine) on the same
download file. Prints the best processor time and the best wall time, in seconds,
of REPEATS reads.

usage: pandas_read.py PATH REPEATS
"""
import sys
import time

import pandas as pd


def main():
    path, repeats = sys.argv[1], int(sys.argv[2])
    best_cpu = best_wall = float("inf")
    for _ in range(repeats):
        c0, w0 = time.process_time(), time.perf_counter()
        frame = pd.read_csv(path, engine="c", encoding="cp1252")
        best_cpu = min(best_cpu, time.process_time() - c0)
        best_wall = min(best_wall, time.perf_counter() - w0)
        assert len(frame) > 0
    print("%.6f %.6f" % (best_cpu, best_wall))


if __name__ == "__main__":
    main()
