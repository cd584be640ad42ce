"""The README's Python examples run as written."""

import glob
import os
import pathlib
import re
import subprocess
import sys

import buildingmodel as bm
from demo_building import build_demo

README = pathlib.Path(__file__).resolve().parents[2] / "README.md"


def examples():
    return re.findall(r"```python\n(.*?)```", README.read_text(encoding="utf-8"), re.S)


def run(code, *args):
    done = subprocess.run([sys.executable, "-c", code, *map(str, args)], capture_output=True, text=True)
    assert done.returncode == 0, done.stderr
    return done.stdout


def test_readme_examples_run(tmp_path):
    columns, convert = examples()
    build_demo(bm.Model()).write_e2k(tmp_path / "demo.e2k")
    corpus = sorted(glob.glob(os.path.join(os.environ.get("BM_CORPUS_DIR", ""), "e2k", "*.e2k")))
    out = run(columns, corpus[0] if corpus else tmp_path / "demo.e2k")
    assert re.search(r"^  \S+ +\S+$", out, re.M), out  # a column and its section

    (tmp_path / "broken.e2k").write_bytes(b"\x00\x01")
    out = run(convert, tmp_path)
    assert "demo.e2k: 0 lines of model data not taken" in out
    assert "broken.e2k: not read:" in out
    assert bm.read(tmp_path / "demo.bma").to_dict() == bm.read(tmp_path / "demo.e2k").to_dict()
