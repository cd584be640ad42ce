"""The demo building of `bmtool demo`, built from Python step for step; with the same sizes it writes the
same files, byte for byte: build_demo(buildingmodel.Model(), storeys=3).write_e2k("demo.e2k")."""

from itertools import product


def build_demo(model, storeys=5, bays_x=4, bays_y=3, bay_x=6.0, bay_y=5.0, first_storey_height=4.5,
               storey_height=3.6):
    X, Y, levels = (lambda i: i * bay_x), (lambda j: j * bay_y), range(1, storeys + 1)
    level = lambda k: "BASE" if k == 0 else f"STORY{k}"  # noqa: E731
    height = lambda k: first_storey_height if k == 1 else storey_height  # noqa: E731
    model.set_units("KN", "M")
    model.add_level("BASE", 0.0, 0.0)
    for k in levels:
        model.add_level(level(k), height(k), sum(height(below) for below in range(1, k + 1)))
    # Materials: mass and weight per unit volume (t/m3, kN/m3), E (kN/m2), Poisson's ratio, thermal expansion.
    model.add_material("C30", 2.5, 24.5, "CONCRETE", 3.0e7, 0.2, 1.0e-5)
    model.add_material("Q345", 7.85, 76.97, "STEEL", 2.06e8, 0.3, 1.2e-5)
    model.add_frame_section("C600X600", "RECTANGULAR", "C30", d=0.6, b=0.6)
    model.add_frame_section("B300X600", "RECTANGULAR", "C30", d=0.6, b=0.3)
    model.add_frame_section("HN400X200", "I/WIDE FLANGE", "Q345", d=0.4, b=0.2, tf=0.013, tw=0.008)
    model.add_frame_section("HW200X200", "I/WIDE FLANGE", "Q345", d=0.2, b=0.2, tf=0.012, tw=0.008)
    model.add_wall_section("WALL250", "C30", 0.25)
    model.add_slab_section("SLAB120", "C30", 0.12)

    # Beams along X (steel edge beams on the front and back faces), then along Y; the handle is the name.
    spans = [(X(i), Y(j), X(i + 1), Y(j), "HN400X200" if j in (0, bays_y) else "B300X600", False)
             for j in range(bays_y + 1) for i in range(bays_x)]
    spans += [(X(i), Y(j), X(i), Y(j + 1), "B300X600", True) for i in range(bays_x + 1) for j in range(bays_y)]
    walls = [(face, j) for face in (0, bays_x) for j in range(bays_y)]  # on the two end faces, one per bay
    bays, mid, brace_no = [(j, i) for j in range(bays_y) for i in range(bays_x)], (bays_x - 1) // 2, 0
    for k in levels:
        # Columns named after their plan position: one column line serves every storey.
        for j, i in product(range(bays_y + 1), range(bays_x + 1)):
            model.add_column(f"C{j * (bays_x + 1) + i + 1}", X(i), Y(j), level(k), "C600X600")
        for n, (x1, y1, x2, y2, section, _) in enumerate(spans, 1):
            model.add_beam(f"B{n}", x1, y1, x2, y2, level(k), section)
        # An X-braced bay in the middle of the front and back faces.
        for face, (x1, x2) in product((0, bays_y), ((X(mid), X(mid + 1)), (X(mid + 1), X(mid)))):
            brace_no += 1
            model.add_brace(f"BR{brace_no}", x1, Y(face), x2, Y(face), level(k), level(k - 1), "HW200X200")
        for n, (face, j) in enumerate(walls, 1):
            model.add_wall(f"W{n}", X(face), Y(j), X(face), Y(j + 1), level(k), "WALL250")
        # Every joint of the storey on the storey's rigid diaphragm, and a slab in every bay on it.
        for j, i in product(range(bays_y + 1), range(bays_x + 1)):
            model.assign_joint_diaphragm(level(k), X(i), Y(j), "D1")
        for n, (j, i) in enumerate(bays, 1):
            corners = [(X(i), Y(j)), (X(i + 1), Y(j)), (X(i + 1), Y(j + 1)), (X(i), Y(j + 1))]
            model.add_slab(f"F{n}", corners, level(k), "SLAB120", diaphragm="D1")

    model.process_geometry()
    for name, kind, factor in (("DEAD", "DEAD", 1.0), ("LIVE", "LIVE", 0.0), ("WINDX", "WIND", 0.0)):
        model.add_load_case(name, kind, factor)
    # Beams: uniform dead load on all; live point load at mid-span of the beams along Y, trapezoidal live
    # load on the beams along X.
    for k, (n, span) in product(levels, enumerate(spans, 1)):
        model.assign_beam_load(level(k), f"B{n}", "UNIFF", "GRAV", "DEAD", 0.0, 5.0, 1.0, 5.0)
        live = ("POINTF", 0.5, 12.0, 0.5, 12.0) if span[-1] else ("TRAPF", 0.0, 2.0, 1.0, 4.0)
        model.assign_beam_load(level(k), f"B{n}", live[0], "GRAV", "LIVE", *live[1:])
    for k, n in product(levels, range(1, len(bays) + 1)):
        model.assign_slab_load(level(k), f"F{n}", "UNIFF", "GRAV", "DEAD", 1.5)
        model.assign_slab_load(level(k), f"F{n}", "UNIFF", "GRAV", "LIVE", 2.0)
    # Cladding on the walls, turned into joint loads by process_loading.
    for k, n in product(levels, range(1, len(walls) + 1)):
        model.assign_wall_load(level(k), f"W{n}", "UNIFF", "GRAV", "DEAD", 0.0, 8.0, 1.0, 8.0)
    # Wind along X on the windward face (x = 0): pressure times tributary width times storey height.
    for k, j in product(levels, range(bays_y + 1)):
        width = 0.5 * bay_y if j in (0, bays_y) else bay_y
        model.assign_joint_load(level(k), X(0), Y(j), "WINDX", fx=0.6 * width * height(k))
    model.process_loading()
    return model
