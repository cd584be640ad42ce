"""The demo building of `bmtool demo`, built from Python step for step.

A framed building over a grid of bays: columns at every grid intersection,
beams along every grid line, an X-braced bay in the middle of the front and
back faces, walls along the two end faces, a slab in every bay on diaphragm
D1; then the geometry processing, dead, live and wind loads, and the wall
loads turned into joint loads. With the same sizes it writes the same files
as `bmtool demo`, byte for byte.

    import buildingmodel
    from demo_building import build_demo

    model = build_demo(buildingmodel.Model(), storeys=3)
    model.write_e2k("demo.e2k")
"""

CONCRETE = "C30"
STEEL = "Q345"
COLUMN_SECTION = "C600X600"
BEAM_SECTION = "B300X600"
EDGE_BEAM_SECTION = "HN400X200"
BRACE_SECTION = "HW200X200"
WALL_SECTION = "WALL250"
SLAB_SECTION = "SLAB120"
DIAPHRAGM = "D1"


def storey_name(k):
    return "BASE" if k == 0 else f"STORY{k}"


def build_demo(model, storeys=5, bays_x=4, bays_y=3, bay_x=6.0, bay_y=5.0,
               first_storey_height=4.5, storey_height=3.6, loads=True):
    """Fills the empty `model` with the demo building and returns it.

    Raises RuntimeError when the model refuses an object (which would mean
    the library misbehaves).
    """

    def X(i):
        return i * bay_x

    def Y(j):
        return j * bay_y

    def height(k):
        return first_storey_height if k == 1 else storey_height

    def check(made, what, name, k):
        if made is None:
            raise RuntimeError(f"the model refused {what} {name} on {storey_name(k)}")
        return made

    model.set_units("KN", "M")

    # Storeys from the base upward.
    elevation = 0.0
    model.add_level("BASE", 0.0, 0.0)
    for k in range(1, storeys + 1):
        elevation += height(k)
        model.add_level(storey_name(k), height(k), elevation)

    # Materials: mass and weight per unit volume (t/m3, kN/m3), E (kN/m2),
    # Poisson's ratio, thermal expansion. Then the sections.
    model.add_material(CONCRETE, 2.5, 24.5, "CONCRETE", 3.0e7, 0.2, 1.0e-5)
    model.add_material(STEEL, 7.85, 76.97, "STEEL", 2.06e8, 0.3, 1.2e-5)
    model.add_frame_section(COLUMN_SECTION, "RECTANGULAR", CONCRETE, d=0.6, b=0.6)
    model.add_frame_section(BEAM_SECTION, "RECTANGULAR", CONCRETE, d=0.6, b=0.3)
    model.add_frame_section(EDGE_BEAM_SECTION, "I/WIDE FLANGE", STEEL, d=0.4, b=0.2, tf=0.013, tw=0.008)
    model.add_frame_section(BRACE_SECTION, "I/WIDE FLANGE", STEEL, d=0.2, b=0.2, tf=0.012, tw=0.008)
    model.add_wall_section(WALL_SECTION, CONCRETE, 0.25)
    model.add_slab_section(SLAB_SECTION, CONCRETE, 0.12)

    beams = []  # (storey, name, along Y)
    walls = []  # (storey, name)
    slabs = []
    brace_no = 0
    for k in range(1, storeys + 1):
        level, below = storey_name(k), storey_name(k - 1)

        # Columns named after their plan position, so that one column line
        # serves every storey.
        for j in range(bays_y + 1):
            for i in range(bays_x + 1):
                name = f"C{j * (bays_x + 1) + i + 1}"
                check(model.add_column(name, X(i), Y(j), level, COLUMN_SECTION), "column", name, k)

        # Beams along X (steel edge beams on the front and back faces), then
        # along Y. Each beam's handle is its name, by default.
        beam_no = 0
        for j in range(bays_y + 1):
            section = EDGE_BEAM_SECTION if j in (0, bays_y) else BEAM_SECTION
            for i in range(bays_x):
                beam_no += 1
                name = f"B{beam_no}"
                check(model.add_beam(name, X(i), Y(j), X(i + 1), Y(j), level, section), "beam", name, k)
                beams.append((k, name, False))
        for i in range(bays_x + 1):
            for j in range(bays_y):
                beam_no += 1
                name = f"B{beam_no}"
                check(model.add_beam(name, X(i), Y(j), X(i), Y(j + 1), level, BEAM_SECTION), "beam", name, k)
                beams.append((k, name, True))

        # An X-braced bay in the middle of the front and back faces.
        mid = (bays_x - 1) // 2
        for face in (0, bays_y):
            y = Y(face)
            for x1, x2 in ((X(mid), X(mid + 1)), (X(mid + 1), X(mid))):
                brace_no += 1
                name = f"BR{brace_no}"
                check(model.add_brace(name, x1, y, x2, y, level, below, BRACE_SECTION), "brace", name, k)

        # Walls along the two end faces, one panel per bay.
        wall_no = 0
        for face in (0, bays_x):
            for j in range(bays_y):
                wall_no += 1
                name = f"W{wall_no}"
                wall = model.add_wall(name, X(face), Y(j), X(face), Y(j + 1), level, WALL_SECTION)
                check(wall, "wall", name, k)
                walls.append((k, name))

        # Every joint of the storey on the storey's rigid diaphragm.
        for j in range(bays_y + 1):
            for i in range(bays_x + 1):
                model.assign_joint_diaphragm(level, X(i), Y(j), DIAPHRAGM)

        # A slab in every bay, on the diaphragm.
        slab_no = 0
        for j in range(bays_y):
            for i in range(bays_x):
                slab_no += 1
                name = f"F{slab_no}"
                points = [(X(i), Y(j)), (X(i + 1), Y(j)), (X(i + 1), Y(j + 1)), (X(i), Y(j + 1))]
                check(model.add_slab(name, points, level, SLAB_SECTION, diaphragm=DIAPHRAGM), "slab", name, k)
                slabs.append((k, name))

    model.process_geometry()
    if not loads:
        return model

    model.add_load_case("DEAD", "DEAD", 1.0)
    model.add_load_case("LIVE", "LIVE", 0.0)
    model.add_load_case("WINDX", "WIND", 0.0)

    # Beams: uniform dead load on all; live point load at mid-span of the
    # beams along Y, trapezoidal live load on the beams along X.
    for k, handle, along_y in beams:
        level = storey_name(k)
        model.assign_beam_load(level, handle, "UNIFF", "GRAV", "DEAD", 0.0, 5.0, 1.0, 5.0)
        if along_y:
            model.assign_beam_load(level, handle, "POINTF", "GRAV", "LIVE", 0.5, 12.0, 0.5, 12.0)
        else:
            model.assign_beam_load(level, handle, "TRAPF", "GRAV", "LIVE", 0.0, 2.0, 1.0, 4.0)
    for k, handle in slabs:
        model.assign_slab_load(storey_name(k), handle, "UNIFF", "GRAV", "DEAD", 1.5)
        model.assign_slab_load(storey_name(k), handle, "UNIFF", "GRAV", "LIVE", 2.0)
    # Cladding on the walls, turned into joint loads by process_loading.
    for k, handle in walls:
        model.assign_wall_load(storey_name(k), handle, "UNIFF", "GRAV", "DEAD", 0.0, 8.0, 1.0, 8.0)
    # Wind along X on the windward face (x = 0): pressure times tributary
    # width times storey height.
    pressure = 0.6
    for k in range(1, storeys + 1):
        for j in range(bays_y + 1):
            width = 0.5 * bay_y if j in (0, bays_y) else bay_y
            model.assign_joint_load(storey_name(k), X(0), Y(j), "WINDX", fx=pressure * width * height(k))
    model.process_loading()
    return model
