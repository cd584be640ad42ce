"""Type stubs of the extension _buildingmodel (re-exported by buildingmodel).

Every object taken from a Model keeps the model alive. After an operation that
may delete objects (processing, removals) objects and list views taken before
it raise ReferenceError: take them again from the model.
"""

import os
from typing import Any, Generic, Iterable, Iterator, TypeVar, Union, overload

_T = TypeVar("_T")
_Path = Union[str, bytes, "os.PathLike[str]", "os.PathLike[bytes]"]


class ArchiveError(ValueError):
    """A model archive is malformed (truncated, corrupt, or not an archive)."""
    cause: str | None
    """why: end_of_file, bad_class, bad_schema, bad_index, generic or malformed"""


def read(path: _Path, process: bool = False) -> Model:
    """Reads a text model of any version or a model archive, told apart by content.

    A text model is read as the file's own model; process=True gives the
    processed model. Raises OSError (FileNotFoundError, IsADirectoryError,
    PermissionError, ...) when the file cannot be read, ArchiveError for a
    malformed archive, ValueError for a file that is neither form.
    """


def write_json(model: Model, path: _Path) -> None:
    """Writes the model's JSON form to path. Raises OSError when it cannot be written."""


class _ListView(Generic[_T]):
    """A view of a model list (no copy): len, [position], [slice], [name],
    iteration, `name in`, get(name). Names are exact: the model stores them
    upper-case. Null entries of the model's list are skipped by all of them
    alike."""
    def __len__(self) -> int: ...
    @overload
    def __getitem__(self, key: int) -> _T:
        """The object at a position (negative: from the end); IndexError outside."""
    @overload
    def __getitem__(self, key: slice) -> list[_T]: ...
    @overload
    def __getitem__(self, key: str) -> _T:
        """The first object named `key` exactly; KeyError when none."""
    def __iter__(self) -> Iterator[_T]: ...
    def __contains__(self, name: object) -> bool:
        """True when an object is named `name` (a str) exactly."""
    def get(self, name: str, default: Any = None) -> Any:
        """The object named `name` (exact), or `default` when there is none."""


class Units:
    """The model's force and length units."""
    @property
    def force(self) -> str:
        """the force unit word (e.g. KN)"""
    @property
    def length(self) -> str:
        """the length unit word (e.g. M)"""
    def to_dict(self) -> dict[str, Any]:
        """The object as a dict: its attributes and nested lists, as the JSON form gives it."""


class Storey:
    """A storey: its floor level and the joints, members, walls and slabs on it."""
    @property
    def name(self) -> str:
        """the storey name"""
    @property
    def elevation(self) -> float:
        """elevation of the storey's floor"""
    @property
    def height(self) -> float:
        """storey height: distance from the storey below"""
    @property
    def joints(self) -> JointList:
        """the storey's joints (JointList)"""
    @property
    def beams(self) -> MemberList:
        """the storey's beams (MemberList)"""
    @property
    def columns(self) -> MemberList:
        """the columns below the storey's floor (MemberList)"""
    @property
    def braces(self) -> MemberList:
        """the braces reaching up to the storey (MemberList)"""
    @property
    def walls(self) -> ShellList:
        """the storey's walls (ShellList)"""
    @property
    def slabs(self) -> ShellList:
        """the storey's slabs (ShellList)"""
    def to_dict(self) -> dict[str, Any]:
        """The object as a dict: its attributes and nested lists, as the JSON form gives it."""


class Point:
    """A plan point."""
    @property
    def name(self) -> str:
        """the point name"""
    @property
    def x(self) -> float:
        """plan X"""
    @property
    def y(self) -> float:
        """plan Y"""
    @property
    def z(self) -> float | None:
        """Z of a point between levels; null for a point on the levels"""
    def to_dict(self) -> dict[str, Any]:
        """The object as a dict: its attributes and nested lists, as the JSON form gives it."""


class Joint:
    """A joint: a plan point on one storey."""
    @property
    def name(self) -> str:
        """the joint name (its point's name)"""
    @property
    def point(self) -> str | None:
        """the plan point's name; null without a point"""
    @property
    def x(self) -> float | None:
        """plan X of the point; null without a point"""
    @property
    def y(self) -> float | None:
        """plan Y of the point; null without a point"""
    @property
    def restraint(self) -> list[str] | None:
        """the restrained freedoms (UX UY UZ RX RY RZ); null without a restraint"""
    @property
    def diaphragm(self) -> str | None:
        """the storey diaphragm's name; null when on none"""
    @property
    def spring(self) -> list[float] | None:
        """the six spring values (UX UY UZ RX RY RZ); null without springs"""
    @property
    def loads(self) -> list[JointLoad]:
        """the joint's loads (list of JointLoad)"""
    def to_dict(self) -> dict[str, Any]:
        """The object as a dict: its attributes and nested lists, as the JSON form gives it."""


