"""The Python module: building a model with the managers' operations, the three file forms, objects that agree
with the JSON form, list views, lifetime, wrong inputs, and the README's examples as written."""

import ast
import gc
import glob
import json
import os
import pathlib
import re
import subprocess
import sys
from math import inf, nan

import pytest

import buildingmodel as bm
from demo_building import build_demo

CORPUS = sorted(glob.glob(os.path.join(os.environ.get("BM_CORPUS_DIR", ""), "e2k", "*")))
KINDS = {n for n, c in vars(bm).items() if isinstance(c, type) and hasattr(c, "to_dict")} - {"Model"}
RAW = "C\udce920"  # a point name that is not UTF-8 crosses as str with surrogate escapes


def e2k(model, tmp_path, name="m.e2k"):
    model.write_e2k(tmp_path / name)
    return (tmp_path / name).read_text(encoding="latin-1")


def small_model():
    m = bm.Model()  # two storeys; four columns, a beam, a wall and a slab on STORY1
    m.set_units("KN", "M")
    m.add_level("BASE", 0.0, 0.0)
    m.add_level("STORY1", 3.0, 3.0)
    m.add_material("C30", 2.5, 24.5, "CONCRETE", 3.0e7, 0.2, 1.0e-5)
    m.add_frame_section("S", "RECTANGULAR", "C30", d=0.5, b=0.5)
    m.add_wall_section("W", "C30", 0.2)
    m.add_slab_section("F", "C30", 0.1)
    for name, x, y in (("C1", 0, 0), ("C1Y", 0, 5), ("C2", 6, 0), ("C2Y", 6, 5)):
        m.add_column(name, x, y, "STORY1", "S")
    m.add_beam("B1", 0.0, 0.0, 6.0, 0.0, "STORY1", "S")
    m.add_wall("W1", 0.0, 0.0, 0.0, 5.0, "STORY1", "W")
    m.add_slab("F1", [(0, 0), (6, 0), (6, 5), (0, 5)], "STORY1", "F")
    m.add_load_case("DEAD", "DEAD", 1.0)
    return m


@pytest.mark.parametrize("size", [{}, {"storeys": 2, "bays_x": 1, "bays_y": 2}], ids=["default", "small"])
def test_demo_building_writes_the_same_files_as_bmtool(size, tmp_path):
    if not os.environ.get("BMTOOL"):
        pytest.skip("BMTOOL (the path of bmtool) is not set")
    options = [f"--{key.replace('_', '-')}={value}" for key, value in size.items()]
    subprocess.run([os.environ["BMTOOL"], "-q", "demo", tmp_path / "tool", *options], check=True, capture_output=True)
    model = build_demo(bm.Model(), **size)
    model.write_e2k(tmp_path / "py.e2k")
    model.save(tmp_path / "py.bma")
    for ours, theirs in (("py.e2k", "tool/demo.e2k"), ("py.bma", "tool/demo.bma")):
        data = (tmp_path / ours).read_bytes()
        assert len(data) > 1000 and data == (tmp_path / theirs).read_bytes(), ours


@pytest.mark.parametrize("call", [
    lambda m: m.add_column("C9", 1, 1, "NOPE", "S"),  # unknown storey
    lambda m: m.add_beam("B9", 0, 0, 1, 1, "NOPE", "S"),
    lambda m: m.add_brace("BR9", 0, 0, 6, 0, "STORY1", "NOPE", "S"),  # the storey below unknown
    lambda m: m.add_wall("W9", 0, 0, 1, 0, "", "W"),
    lambda m: m.add_slab("F9", [], "STORY1", "F"),  # no points
    lambda m: m.add_joint_restraint("BASE", 1.5, 1.5),  # at no point
    lambda m: m.add_joint_restraint("story1", 0, 0),  # the storey is looked up as given, not upper-cased
    lambda m: m.add_joint_restraint("STORY1", nan, nan),
    lambda m: m.assign_joint_diaphragm("STORY1", 9, 9, "D1"),
    lambda m: m.assign_beam_load("STORY1", "B2", "UNIFF", "GRAV", "DEAD", 0, 1, 1, 1),  # unknown handle
    lambda m: m.assign_beam_load("X" * 100000, "B1", "UNIFF", "GRAV", "DEAD", 0, 1, 1, 1),
    lambda m: m.assign_wall_load("STORY1", "B1", "UNIFF", "GRAV", "DEAD", 0, 1, 1, 1),  # a beam's handle
    lambda m: m.assign_slab_load("STORY1", "", "UNIFF", "GRAV", "DEAD", 1),
    lambda m: m.assign_joint_load("STORY1", 3, 3, "DEAD", fx=nan),  # at no joint
])
def test_refused_operations_give_none_and_change_nothing(call, tmp_path):
    m = small_model()
    before = e2k(m, tmp_path, "before.e2k")
    assert call(m) is None
    assert e2k(m, tmp_path, "after.e2k") == before


