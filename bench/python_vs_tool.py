#!/usr/bin/env python3
"""Times reading one text model from Python against `bmtool info` on it.

Usage: python_vs_tool.py BMTOOL PYTHONPATH [--storeys N --bays N --runs N]

Generates a demo model (about 50 MB of text with the defaults) with
`bmtool demo`, then times, whole process and interleaved, `bmtool info FILE`
and `python3 -c "buildingmodel.read(FILE)"` with the module found on
PYTHONPATH. Prints the median of each and their ratio.
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time


def timed(command, env=None):
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, env=env)
    return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("bmtool")
    parser.add_argument("pythonpath")
    parser.add_argument("--storeys", type=int, default=10)
    parser.add_argument("--bays", type=int, default=72)
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([args.bmtool, "-q", "demo", folder, "--storeys", str(args.storeys), "--bays-x",
                        str(args.bays), "--bays-y", str(args.bays)], check=True, stdout=subprocess.DEVNULL)
        text = os.path.join(folder, "demo.e2k")
        size = os.path.getsize(text) / 1e6
        env = dict(os.environ, PYTHONPATH=args.pythonpath)
        script = "import sys, buildingmodel; buildingmodel.read(sys.argv[1])"
        tool, python = [], []
        for _ in range(args.runs):
            tool.append(timed([args.bmtool, "-q", "info", text]))
            python.append(timed([sys.executable, "-c", script, text], env))
        t, p = statistics.median(tool), statistics.median(python)
        print(f"file: {size:.1f} MB, {args.runs} runs each, medians")
        print(f"bmtool info:        {t:.3f} s ({size / t:.0f} MB/s)")
        print(f"buildingmodel.read: {p:.3f} s ({size / p:.0f} MB/s)")
        print(f"python / tool:      {p / t:.3f}")


if __name__ == "__main__":
    main()
