"""Building a model from Python: the managers' operations on Model."""

import math
import os
import re
import subprocess

import pytest

import buildingmodel
from demo_building import build_demo


def e2k(model, tmp_path, name="m.e2k"):
    path = tmp_path / name
    model.write_e2k(path)
    return path.read_text(encoding="latin-1")


def small_model():
    """Two storeys, a column line, a beam, a wall and a slab on STORY1."""
    m = buildingmodel.Model()
    m.set_units("KN", "M")
    m.add_level("BASE", 0.0, 0.0)
    m.add_level("STORY1", 3.0, 3.0)
    m.add_material("C30", 2.5, 24.5, "CONCRETE", 3.0e7, 0.2, 1.0e-5)
    m.add_frame_section("S", "RECTANGULAR", "C30", d=0.5, b=0.5)
    m.add_wall_section("W", "C30", 0.2)
    m.add_slab_section("F", "C30", 0.1)
    for name, x in (("C1", 0.0), ("C2", 6.0)):
        m.add_column(name, x, 0.0, "STORY1", "S")
        m.add_column(name + "Y", x, 5.0, "STORY1", "S")
    m.add_beam("B1", 0.0, 0.0, 6.0, 0.0, "STORY1", "S")
    m.add_wall("W1", 0.0, 0.0, 0.0, 5.0, "STORY1", "W")
    m.add_slab("F1", [(0, 0), (6, 0), (6, 5), (0, 5)], "STORY1", "F")
    m.add_load_case("DEAD", "DEAD", 1.0)
    return m


@pytest.mark.parametrize("size", [{}, {"storeys": 2, "bays_x": 1, "bays_y": 2}], ids=["default", "small"])
def test_demo_building_writes_the_same_files_as_bmtool(size, tmp_path):
    bmtool = os.environ.get("BMTOOL")
    if not bmtool:
        pytest.skip("BMTOOL (the path of bmtool) is not set")
    options = [f"--{key.replace('_', '-')}={value}" for key, value in size.items()]
    subprocess.run([bmtool, "--quiet", "demo", str(tmp_path / "tool"), *options], check=True,
                   stdout=subprocess.DEVNULL)

    model = build_demo(buildingmodel.Model(), **size)
    model.write_e2k(tmp_path / "py.e2k")
    model.save(tmp_path / "py.bma")
    for ours, theirs in (("py.e2k", "tool/demo.e2k"), ("py.bma", "tool/demo.bma")):
        data = (tmp_path / ours).read_bytes()
        assert len(data) > 1000
        assert data == (tmp_path / theirs).read_bytes(), ours


def test_refused_operations_give_none_and_change_nothing(tmp_path):
    m = small_model()
    before = e2k(m, tmp_path, "before.e2k")
    nan = math.nan
    refused = [
        ("column on unknown storey", lambda: m.add_column("C9", 1, 1, "NOPE", "S")),
        ("beam on unknown storey", lambda: m.add_beam("B9", 0, 0, 1, 1, "NOPE", "S")),
        ("brace from unknown storey", lambda: m.add_brace("BR9", 0, 0, 6, 0, "STORY1", "NOPE", "S")),
        ("wall on unknown storey", lambda: m.add_wall("W9", 0, 0, 1, 0, "", "W")),
        ("slab without points", lambda: m.add_slab("F9", [], "STORY1", "F")),
        ("support at no point", lambda: m.add_joint_restraint("BASE", 1.5, 1.5)),
        # The restraint's storey is looked up as given, not upper-cased.
        ("support on lower-case storey", lambda: m.add_joint_restraint("story1", 0, 0)),
        ("support at NaN", lambda: m.add_joint_restraint("STORY1", nan, nan)),
        ("diaphragm at no point", lambda: m.assign_joint_diaphragm("STORY1", 9, 9, "D1")),
        ("beam load to unknown handle",
         lambda: m.assign_beam_load("STORY1", "B2", "UNIFF", "GRAV", "DEAD", 0, 1, 1, 1)),
        ("beam load on unknown storey",
         lambda: m.assign_beam_load("X" * 100000, "B1", "UNIFF", "GRAV", "DEAD", 0, 1, 1, 1)),
        ("wall load to a beam's handle",
         lambda: m.assign_wall_load("STORY1", "B1", "UNIFF", "GRAV", "DEAD", 0, 1, 1, 1)),
        ("slab load to unknown handle", lambda: m.assign_slab_load("STORY1", "", "UNIFF", "GRAV", "DEAD", 1)),
        ("joint load at no joint", lambda: m.assign_joint_load("STORY1", 3, 3, "DEAD", fx=nan)),
    ]
    for what, call in refused:
        assert call() is None, what
    assert e2k(m, tmp_path, "after.e2k") == before

    # A section or material that matches nothing still makes the object,
    # as the managers do; the writer copes with the gap.
    assert m.add_column("C9", 9, 9, "STORY1", "NO SECTION") is not None
    assert m.add_frame_section("S2", "PIPE", "NO MATERIAL", d=0.3, t=0.01) is not None
    assert 'FRAMESECTION  "S2"' in e2k(m, tmp_path)


def frame_sections(text):
    """{name: {dimension keyword: value}} from the FRAMESECTION lines."""
    sections = {}
    for line in text.splitlines():
        found = re.match(r'FRAMESECTION\s+"([^"]*)".*SHAPE "[^"]*"(.*)', line)
        if found:
            pairs = re.findall(r"([A-Z0-9]+)\s+(\S+)", found.group(2))
            sections[found.group(1)] = {key.lower(): float(value) for key, value in pairs}
    return sections


