#!/usr/bin/env python3
"""Builds the results table of docs/performance.md from run_scale.sh output."""
import glob
import json
import os
import sys

OPS = ["Build", "ProcessGeometry", "WriteText", "ReadText", "ReadLaterText", "SaveArchive", "LoadArchive"]


def load(path):
    with open(path) as f:
        return json.load(f)["benchmarks"]


def main(out):
    # Every run of every timing pass; a figure is its fastest run, since
    # noise on a shared machine only ever adds time.
    timing = {}
    for path in sorted(glob.glob(os.path.join(out, "timing*.json"))):
        for b in load(path):
            if b.get("run_type") == "aggregate":
                continue
            timing.setdefault(b["run_name"], []).append(b)
    memory = {}
    for path in glob.glob(os.path.join(out, "memory-*.json")):
        for b in load(path):
            memory[b["run_name"]] = b
    sizes = []
    for name in timing:
        size = name.split("/", 1)[1]
        if size not in sizes:
            sizes.append(size)
    print("| operation | storeys/bays | elements | CPU us/elem | ratio to smallest | MB/s (CPU) | "
          "cold us/elem | peak B/elem | peak / file |")
    print("|---|---|---:|---:|---:|---:|---:|---:|---:|")
    for op in OPS:
        smallest = None
        for size in sizes:
            runs = timing.get(f"{op}/{size}")
            if not runs:
                continue
            fastest = min(runs, key=lambda r: r["s_per_elem"])
            per_elem = fastest["s_per_elem"] * 1e6
            if smallest is None:
                smallest = per_elem
            rate = fastest.get("bytes_per_second", 0) / 1e6
            m = memory.get(f"{op}/{size}", {})
            peak = m.get("peak_B_per_elem")
            per_file = m.get("peak_per_file_B")
            cold = m.get("s_per_elem")
            print(f"| {op} | {size} | {runs[0]['elements']:.0f} | {per_elem:.2f} | {per_elem / smallest:.2f} | "
                  f"{rate:.0f} | {'' if cold is None else f'{cold * 1e6:.2f}'} | "
                  f"{'' if peak is None else f'{peak:.0f}'} | "
                  f"{'' if not per_file else f'{per_file:.2f}'} |".replace("| 0 |", "| - |"))


if __name__ == "__main__":
    main(sys.argv[1])