class Member:
    """A beam, column or brace on one storey."""
    @property
    def name(self) -> str:
        """the member name"""
    @property
    def kind(self) -> str:
        """beam, column or brace"""
    @property
    def line(self) -> str | None:
        """the plan line's name; null without a line"""
    @property
    def section(self) -> str | None:
        """the frame section's name; null without a section"""
    @property
    def material(self) -> str | None:
        """the section's material name; null without one"""
    @property
    def points(self) -> list[str] | None:
        """the names of the two end points (I, J); null when the line or an end is missing"""
    @property
    def storeys_spanned(self) -> int | None:
        """storeys the member's line passes from its bottom end up to this storey; null without a line"""
    @property
    def angle(self) -> float:
        """rotation of the section about the member axis (degrees)"""
    @property
    def releases(self) -> list[str] | None:
        """the released end actions (PI V2I V3I TI M2I M3I PJ ... M3J); null when not released"""
    @property
    def rigid_zone_factor(self) -> float | None:
        """rigid end zone reduction factor; null when not set"""
    @property
    def max_station_spacing(self) -> float:
        """largest spacing of output stations"""
    @property
    def min_station_spacing(self) -> float:
        """smallest spacing of output stations"""
    @property
    def loads(self) -> list[LineLoad]:
        """the member's loads (list of LineLoad)"""
    def to_dict(self) -> dict[str, Any]:
        """The object as a dict: its attributes and nested lists, as the JSON form gives it."""


class Shell:
    """A wall or slab on one storey."""
    @property
    def name(self) -> str:
        """the wall or slab name"""
    @property
    def kind(self) -> str:
        """wall or slab"""
    @property
    def area(self) -> str | None:
        """the plan area's name; null without an area"""
    @property
    def section(self) -> str | None:
        """the wall/slab/deck section's name; null without a section"""
    @property
    def material(self) -> str | None:
        """the section's material name; null without one"""
    @property
    def points(self) -> list[str] | None:
        """the corner point names in order; null when the area or a corner is missing"""
    @property
    def mesh(self) -> str:
        """the meshing option word"""
    @property
    def pier(self) -> str | None:
        """a wall's pier or spandrel label; null for a slab or a wall without one"""
    @property
    def diaphragm(self) -> str | None:
        """a slab's diaphragm name; null for a wall or a slab without one"""
    @property
    def loads(self) -> list[AreaLoad]:
        """the wall's or slab's area loads (list of AreaLoad)"""
    def to_dict(self) -> dict[str, Any]:
        """The object as a dict: its attributes and nested lists, as the JSON form gives it."""


class Material:
    """A material."""
    @property
    def name(self) -> str:
        """the material name"""
    @property
    def type(self) -> str:
        """the material type word (e.g. ISOTROPIC)"""
    @property
    def design_type(self) -> str:
        """STEEL, CONCRETE, OTHER or empty"""
    @property
    def mass(self) -> float:
        """mass per unit volume"""
    @property
    def weight(self) -> float:
        """weight per unit volume"""
    @property
    def e(self) -> float:
        """modulus of elasticity"""
    @property
    def u(self) -> float:
        """Poisson's ratio"""
    @property
    def a(self) -> float:
        """coefficient of thermal expansion"""
    @property
    def fy(self) -> float:
        """yield strength (steel; rebar for concrete)"""
    @property
    def fu(self) -> float:
        """ultimate strength (steel)"""
    @property
    def fc(self) -> float:
        """compressive strength (concrete)"""
    @property
    def fys(self) -> float:
        """shear rebar yield strength (concrete)"""
    @property
    def price(self) -> float:
        """unit price (steel)"""
    def to_dict(self) -> dict[str, Any]:
        """The object as a dict: its attributes and nested lists, as the JSON form gives it."""