GENERAL = dict(d=0.5, b=0.4, area=0.2, torsion=0.01, i33=0.003, i22=0.002, as2=0.15, as3=0.16,
               s33=0.012, s22=0.011, z33=0.014, z22=0.013, r33=0.21, r22=0.19)


def test_frame_section_keywords_set_the_written_dimensions(tmp_path):
    cases = [
        ("R", "RECTANGULAR", dict(d=0.6, b=0.3)),
        ("CIRC", "CIRCLE", dict(d=0.8)),
        ("P", "PIPE", dict(d=0.3, t=0.012)),
        ("I", "I/WIDE FLANGE", dict(d=0.4, b=0.2, tf=0.013, tw=0.008)),
        ("BOX", "BOX/TUBE", dict(tw=0.01, tf=0.02, b=0.3, d=0.5)),
        ("G", "GENERAL", GENERAL),
    ]
    m = small_model()
    for name, shape, dimensions in cases:
        assert m.add_frame_section(name, shape, "C30", **dimensions) is not None
    written = frame_sections(e2k(m, tmp_path))
    for name, _, dimensions in cases:
        assert written[name] == pytest.approx(dimensions), name

    refused = [
        (dict(d=0.5, depth=0.4), "depth"),         # unknown keyword, named
        (dict(b=0.3, t=0.01), "set the same"),     # two keywords of one dimension
        (dict(tf=0.01, area=0.2), "set the same"),
        (dict(d="0.5"), "must be a number"),
    ]
    for dimensions, message in refused:
        with pytest.raises(TypeError, match=message):
            m.add_frame_section("BAD", "RECTANGULAR", "C30", **dimensions)
    assert "BAD" not in frame_sections(e2k(m, tmp_path))  # nothing made before the check


def test_handles_and_restraint_flags(tmp_path):
    # (handle given to add_beam, handle the load names, load found)
    handles = [
        (None, "B2", True),          # default: the member's name
        (None, "b2", True),          # the load manager upper-cases what it looks for
        ("roof-1", "ROOF-1", True),  # a handle given is stored upper-cased
        ("roof-1", "B2", False),     # ... and replaces the name
        ("", "B2", False),           # "" leaves the member without a handle
    ]
    for given, named, found in handles:
        m = small_model()
        options = {} if given is None else {"handle": given}
        assert m.add_beam("B2", 0.0, 5.0, 6.0, 5.0, "STORY1", "S", **options) is not None
        m.assign_beam_load("STORY1", named, "UNIFF", "GRAV", "DEAD", 0.0, 7.5, 1.0, 7.5)
        assert ('LINELOAD  "B2"' in e2k(m, tmp_path)) == found, (given, named)

    # (flags, the RESTRAINT words written)
    restraints = [
        ({}, "UX UY UZ RX RY RZ "),
        (dict(rx=False, ry=False, rz=False), "UX UY UZ "),
        (dict(ux=False, uy=False), "UZ RX RY RZ "),
    ]
    for flags, words in restraints:
        m = small_model()
        assert m.add_joint_restraint("BASE", 6.0, 0.0, **flags) is not None
        assert f'POINTASSIGN  "C2"  "BASE" RESTRAINT "{words}"' in e2k(m, tmp_path), flags


@pytest.mark.parametrize("operation", ["process_geometry", "process_loading", "delete_all_virtual_loads"])
def test_objects_taken_before_processing_must_be_taken_again(operation):
    m = small_model()
    beam = m.add_beam("B2", 0.0, 5.0, 6.0, 5.0, "STORY1", "S")
    case = m.add_load_case("LIVE", "LIVE")
    assert (beam.name, case.name) == ("B2", "LIVE")
    getattr(m, operation)()
    for stale in (beam, case):
        with pytest.raises(ReferenceError):
            stale.name
    assert m.add_beam("B3", 0.0, 0.0, 0.0, 5.0, "STORY1", "S").name == "B3"


def test_hostile_values_do_not_crash(tmp_path):
    m = small_model()
    nan, inf = math.nan, math.inf
    huge = "H" * 1_000_000
    made = [
        m.add_column("", nan, nan, "STORY1", "S"),
        m.add_column(huge, inf, -inf, "STORY1", "S"),
        m.add_beam("\udcff\udc80", nan, 0, 0, nan, "STORY1", "", handle=huge),
        m.add_brace("BR1", 0, 0, 6, 0, "BASE", "STORY1", "S"),  # upside down: kept, as the manager does
        m.add_wall("W2", nan, nan, nan, nan, "STORY1", "W"),
        m.add_slab("F2", [(nan, inf)] * 3, "STORY1", "F", diaphragm="NO SUCH"),
        m.add_level("", nan, -inf),
        m.add_material("", nan, inf, "", -1, nan, nan),
        m.add_load_case(huge, "", nan),
        m.add_combination("", "ADD", [("DEAD", nan), ("", 1.0)]),
    ]
    assert all(item is not None for item in made)
    assert made[2].name == "\udcff\udc80"  # bytes that are not UTF-8 survive
    m.assign_wall_load("STORY1", "W2", "TRAPF", "GRAV", "DEAD", nan, 1.0, inf, 2.0)
    m.add_virtual_load("V", "V", "STORY1", nan, nan, nan, nan)
    m.process_geometry()
    m.process_loading()
    m.delete_all_virtual_loads()
    with pytest.raises(TypeError):
        m.add_slab("F3", [(0, 0, 0)], "STORY1", "F")
    with pytest.raises(TypeError):
        m.add_combination("C", "ADD", ["DEAD"])
    assert len(e2k(m, tmp_path)) > 1000
    m.save(tmp_path / "m.bma")
    assert buildingmodel.read(tmp_path / "m.bma") is not None
