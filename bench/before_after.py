#!/usr/bin/env python3
"""Prints the before-and-after tables of docs/performance.md from the output
folder of before_after.sh (arguments: the folder, the sizes in bytes of the
whole-process text file and archive)."""
import glob
import json
import os
import sys

OPS = ["ReadText", "ReadLaterText", "LoadArchive", "SaveArchive", "WriteText"]
SIDES = ["before", "after"]


def benchmarks(path):
    with open(path) as f:
        return [b for b in json.load(f)["benchmarks"] if b.get("run_type") != "aggregate"]


def fastest_rates(out, side):
    """MB/s of each benchmark's fastest run over the timing passes."""
    rates = {}
    for path in glob.glob(os.path.join(out, f"timing-{side}-*.json")):
        for b in benchmarks(path):
            rate = b.get("bytes_per_second", 0) / 1e6
            rates[b["run_name"]] = max(rates.get(b["run_name"], 0), rate)
    return rates


def instructions_per_byte(out, side, op):
    try:
        with open(os.path.join(out, f"instructions-{side}-{op}.txt")) as f:
            count = int(f.read().strip())
        run = benchmarks(os.path.join(out, f"count-{side}-{op}.json"))[0]
    except (OSError, ValueError, IndexError):
        return None
    return count / (run["file_MB"] * 1e6 * run["iterations"])


def peak_per_file(out, side, op):
    try:
        return benchmarks(os.path.join(out, f"memory-{side}-{op}.json"))[0]["peak_per_file_B"]
    except (OSError, IndexError, KeyError):
        return None


def cell(value, fmt):
    return "" if value is None else format(value, fmt)


def main(out, text_bytes, archive_bytes):
    rates = {side: fastest_rates(out, side) for side in SIDES}
    sizes = ["10/5", "10/50", "10/158"]
    print("| operation | " + " | ".join(f"MB/s {s} before | after" for s in sizes) +
          " | instructions/byte before | after | peak/file before | after |")
    print("|---|" + "---:|" * (2 * len(sizes) + 4))
    for op in OPS:
        row = [op]
        for s in sizes:
            row += [cell(rates[side].get(f"{op}/{s}"), ".0f") for side in SIDES]
        row += [cell(instructions_per_byte(out, side, op), ".1f") for side in SIDES]
        row += [cell(peak_per_file(out, side, op), ".2f") for side in SIDES]
        print("| " + " | ".join(row) + " |")
    # Whole process: fastest run of each side and file.
    best = {}
    with open(os.path.join(out, "process.txt")) as f:
        for line in f:
            parts = line.split()
            if len(parts) != 4:
                continue
            side, name, seconds, kb = parts[0], parts[1], float(parts[2]), int(parts[3])
            prev = best.get((side, name))
            if prev is None or seconds < prev[0]:
                best[(side, name)] = (seconds, kb)
    print()
    print("| `bmtool -q info` | before s | MB/s | peak/file | after s | MB/s | peak/file |")
    print("|---|---:|---:|---:|---:|---:|---:|")
    for name, size in (("demo.e2k", text_bytes), ("demo.bma", archive_bytes)):
        row = [f"{name} ({size / 1e6:.1f} MB)"]
        for side in SIDES:
            seconds, kb = best.get((side, name), (None, None))
            if seconds is None:
                row += ["", "", ""]
                continue
            row += [f"{seconds:.2f}", f"{size / 1e6 / seconds:.0f}", f"{kb * 1024 / size:.2f}"]
        print("| " + " | ".join(row) + " |")


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]), int(sys.argv[3]))