class FrameSection:
    """A frame section of beams, columns and braces."""
    @property
    def name(self) -> str:
        """the section name"""
    @property
    def shape(self) -> str:
        """the shape word (RECTANGULAR, CIRCLE, PIPE, I/WIDE FLANGE, GENERAL, ...)"""
    @property
    def material(self) -> str | None:
        """the material name; null without a material"""
    @property
    def d(self) -> float | None:
        """depth (outside diameter of a circle or pipe)"""
    @property
    def b(self) -> float | None:
        """width (flange width)"""
    @property
    def tf(self) -> float | None:
        """flange thickness"""
    @property
    def tw(self) -> float | None:
        """web thickness"""
    @property
    def t(self) -> float | None:
        """wall thickness of a pipe"""
    @property
    def area(self) -> float | None:
        """cross-section area (GENERAL)"""
    @property
    def torsion(self) -> float | None:
        """torsional constant (GENERAL)"""
    @property
    def i33(self) -> float | None:
        """moment of inertia about the 3 axis (GENERAL)"""
    @property
    def i22(self) -> float | None:
        """moment of inertia about the 2 axis (GENERAL)"""
    @property
    def as2(self) -> float | None:
        """shear area in the 2 direction (GENERAL)"""
    @property
    def as3(self) -> float | None:
        """shear area in the 3 direction (GENERAL)"""
    @property
    def s33(self) -> float | None:
        """section modulus about the 3 axis (GENERAL)"""
    @property
    def s22(self) -> float | None:
        """section modulus about the 2 axis (GENERAL)"""
    @property
    def z33(self) -> float | None:
        """plastic modulus about the 3 axis (GENERAL)"""
    @property
    def z22(self) -> float | None:
        """plastic modulus about the 2 axis (GENERAL)"""
    @property
    def r33(self) -> float | None:
        """radius of gyration about the 3 axis (GENERAL)"""
    @property
    def r22(self) -> float | None:
        """radius of gyration about the 2 axis (GENERAL)"""
    def to_dict(self) -> dict[str, Any]:
        """The object as a dict: its attributes and nested lists, as the JSON form gives it."""


class ShellSection:
    """A wall, slab or deck section."""
    @property
    def name(self) -> str:
        """the section name"""
    @property
    def type(self) -> str:
        """the property type word: WALL, SLAB or DECK"""
    @property
    def shell_type(self) -> str:
        """the shell type word (e.g. SHELL, MEMBRANE)"""
    @property
    def plate_type(self) -> str:
        """the plate type word (e.g. THIN)"""
    @property
    def material(self) -> str | None:
        """the material name (a deck's concrete fill); null without a material"""
    @property
    def thickness(self) -> float | None:
        """membrane thickness (TM) of a wall or slab; null for a deck"""
    @property
    def bending_thickness(self) -> float | None:
        """bending thickness (TB) of a wall or slab; null for a deck"""
    @property
    def deck_type(self) -> str | None:
        """a deck's type word; null otherwise"""
    @property
    def slab_depth(self) -> float | None:
        """a deck's slab depth; null otherwise"""
    @property
    def rib_depth(self) -> float | None:
        """a deck's rib depth; null otherwise"""
    @property
    def rib_width(self) -> float | None:
        """a deck's rib width; null otherwise"""
    @property
    def rib_spacing(self) -> float | None:
        """a deck's rib spacing; null otherwise"""
    @property
    def deck_weight(self) -> float | None:
        """a deck's weight per unit area; null otherwise"""
    @property
    def stud_diameter(self) -> float | None:
        """a deck's stud diameter; null otherwise"""
    @property
    def stud_height(self) -> float | None:
        """a deck's stud height; null otherwise"""
    @property
    def stud_strength(self) -> float | None:
        """a deck's stud strength; null otherwise"""
    def to_dict(self) -> dict[str, Any]:
        """The object as a dict: its attributes and nested lists, as the JSON form gives it."""


class LoadCase:
    """A load case."""
    @property
    def name(self) -> str:
        """the load case name"""
    @property
    def type(self) -> str:
        """the load type word (DEAD, LIVE, WIND, ...)"""
    @property
    def self_weight(self) -> float:
        """self-weight multiplier"""
    @property
    def virtual_name(self) -> str | None:
        """the second name of a virtual load case; null for a plain one"""
    def to_dict(self) -> dict[str, Any]:
        """The object as a dict: its attributes and nested lists, as the JSON form gives it."""


class Combination:
    """A load combination and its terms."""
    @property
    def name(self) -> str:
        """the combination name"""
    @property
    def type(self) -> str:
        """the combination type word (ADD, ENVE, ...)"""
    @property
    def terms(self) -> list[CombinationTerm]:
        """the terms (list of CombinationTerm)"""
    def to_dict(self) -> dict[str, Any]:
        """The object as a dict: its attributes and nested lists, as the JSON form gives it."""