@pytest.mark.parametrize("name, shape, dimensions", [
    ("R", "RECTANGULAR", dict(d=0.6, b=0.3)), ("CIRC", "CIRCLE", dict(d=0.8)), ("P", "PIPE", dict(d=0.3, t=0.012)),
    ("I", "I/WIDE FLANGE", dict(d=0.4, b=0.2, tf=0.013, tw=0.008)),
    ("BOX", "BOX/TUBE", dict(tw=0.01, tf=0.02, b=0.3, d=0.5)),
    ("G", "GENERAL", dict(d=0.5, b=0.4, area=0.2, torsion=0.01, i33=0.003, i22=0.002, as2=0.15, as3=0.16, s33=0.012,
                          s22=0.011, z33=0.014, z22=0.013, r33=0.21, r22=0.19)),
    ("S2", "PIPE", dict(d=0.3, t=0.01)),  # a material that matches nothing still makes the section
])
def test_frame_section_keywords_set_the_written_dimensions(name, shape, dimensions, tmp_path):
    m = small_model()
    assert m.add_frame_section(name, shape, "NO MATERIAL" if name == "S2" else "C30", **dimensions) is not None
    assert m.add_column("C9", 9, 9, "STORY1", "NO SECTION") is not None  # as a section that matches nothing
    for bad, message in [(dict(d=0.5, depth=0.4), "depth"), (dict(b=0.3, t=0.01), "set the same"),
                         (dict(tf=0.01, area=0.2), "set the same"), (dict(d="0.5"), "must be a number")]:
        with pytest.raises(TypeError, match=message):
            m.add_frame_section("BAD", "RECTANGULAR", "C30", **bad)
    text = e2k(m, tmp_path)
    assert 'FRAMESECTION  "BAD"' not in text  # nothing made before the check
    written = re.search(rf'FRAMESECTION\s+"{name}".*SHAPE "[^"]*"(.*)', text).group(1)
    assert {k.lower(): float(v) for k, v in re.findall(r"([A-Z0-9]+)\s+(\S+)", written)} == pytest.approx(dimensions)


@pytest.mark.parametrize("options, named, found", [
    ({}, "B2", True), ({}, "b2", True),  # by default the member's name; loads upper-case the handle they look for
    ({"handle": "roof-1"}, "ROOF-1", True), ({"handle": "roof-1"}, "B2", False),  # upper-cased, in place of the name
    ({"handle": ""}, "B2", False),  # "" leaves the member without a handle
])
def test_beam_handles(options, named, found, tmp_path):
    m = small_model()
    assert m.add_beam("B2", 0.0, 5.0, 6.0, 5.0, "STORY1", "S", **options)
    m.assign_beam_load("STORY1", named, "UNIFF", "GRAV", "DEAD", 0.0, 7.5, 1.0, 7.5)
    assert ('LINELOAD  "B2"' in e2k(m, tmp_path)) == found


@pytest.mark.parametrize("flags, words", [({}, "UX UY UZ RX RY RZ "), (dict(ux=False, uy=False), "UZ RX RY RZ "),
                                          (dict(rx=False, ry=False, rz=False), "UX UY UZ ")])
