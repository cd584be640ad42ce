"""Files from Python: the three forms round trip, numbers are exact, and
every wrong input raises the exception that names it."""

import json
import math
import struct

import pytest

import buildingmodel as bm
from demo_building import build_demo


@pytest.fixture(scope="module")
def demo():
    return build_demo(bm.Model())


def test_text_archive_and_json_give_back_the_model_they_were_written_from(demo, tmp_path):
    expected = demo.to_dict()
    assert demo.write_e2k(tmp_path / "m.e2k") == []
    demo.save(str(tmp_path / "m.bma"))
    bm.write_json(demo, bytes(tmp_path / "m.json"))
    assert json.loads((tmp_path / "m.json").read_text(encoding="utf-8")) == expected
    for name, form in (("m.e2k", "text model"), ("m.bma", "model archive")):
        back = bm.read(tmp_path / name)
        assert back.form == form
        assert back.to_dict() == expected, name
        assert back.trailing_bytes == 0
    # Bytes after the archive's last block: the model is complete, and said to be followed.
    (tmp_path / "tail.bma").write_bytes((tmp_path / "m.bma").read_bytes() + b"tail")
    tailed = bm.read(tmp_path / "tail.bma")
    assert tailed.trailing_bytes == 4
    assert tailed.to_dict() == expected


def test_numbers_cross_json_exactly(tmp_path):
    model = bm.Model()
    values = [1 / 3, 0.1 + 0.2, 5e-324, 1.7976931348623157e308, -0.0, 3.0, 2.5e20, 1e-7]
    for i, value in enumerate(values):
        model.add_material(f"M{i}", value, -value, "STEEL", value, 0.3, value)
    for material, value in zip(model.to_dict()["materials"], values):
        for key in ("mass", "e", "a"):
            assert type(material[key]) is float
            assert struct.pack("<d", material[key]) == struct.pack("<d", value), (key, value)
        assert material["weight"] == -value
    model.add_material("NAN", math.nan, math.inf, "STEEL", 1.0, 0.3, 1.0)
    assert model.to_dict()["materials"][-1]["mass"] is None  # JSON has no NaN
    assert model.materials["NAN"].mass != model.materials["NAN"].mass  # the attribute keeps it


def test_the_read_report_is_data(demo, tmp_path):
    text = (tmp_path / "m.e2k")
    demo.write_e2k(text)
    lines = text.read_bytes().replace(b"\n\n$ POINT OBJECT LOADS", b'\n  BOGUS "X"  1\n\n$ POINT OBJECT LOADS', 1)
    text.write_bytes(lines)
    model = bm.read(text)
    assert model.file_version == 8
    kinds = {entry["kind"] for entry in model.read_report}
    assert kinds <= {"model data", "not model data", "unused key"}
    assert model.model_data_not_taken == sum(e["lines"] for e in model.read_report if e["kind"] == "model data")
    assert [(e["keyword"], e["kind"], e["lines"]) for e in model.read_report if e["kind"] == "model data"] == [
        ("BOGUS", "model data", 1)]
    assert bm.Model().read_report == [] and bm.Model().form == ""


def archive_bytes(demo, tmp_path):
    demo.save(tmp_path / "good.bma")
    return (tmp_path / "good.bma").read_bytes()


@pytest.mark.parametrize("case, content, error, cause", [
    ("missing", None, FileNotFoundError, None),
    ("folder", "folder", IsADirectoryError, None),
    ("empty", b"", ValueError, None),
    ("binary", bytes(range(256)) * 4, ValueError, None),
    ("truncated archive", lambda good: good[: len(good) // 2], bm.ArchiveError, "end_of_file"),
    ("unknown class", lambda good: good.replace(b"CBMLevel", b"CBMLevex", 1), bm.ArchiveError, "bad_class"),
])
def test_wrong_inputs_raise_what_they_are(demo, tmp_path, case, content, error, cause):
    path = tmp_path / "input"
    if content == "folder":
        path.mkdir()
    elif callable(content):
        path.write_bytes(content(archive_bytes(demo, tmp_path)))
    elif content is not None:
        path.write_bytes(content)
    with pytest.raises(error) as raised:
        bm.read(path)
    if isinstance(raised.value, OSError):
        assert raised.value.filename == path
    if cause:
        assert raised.value.cause == cause and isinstance(raised.value, ValueError)


def test_unwritable_outputs_raise_os_errors(demo, tmp_path):
    for write in (demo.write_e2k, demo.save, lambda p: bm.write_json(demo, p)):
        with pytest.raises(OSError):
            write(tmp_path / "no such folder" / "out")
        with pytest.raises(OSError):
            write(tmp_path)