class CombinationTerm:
    """One term of a combination: a load case or combination and its factor."""
    @property
    def case(self) -> str:
        """the load case or combination name"""
    @property
    def factor(self) -> float:
        """the scale factor"""
    def to_dict(self) -> dict[str, Any]:
        """The object as a dict: its attributes and nested lists, as the JSON form gives it."""


class Diaphragm:
    """A rigid diaphragm."""
    @property
    def name(self) -> str:
        """the diaphragm name"""
    @property
    def centre_x(self) -> float:
        """plan X of the centre of the points put on the diaphragm"""
    @property
    def centre_y(self) -> float:
        """plan Y of the centre of the points put on the diaphragm"""
    def to_dict(self) -> dict[str, Any]:
        """The object as a dict: its attributes and nested lists, as the JSON form gives it."""


class Pier:
    """A pier or spandrel label of walls."""
    @property
    def name(self) -> str:
        """the pier or spandrel label"""
    @property
    def spandrel(self) -> bool:
        """true for a spandrel label, false for a pier"""
    def to_dict(self) -> dict[str, Any]:
        """The object as a dict: its attributes and nested lists, as the JSON form gives it."""


class JointLoad:
    """A force and moment on a joint in one load case."""
    @property
    def case(self) -> str:
        """the load case name"""
    @property
    def type(self) -> str:
        """the load type word (FORCE, ...)"""
    @property
    def fx(self) -> float:
        """force along X"""
    @property
    def fy(self) -> float:
        """force along Y"""
    @property
    def fz(self) -> float:
        """force along Z"""
    @property
    def mx(self) -> float:
        """moment about X"""
    @property
    def my(self) -> float:
        """moment about Y"""
    @property
    def mz(self) -> float:
        """moment about Z"""
    def to_dict(self) -> dict[str, Any]:
        """The object as a dict: its attributes and nested lists, as the JSON form gives it."""


class LineLoad:
    """A load along a beam, column or brace in one load case."""
    @property
    def case(self) -> str:
        """the load case name"""
    @property
    def type(self) -> str:
        """UNIFF (uniform), TRAPF (trapezoidal) or POINTF (point force)"""
    @property
    def direction(self) -> str:
        """the direction word (GRAV, X, Y, Z, ...)"""
    @property
    def value(self) -> float | None:
        """force per length of a UNIFF load, force of a POINTF load; null otherwise"""
    @property
    def distance(self) -> float | None:
        """where a POINTF load acts, as a fraction of the length; null otherwise"""
    @property
    def start_value(self) -> float | None:
        """force per length at the start of a TRAPF load; null otherwise"""
    @property
    def end_value(self) -> float | None:
        """force per length at the end of a TRAPF load; null otherwise"""
    @property
    def start_distance(self) -> float | None:
        """start of a TRAPF load, as a fraction of the length; null otherwise"""
    @property
    def end_distance(self) -> float | None:
        """end of a TRAPF load, as a fraction of the length; null otherwise"""
    def to_dict(self) -> dict[str, Any]:
        """The object as a dict: its attributes and nested lists, as the JSON form gives it."""


class AreaLoad:
    """A load over a wall or slab in one load case."""
    @property
    def case(self) -> str:
        """the load case name"""
    @property
    def type(self) -> str:
        """the load type word (UNIFF)"""
    @property
    def direction(self) -> str:
        """the direction word (GRAV, X, Y, Z, ...)"""
    @property
    def value(self) -> float:
        """force per area"""
    def to_dict(self) -> dict[str, Any]:
        """The object as a dict: its attributes and nested lists, as the JSON form gives it."""


# The list views and their iterators (the view classes share the API of _ListView).
class StoreyList(_ListView[Storey]): ...
class StoreyListIterator(Iterator[Storey]):
    def __next__(self) -> Storey: ...

class PointList(_ListView[Point]): ...
class PointListIterator(Iterator[Point]):
    def __next__(self) -> Point: ...

class JointList(_ListView[Joint]): ...
class JointListIterator(Iterator[Joint]):
    def __next__(self) -> Joint: ...

class MemberList(_ListView[Member]): ...
class MemberListIterator(Iterator[Member]):
    def __next__(self) -> Member: ...

class ShellList(_ListView[Shell]): ...
class ShellListIterator(Iterator[Shell]):
    def __next__(self) -> Shell: ...

