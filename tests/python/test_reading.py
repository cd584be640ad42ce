"""Reading a model from Python: objects, list views, dicts, lifetime."""

import ast
import gc
import glob
import os
import subprocess

import pytest

import buildingmodel as bm

MODEL_LISTS = ["storeys", "points", "materials", "frame_sections", "shell_sections",
               "load_cases", "combinations", "diaphragms", "piers"]
STOREY_LISTS = ["joints", "beams", "columns", "braces", "walls", "slabs"]
NESTED = {"Storey": STOREY_LISTS, "Joint": ["loads"], "Member": ["loads"], "Shell": ["loads"],
          "Combination": ["terms"]}

COMBINATIONS = """$ LOAD COMBINATIONS
  COMBO "COMB1"  TYPE "ADD"
  COMBO "COMB1"  LOAD "DEAD"  SF 1.2
  COMBO "COMB1"  LOAD "LIVE"  SF 1.4

$ ANALYSIS OPTIONS"""


@pytest.fixture(scope="module")
def demo_text(tmp_path_factory):
    """The demo building's text model, with a combination added."""
    tool = os.environ.get("BMTOOL")
    if not tool:
        pytest.skip("BMTOOL (the path to bmtool) is not set: no demo building")
    folder = tmp_path_factory.mktemp("demo")
    subprocess.run([tool, "demo", str(folder)], check=True, capture_output=True)
    text = (folder / "demo.e2k").read_bytes()
    return text.replace(b"$ ANALYSIS OPTIONS", COMBINATIONS.encode(), 1)


def read_text(tmp_path, text):
    path = tmp_path / "model.e2k"
    path.write_bytes(text)
    return bm.read(path)


def dict_from_objects(model):
    out = {"units": model.units.to_dict() if model.units else None}
    out.update({key: [o.to_dict() for o in getattr(model, key)] for key in MODEL_LISTS})
    return out


def every_object_kind():
    return ["Units", "Storey", "Point", "Joint", "Member", "Shell", "Material", "FrameSection", "ShellSection",
            "LoadCase", "Combination", "CombinationTerm", "Diaphragm", "Pier", "JointLoad", "LineLoad", "AreaLoad"]


def every_object(model):
    """One object of each kind the model has, found through the Python attributes."""
    found = {}

    def take(obj):
        found.setdefault(type(obj).__name__, obj)
        for key in NESTED.get(type(obj).__name__, []):
            for child in getattr(obj, key):
                take(child)

    take(model.units)
    for key in MODEL_LISTS:
        for obj in getattr(model, key):
            take(obj)
    return found


def corpus_files():
    folder = os.path.join(os.environ.get("BM_CORPUS_DIR", ""), "e2k")
    return sorted(glob.glob(os.path.join(folder, "*"))) if os.path.isdir(folder) else []


@pytest.mark.parametrize("path", corpus_files() or [None], ids=lambda p: os.path.basename(p) if p else "no-corpus")
def test_corpus_files_read_whole(path):
    if path is None:
        pytest.skip("no corpus: BM_CORPUS_DIR/e2k is absent")
    model = bm.read(path)
    assert len(model.storeys) > 0 and len(model.materials) > 0
    storey = model.storeys[-1]
    assert isinstance(storey.name, str) and isinstance(storey.elevation, float)
    assert model.storeys[storey.name] == storey
    for section in model.frame_sections:
        assert isinstance(section.name, str) and (section.d is None or isinstance(section.d, float))
    members = [m for s in model.storeys for key in ("beams", "columns", "braces") for m in getattr(s, key)]
    for member in members[:200]:
        assert isinstance(member.name, str) and isinstance(member.angle, float)
        assert member.kind in ("beam", "column", "brace")
    # The Python objects and the JSON form agree on every value of the file.
    assert dict_from_objects(model) == model.to_dict()


def test_every_kind_reads_as_its_json(demo_text, tmp_path):
    model = read_text(tmp_path, demo_text)
    assert dict_from_objects(model) == model.to_dict()
    found = every_object(model)
    assert set(found) == set(every_object_kind())
    for name, obj in found.items():
        d = obj.to_dict()
        attributes = {k for k, v in vars(type(obj)).items() if isinstance(v, property)}
        assert set(d) == attributes, name
        for key, value in d.items():
            if key in NESTED.get(name, []):
                assert value == [child.to_dict() for child in getattr(obj, key)], (name, key)
            else:
                assert value == getattr(obj, key), (name, key)
    terms = model.combinations["COMB1"].terms
    assert [(t.case, t.factor) for t in terms] == [("DEAD", 1.2), ("LIVE", 1.4)]
    assert repr(model.storeys["STORY1"].beams["B1"]) == "<Member 'B1' beam>"