def test_restraint_flags(flags, words, tmp_path):
    m = small_model()
    assert m.add_joint_restraint("BASE", 6.0, 0.0, **flags) is not None
    assert f'POINTASSIGN  "C2"  "BASE" RESTRAINT "{words}"' in e2k(m, tmp_path)


def test_hostile_values_are_kept_and_written(tmp_path):
    m, huge = small_model(), "H" * 1_000_000
    made = [m.add_column("", nan, nan, "STORY1", "S"), m.add_column(huge, inf, -inf, "STORY1", "S"),
            m.add_beam("\udcff\udc80", nan, 0, 0, nan, "STORY1", "", handle=huge),
            m.add_brace("BR1", 0, 0, 6, 0, "BASE", "STORY1", "S"),  # upside down: kept, as the manager does
            m.add_wall("W2", nan, nan, nan, nan, "STORY1", "W"), m.add_level("", nan, -inf),
            m.add_slab("F2", [(nan, inf)] * 3, "STORY1", "F", diaphragm="NO SUCH"),
            m.add_material("", nan, inf, "", -1, nan, nan), m.add_load_case(huge, "", nan),
            m.add_combination("", "ADD", [("DEAD", nan), ("", 1.0)])]
    assert None not in made and made[2].name == "\udcff\udc80"  # bytes that are not UTF-8 survive
    m.assign_wall_load("STORY1", "W2", "TRAPF", "GRAV", "DEAD", nan, 1.0, inf, 2.0)
    m.add_virtual_load("V", "V", "STORY1", nan, nan, nan, nan)
    for step in (m.process_geometry, m.process_loading, m.delete_all_virtual_loads):
        step()
    for bad in (lambda: m.add_slab("F3", [(0, 0, 0)], "STORY1", "F"), lambda: m.add_combination("C", "ADD", ["DEAD"])):
        pytest.raises(TypeError, bad)
    assert len(e2k(m, tmp_path)) > 1000
    m.save(tmp_path / "m.bma")
    assert bm.read(tmp_path / "m.bma") is not None


@pytest.fixture(scope="module")
def demo():
    return build_demo(bm.Model())


@pytest.fixture(scope="module")
def demo_text(demo, tmp_path_factory):
    """The demo building's text model, with a combination (which the writer leaves out) added."""
    path = tmp_path_factory.mktemp("demo") / "demo.e2k"
    demo.write_e2k(path)
    return path.read_bytes().replace(b"$ ANALYSIS OPTIONS", b"""$ LOAD COMBINATIONS
  COMBO "COMB1"  TYPE "ADD"
  COMBO "COMB1"  LOAD "DEAD"  SF 1.2
  COMBO "COMB1"  LOAD "LIVE"  SF 1.4

$ ANALYSIS OPTIONS""", 1)


def read_text(tmp_path, text):
    (tmp_path / "model.e2k").write_bytes(text)
    return bm.read(tmp_path / "model.e2k")


def walk(value, found):
    """The value as the JSON form gives it, built from the Python attributes; notes one object of each kind."""
    if hasattr(value, "to_dict"):
        found.setdefault(type(value).__name__, value)
        return {k: walk(getattr(value, k), found) for k, v in vars(type(value)).items() if isinstance(v, property)}
    return value if value is None or isinstance(value, (str, int, float)) else [walk(v, found) for v in value]


@pytest.mark.parametrize("path", CORPUS or [None], ids=lambda p: os.path.basename(p) if p else "no-corpus")
def test_corpus_files_read_whole(path):
    if path is None:
        pytest.skip("no corpus: BM_CORPUS_DIR/e2k is absent")
    model = bm.read(path)
    assert len(model.materials) > 0 and model.storeys[model.storeys[-1].name] == model.storeys[-1]
    assert {m.kind for s in model.storeys for m in [*s.beams, *s.columns, *s.braces]} <= {"beam", "column", "brace"}
    assert {k: walk(getattr(model, k), {}) for k in model.to_dict()} == model.to_dict()  # objects agree with JSON