class MaterialList(_ListView[Material]): ...
class MaterialListIterator(Iterator[Material]):
    def __next__(self) -> Material: ...

class FrameSectionList(_ListView[FrameSection]): ...
class FrameSectionListIterator(Iterator[FrameSection]):
    def __next__(self) -> FrameSection: ...

class ShellSectionList(_ListView[ShellSection]): ...
class ShellSectionListIterator(Iterator[ShellSection]):
    def __next__(self) -> ShellSection: ...

class LoadCaseList(_ListView[LoadCase]): ...
class LoadCaseListIterator(Iterator[LoadCase]):
    def __next__(self) -> LoadCase: ...

class CombinationList(_ListView[Combination]): ...
class CombinationListIterator(Iterator[Combination]):
    def __next__(self) -> Combination: ...

class DiaphragmList(_ListView[Diaphragm]): ...
class DiaphragmListIterator(Iterator[Diaphragm]):
    def __next__(self) -> Diaphragm: ...

class PierList(_ListView[Pier]): ...
class PierListIterator(Iterator[Pier]):
    def __next__(self) -> Pier: ...


class Model:
    """One building model. Model() is empty; read(path) reads a file."""
    def __init__(self) -> None: ...
    @property
    def units(self) -> Units | None:
        """the force and length units, None when the model has none"""
    @property
    def storeys(self) -> StoreyList:
        """the storeys from the base up"""
    @property
    def points(self) -> PointList:
        """the plan points"""
    @property
    def materials(self) -> MaterialList:
        """the materials"""
    @property
    def frame_sections(self) -> FrameSectionList:
        """the frame sections"""
    @property
    def shell_sections(self) -> ShellSectionList:
        """the wall, slab and deck sections"""
    @property
    def load_cases(self) -> LoadCaseList:
        """the load cases"""
    @property
    def combinations(self) -> CombinationList:
        """the load combinations"""
    @property
    def diaphragms(self) -> DiaphragmList:
        """the rigid diaphragms"""
    @property
    def piers(self) -> PierList:
        """the pier and spandrel labels"""

    # Files
    def write_e2k(self, path: _Path) -> list[str]:
        """Writes the text model file; returns what the writer skipped (empty for a complete model)."""
    def save(self, path: _Path) -> None:
        """Saves the model archive."""
    def to_json(self) -> str:
        """The whole model as JSON text (the form bmtool export writes)."""
    def to_dict(self) -> dict[str, Any]:
        """The whole model as plain dicts and lists: the JSON form, parsed."""
    @property
    def read_report(self) -> list[dict[str, Any]]:
        """What reading did not take: dicts with keyword, reason, kind and lines."""
    @property
    def model_data_not_taken(self) -> int:
        """Lines of model data that reading did not take."""
    @property
    def form(self) -> str:
        """'text model' or 'model archive' for a model read from a file, '' for a model built here."""
    @property
    def file_version(self) -> int:
        """The major version of the text model's PROGRAM line (0 when none, and for archives)."""
    @property
    def trailing_bytes(self) -> int:
        """Bytes after the model archive's last block, which loading did not read."""

    # Building
    # Names are upper-cased by the model (except add_joint_restraint's level).
    # A refused operation returns None (add_*) or does nothing (assign_*).
    def set_units(self, force: str, length: str) -> None:
        """Sets the force and length unit words (e.g. "KN", "M")."""
    def add_level(self, name: str, height: float, elevation: float) -> Storey | None:
        """Appends a storey (base first) with its height above the storey below and its elevation."""
    def add_material(self, name: str, mass: float, weight: float, design_type: str, e: float, u: float,
                     a: float) -> Material | None:
        """Appends an isotropic material: mass, weight per volume, design type, modulus, Poisson, expansion."""
    def add_frame_section(self, name: str, shape: str, material: str, *, d: float = ..., b: float = ...,
                          t: float = ..., tf: float = ..., tw: float = ..., area: float = ...,
                          torsion: float = ..., i33: float = ..., i22: float = ..., as2: float = ...,
                          as3: float = ..., s33: float = ..., s22: float = ..., z33: float = ...,
                          z22: float = ..., r33: float = ..., r22: float = ...) -> FrameSection | None:
        """Appends a frame section of the shape word; dimensions as keywords (unknown keyword: TypeError)."""
    def add_wall_section(self, name: str, material: str, thickness: float) -> ShellSection | None:
        """Appends a thin-shell wall section of the material and thickness."""
    def add_slab_section(self, name: str, material: str, thickness: float) -> ShellSection | None:
        """Appends a thin-shell slab section of the material and thickness."""
    def add_column(self, name: str, x: float, y: float, level: str, section: str,
                   handle: str | None = None) -> Member | None:
        """Column at plan (x, y) below the storey's floor; handle defaults to the name ("" sets none)."""
    def add_beam(self, name: str, x1: float, y1: float, x2: float, y2: float, level: str, section: str,
                 handle: str | None = None) -> Member | None:
        """Beam from (x1, y1) to (x2, y2) on the storey; handle (default: the name) is what loads find."""
    def add_brace(self, name: str, x1: float, y1: float, x2: float, y2: float, level: str, bottom_level: str,
                  section: str, handle: str | None = None) -> Member | None:
        """Brace from (x1, y1) on bottom_level up to (x2, y2) on level; handle defaults to the name."""
    def add_wall(self, name: str, x1: float, y1: float, x2: float, y2: float, level: str, section: str,
                 handle: str | None = None) -> Shell | None:
        """Wall panel from (x1, y1) to (x2, y2) on the storey; handle (default: the name) is what loads find."""
    def add_slab(self, name: str, points: Iterable[tuple[float, float]], level: str, section: str,
                 handle: str | None = None, diaphragm: str | None = None) -> Shell | None:
        """Slab over the (x, y) vertices on the storey, optionally on an existing diaphragm; None if no points."""
    def add_joint_restraint(self, level: str, x: float, y: float, *, ux: bool = True, uy: bool = True,
                            uz: bool = True, rx: bool = True, ry: bool = True, rz: bool = True) -> Joint | None:
        """Support at plan (x, y) of the storey (name as stored); True fixes; an existing restraint is kept."""
    def assign_joint_diaphragm(self, level: str, x: float, y: float, diaphragm: str) -> None:
        """Puts the storey's joint at plan (x, y) on the diaphragm (made when new)."""
    def process_geometry(self) -> None:
        """Elevations, piers, base supports, stations; objects taken before raise ReferenceError after."""
    def process_storey_elevations(self) -> None:
        """Sets every storey's elevation from the first storey's elevation and the storey heights."""
    def reassign_piers_by_section(self) -> None:
        """Saves each wall's pier name and gives the wall the pier named like its section."""
    def restore_old_piers(self) -> None:
        """Gives every wall back the pier of its saved old pier name."""
    def add_load_case(self, name: str, type: str, self_weight: float = 0.0) -> LoadCase | None:
        """Appends a load case of the type word ("DEAD", "LIVE", "WIND", ...) and self-weight multiplier."""
    def add_combination(self, name: str, type: str, terms: Iterable[tuple[str, float]]) -> Combination | None:
        """Appends a load combination ("ADD", "ENVE", "ABS", "SRSS") of (load case, factor) terms."""
    def assign_joint_load(self, level: str, x: float, y: float, case: str, fx: float = 0.0, fy: float = 0.0,
                          fz: float = 0.0, mx: float = 0.0, my: float = 0.0, mz: float = 0.0) -> None:
        """Appends a force load of the case to the storey's joint at plan (x, y)."""
    def assign_beam_load(self, level: str, handle: str, load_type: str, direction: str, case: str,
                         start_distance: float, start_force: float, end_distance: float,
                         end_force: float) -> None:
        """Appends a line load ("UNIFF", "POINTF", "TRAPF") to the storey's beam of that handle."""
    def assign_wall_load(self, level: str, handle: str, load_type: str, direction: str, case: str,
                         start_distance: float, start_force: float, end_distance: float,
                         end_force: float) -> None:
        """Appends a line load to the storey's wall of that handle (process_loading turns it to joint loads)."""
    def assign_slab_load(self, level: str, handle: str, load_type: str, direction: str, case: str,
                         value: float) -> None:
        """Appends an area load of the case to the storey's slab of that handle."""
    def add_virtual_load(self, case: str, virtual_name: str, level: str, x: float, y: float, fx: float,
                         fy: float) -> None:
        """Appends a virtual WIND case with a force at (x, y) on the storey's nearest diaphragm."""
    def delete_all_virtual_loads(self) -> None:
        """Removes every virtual load case; objects taken before raise ReferenceError after."""
    def process_loading(self) -> dict[str, int]:
        """Turns wall loads into joint loads; returns what it dropped; objects taken before go stale."""

