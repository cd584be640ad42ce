#!/usr/bin/python3
"""Time to open a large model in bmtool view's page, in headless Chromium.

Generates the demo building at a size of about 100,000 members, writes its
page with `bmtool view`, opens it three times in a fresh headless Chromium
(software WebGL) and prints the median time from navigation start to the
first frame drawn (window.viewer.stats.firstFrameMs, recorded by the page).

  /usr/bin/python3 bench/view_open_time.py --bmtool build/release/tools/bmtool/bmtool

Needs the Debian packages chromium, chromium-driver and python3-selenium.
"""

import argparse
import json
import os
import shutil
import statistics
import subprocess
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

CHROME_ARGS = ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
               "--disable-background-networking", "--disable-component-update", "--disable-sync",
               "--use-gl=swiftshader", "--enable-unsafe-swiftshader", "--window-size=1200,800")


def open_once(url):
    """firstFrameMs and the page's stats of one page load in a fresh browser."""
    profile = tempfile.mkdtemp(prefix="bm-view-bench-")
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for arg in CHROME_ARGS + ("--user-data-dir=" + profile,):
        options.add_argument(arg)
    driver = webdriver.Chrome(service=Service(shutil.which("chromedriver") or "/usr/bin/chromedriver"),
                              options=options)
    try:
        driver.set_page_load_timeout(300)
        driver.get(url)
        deadline = time.time() + 300
        while time.time() < deadline:
            stats = driver.execute_script("return window.viewer ? window.viewer.stats : null")
            if stats and stats["firstFrameMs"]:
                return stats
            time.sleep(0.05)
        raise RuntimeError("the page drew no frame")
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bmtool", default=os.environ.get("BMTOOL", "build/release/tools/bmtool/bmtool"))
    parser.add_argument("--storeys", type=int, default=20)
    parser.add_argument("--bays", type=int, default=35, help="bays along X and along Y")
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="bm-view-open-")
    try:
        subprocess.run([args.bmtool, "-q", "demo", work, "--storeys", str(args.storeys), "--bays-x",
                        str(args.bays), "--bays-y", str(args.bays)], check=True, stdout=subprocess.DEVNULL)
        page = os.path.join(work, "demo.html")
        subprocess.run([args.bmtool, "-q", "view", os.path.join(work, "demo.e2k"), "-o", page], check=True,
                       stdout=subprocess.DEVNULL)
        runs = [open_once("file://" + page) for _ in range(args.runs)]
        first = [r["firstFrameMs"] for r in runs]
        print(json.dumps({"members": runs[0]["members"], "page_bytes": os.path.getsize(page),
                          "parse_ms": round(statistics.median(r["parseMs"] for r in runs)),
                          "first_frame_ms": [round(t) for t in first]}))
        print("open time (navigation start to first frame), median of %d: %.0f ms for %d members"
              % (len(first), statistics.median(first), runs[0]["members"]))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