def test_text_archive_and_json_give_back_the_model_they_were_written_from(demo, tmp_path):
    expected = demo.to_dict()
    assert demo.write_e2k(tmp_path / "m.e2k") == []
    demo.save(str(tmp_path / "m.bma"))
    bm.write_json(demo, bytes(tmp_path / "m.json"))
    assert json.loads((tmp_path / "m.json").read_text(encoding="utf-8")) == expected
    # Bytes after the archive's last block: the model is complete, and said to be followed.
    (tmp_path / "tail.bma").write_bytes((tmp_path / "m.bma").read_bytes() + b"tail")
    for name, form, trailing in (("m.e2k", "text model", 0), ("m.bma", "model archive", 0),
                                 ("tail.bma", "model archive", 4)):
        back = bm.read(tmp_path / name)
        assert (back.form, back.to_dict(), back.trailing_bytes) == (form, expected, trailing), name


def test_the_read_report_is_data(demo_text, tmp_path):
    model = read_text(tmp_path, demo_text.replace(b"\n\n$ POINT OBJECT LOADS", b'\n  BOGUS "X"  1\n\n$ POINT', 1))
    assert model.file_version == 8
    assert {entry["kind"] for entry in model.read_report} <= {"model data", "not model data", "unused key"}
    taken = [(e["keyword"], e["lines"]) for e in model.read_report if e["kind"] == "model data"]
    assert taken == [("BOGUS", 1)] and model.model_data_not_taken == 1
    assert bm.Model().read_report == [] and bm.Model().form == ""