def test_objects_keep_their_model_alive(demo_text, tmp_path):
    model = read_text(tmp_path, demo_text)
    storey = model.storeys["STORY2"]
    beam = storey.beams[0]
    beams = storey.beams
    points = iter(model.points)
    first_point = next(points)
    expected = beam.to_dict()
    del model
    gc.collect()
    assert storey.name == "STORY2" and beam.to_dict() == expected
    assert beams[0] == beam and beam in list(beams)
    assert [first_point.name] + [p.name for p in points] == ["C%d" % i for i in range(1, 21)]


def test_objects_taken_before_processing_raise(demo_text, tmp_path):
    model = read_text(tmp_path, demo_text)
    beam = model.storeys["STORY1"].beams[0]
    beams = model.storeys["STORY1"].beams
    storeys = iter(model.storeys)
    model.process_geometry()
    for use in (lambda: beam.name, lambda: beam.to_dict(), lambda: len(beams), lambda: beams["B1"],
                lambda: next(storeys)):
        with pytest.raises(ReferenceError):
            use()
    assert "changed" in repr(beam)
    assert model.storeys["STORY1"].beams[0].name == "B1"


@pytest.mark.parametrize("key, outcome", [
    (0, "B1"), (-1, "B31"), (30, "B31"), (-31, "B1"), ("B2", "B2"), (True, "B2"),
    (31, IndexError), (-32, IndexError), (10**30, IndexError),
    ("b1", KeyError), ("", KeyError), ("B1 ", KeyError),
    (1.0, TypeError), (None, TypeError), (b"B1", TypeError), ([0], TypeError),
])
def test_list_indexing(demo_text, tmp_path, key, outcome):
    beams = read_text(tmp_path, demo_text).storeys["STORY1"].beams
    assert len(beams) == len(list(beams)) == 31
    if isinstance(outcome, str):
        assert beams[key].name == outcome
    else:
        with pytest.raises(outcome):
            beams[key]


def test_list_lookups_and_raw_names(demo_text, tmp_path):
    # A point name that is not UTF-8 crosses as str with surrogate escapes and finds the point again.
    model = read_text(tmp_path, demo_text.replace(b'"C20"', b'"C\xe920"'))
    points = model.points
    raw = "C\udce920"
    assert points[raw].name == raw and raw in points and points.get(raw) == points[-1]
    assert points.get("NOPE") is None and points.get("NOPE", 7) == 7 and "NOPE" not in points
    assert 3 not in points
    with pytest.raises(TypeError):
        points.get(3)
    assert [p.name for p in points[1:4]] == ["C2", "C3", "C4"] and points[::-1][0] == points[-1]
    assert repr(points) == "<PointList of 20>"
    assert len({points[0], points["C1"], model.points[0]}) == 1


def test_stub_declares_every_attribute():
    stub = os.path.join(os.path.dirname(bm._buildingmodel.__file__), "_buildingmodel.pyi")
    if not os.path.exists(stub):
        pytest.skip("the type stub is not beside the extension")
    with open(stub, encoding="utf-8") as f:
        tree = ast.parse(f.read())
    declared = {node.name: {item.name for item in node.body if isinstance(item, ast.FunctionDef)
                            and any(getattr(d, "id", None) == "property" for d in item.decorator_list)}
                for node in tree.body if isinstance(node, ast.ClassDef)}
    for name in every_object_kind():
        assert declared[name] == {k for k, v in vars(getattr(bm, name)).items() if isinstance(v, property)}, name
    model_names = {item.name for node in tree.body if isinstance(node, ast.ClassDef) and node.name == "Model"
                   for item in node.body if isinstance(item, ast.FunctionDef)}
    assert model_names - {"__init__"} == {n for n in dir(bm.Model) if not n.startswith("_")}
    top = {getattr(node, "name", None) for node in tree.body}
    assert {"read", "write_json", "ArchiveError"} <= top