@pytest.mark.parametrize("make, error, cause", [
    (lambda path, good: None, FileNotFoundError, None), (lambda path, good: path.mkdir(), IsADirectoryError, None),
    (lambda path, good: path.write_bytes(b""), ValueError, None),
    (lambda path, good: path.write_bytes(bytes(range(256)) * 4), ValueError, None),
    (lambda path, good: path.write_bytes(good[: len(good) // 2]), bm.ArchiveError, "end_of_file"),
    (lambda path, good: path.write_bytes(good.replace(b"CBMLevel", b"CBMLevex", 1)), bm.ArchiveError, "bad_class"),
], ids=["missing", "folder", "empty", "binary", "truncated archive", "unknown class"])
def test_wrong_inputs_and_outputs_raise_what_they_are(demo, tmp_path, make, error, cause):
    demo.save(tmp_path / "good.bma")
    make(tmp_path / "input", (tmp_path / "good.bma").read_bytes())
    with pytest.raises(error) as raised:
        bm.read(tmp_path / "input")
    assert getattr(raised.value, "filename", tmp_path / "input") == tmp_path / "input"
    assert getattr(raised.value, "cause", None) == cause and (cause is None or isinstance(raised.value, ValueError))
    for write in (demo.write_e2k, demo.save, lambda p: bm.write_json(demo, p)):
        for path in (tmp_path / "no such folder" / "out", tmp_path):
            pytest.raises(OSError, write, path)


def test_every_kind_reads_as_its_json(demo_text, tmp_path):
    model, found = read_text(tmp_path, demo_text), {}
    assert {k: walk(getattr(model, k), found) for k in model.to_dict()} == model.to_dict() and set(found) == KINDS
    assert all(obj.to_dict() == walk(obj, {}) for obj in found.values())
    assert [(t.case, t.factor) for t in model.combinations["COMB1"].terms] == [("DEAD", 1.2), ("LIVE", 1.4)]
    assert repr(model.storeys["STORY1"].beams["B1"]) == "<Member 'B1' beam>"


@pytest.mark.parametrize("operation", [None, "process_geometry", "process_loading", "delete_all_virtual_loads"])
def test_objects_keep_their_model_alive_until_processing_changes_it(demo_text, tmp_path, operation):
    model = read_text(tmp_path, demo_text)
    storey, points, case = model.storeys["STORY1"], iter(model.points), model.load_cases["DEAD"]
    beams, first_point, beam, expected = storey.beams, next(points), storey.beams[0], storey.beams[0].to_dict()
    if operation is None:  # the objects hold the model: it outlives its name
        del model
        gc.collect()
        assert storey.name == "STORY1" and beam.to_dict() == expected and beams[0] == beam and beam in list(beams)
        assert [first_point.name] + [p.name for p in points] == ["C%d" % i for i in range(1, 21)]
        return
    getattr(model, operation)()  # objects taken before must be taken again
    for use in (lambda: beam.name, lambda: beam.to_dict(), lambda: len(beams), lambda: beams["B1"],
                lambda: next(points), lambda: case.name):
        pytest.raises(ReferenceError, use)
    assert "changed" in repr(beam) and model.storeys["STORY1"].beams[0].name == "B1"
    assert model.add_beam("BX", 0.0, 0.0, 6.0, 5.0, "STORY1", "B300X600").name == "BX"


@pytest.mark.parametrize("use, outcome", [
    ("p[0]", "C1"), ("p[-1]", RAW), ("p[19]", RAW), ("p[-20]", "C1"), ("p['C2']", "C2"), ("p[True]", "C2"),
    ("p[RAW]", RAW), ("p.get(RAW)", RAW), ("p[::-1][0]", RAW), ("[q.name for q in p[1:4]]", ["C2", "C3", "C4"]),
    ("p[20]", IndexError), ("p[-21]", IndexError), ("p[10**30]", IndexError), ("p['c1']", KeyError),
    ("p['']", KeyError), ("p['C1 ']", KeyError), ("p[1.0]", TypeError), ("p[None]", TypeError),
    ("p[b'C1']", TypeError), ("p[[0]]", TypeError), ("p.get(3)", TypeError),
    ("(RAW in p, 'NOPE' in p, 3 in p, p.get('NOPE'), p.get('NOPE', 7))", (True, False, False, None, 7)),
    ("(repr(p), len(p), len(list(p)), len({p[0], p['C1'], m.points[0]}))", ("<PointList of 20>", 20, 20, 1)),
])
def test_list_views(demo_text, tmp_path, use, outcome):
    m = read_text(tmp_path, demo_text.replace(b'"C20"', b'"C\xe920"'))
    scope = {"p": m.points, "m": m, "RAW": RAW}
    got = pytest.raises(outcome, eval, use, scope) if isinstance(outcome, type) else eval(use, scope)
    assert isinstance(outcome, type) or getattr(got, "name", got) == outcome


def test_stub_declares_every_name_and_attribute():
    stub = ast.parse(pathlib.Path(bm._buildingmodel.__file__).with_name("_buildingmodel.pyi").read_text("utf-8"))
    declared = {c.name: {f.name for f in getattr(c, "body", []) if isinstance(f, ast.FunctionDef) and f.name[0] != "_"}
                for c in stub.body if hasattr(c, "name")}
    assert set(declared) >= {name for name in dir(bm._buildingmodel) if name[0] != "_"}
    for name in KINDS | {"Model"}:
        assert declared[name] == {n for n in vars(getattr(bm, name)) if n[0] != "_"}, name


def test_readme_examples_run(demo, tmp_path):
    readme = pathlib.Path(__file__).resolve().parents[2] / "README.md"
    columns, convert = re.findall(r"```python\n(.*?)```", readme.read_text(encoding="utf-8"), re.S)
    demo.write_e2k(tmp_path / "demo.e2k")
    (tmp_path / "broken.e2k").write_bytes(b"\x00\x01")
    text = ([path for path in CORPUS if path.endswith(".e2k")] + [tmp_path / "demo.e2k"])[0]
    for code, arg, expected in ((columns, text, r"(?m)^  \S+ +\S+$"),  # a column and its section
                                (convert, tmp_path, r"broken.e2k: not read.*\n.*demo.e2k: 0 lines of model data not")):
        done = subprocess.run([sys.executable, "-c", code, str(arg)], capture_output=True, text=True)
        assert done.returncode == 0 and re.search(expected, done.stdout), done.stderr + done.stdout
    assert bm.read(tmp_path / "demo.bma").to_dict() == bm.read(tmp_path / "demo.e2k").to_dict()
