// The shared test building: a small, complete model built through the
// managers, used by the manager, archive, writer and reader tests.
#pragma once

#include <memory>

#include "model/BuildingModule.h"

namespace bm::test {

// Plan grid of the test building (length unit M).
inline constexpr double kGridX[4] = {0.0, 6.0, 12.0, 18.0};
inline constexpr double kGridY[4] = {0.0, 5.0, 10.0, 15.0};

// Builds the test building through the geometry and load managers, then runs
// ProcessGeometry and ProcessLoading. Every call gives the same model, built
// in the same order:
//
// Units: SetUnits("KN", "M").
//
// Levels (AddLevel(name, height, 0.0); ProcessGeometry sets the elevations):
//   BASE   height 0.0  -> elevation 0.0
//   STORY1 height 4.0  -> elevation 4.0
//   STORY2 height 3.5  -> elevation 7.5
//   STORY3 height 3.5  -> elevation 11.0
//
// Materials:
//   STEEL: M 7.849,  W 76.9729, design "STEEL",    E 199947978.8, U 0.3, A 1.17e-5
//   CONC:  M 2.4028, W 23.5631, design "CONCRETE", E 24855578.28, U 0.2, A 9.9e-6
// Frame sections:
//   COL500 "RECTANGULAR" CONC, D 0.5, B 0.5                 (columns)
//   W18X35 "I/WIDE FLANGE" STEEL, D 0.4496, B 0.1524, TF 0.0108, TW 0.0076 (beams)
//   W10X33 "I/WIDE FLANGE" STEEL, D 0.2474, B 0.2019, TF 0.0110, TW 0.0074 (braces)
// Shell sections: WALL250 (WALL, CONC, 0.25), SLAB150 (SLAB, CONC, 0.15).
//
// On each of STORY1, STORY2, STORY3 (in this order, each storey columns,
// then beams, then walls, then slabs, then its diaphragm):
//   Columns C1..C16 (COL500) at grid (kGridX[c], kGridY[r]), name
//     C(4r + c + 1), r and c from 0 to 3. STORY1's columns make the plan
//     points, so the point list is exactly C1..C16 (in that order) and every
//     later member reuses them.
//   Beams (W18X35): B(3r + c + 1) along X from (X[c], Y[r]) to (X[c+1], Y[r])
//     for r 0..3, c 0..2 (B1..B12); B(13 + 3c + r) along Y from (X[c], Y[r])
//     to (X[c], Y[r+1]) for c 0..3, r 0..2 (B13..B24).
//   Perimeter walls (WALL250) in the middle bays, running anticlockwise:
//     W1 (6,0)->(12,0), W2 (18,5)->(18,10), W3 (12,15)->(6,15), W4 (0,10)->(0,5).
//   Slabs (SLAB150) S(3r + c + 1) over bay (c, r): corners (X[c],Y[r]),
//     (X[c+1],Y[r]), (X[c+1],Y[r+1]), (X[c],Y[r+1]).
//   Diaphragm D1: all 16 joints (AssignJointDiaphragm, in column order) and
//     every slab (SetDiaphragm with the model-wide D1).
//   Map handles: "<LEVEL>-<NAME>" for beams, walls and slabs (e.g. "STORY2-B7").
// Braces (W10X33), added after the storeys:
//   BR1 on STORY2, bottom BASE (span 2), from (0,0) up to (6,0): a new BRACE
//     line, since beam line B1 between those points has span 0.
//   BR2 on STORY1, bottom BASE (span 1), from (18,15) up to (12,15).
// Lines, in order: C1..C16 (COLUMN, span 1), B1..B24 (BEAM, span 0),
//   BR1 (BRACE, 2), BR2 (BRACE, 1). Areas: W1..W4 (PANEL), S1..S9 (FLOOR).
//
// Load cases: DEAD ("DEAD", self weight 1), LIVE ("LIVE", 0), WIND ("WIND", 0),
//   then the virtual case VWIND ("WIND", 0, virtual name "vx_roof") with one
//   wind item: level STORY3, diaphragm D1, Fx 100, Fy 0 at (9, 7.5).
// Joint loads: WIND FX = 10 * k at (0,0) on STORYk; DEAD FZ -20 at (6,5) on
//   STORY3.
// Beam loads: every beam DEAD UNIFF GRAV (0, 5, 1, 5); B1 of every storey
//   LIVE TRAPF GRAV (0.25, 0, 0.75, 8); STORY1 B13 LIVE POINTF GRAV (0.5, 12).
// Wall loads (converted into joint FY forces by ProcessLoading):
//   STORY1 W1 DEAD UNIFF GRAV (0, 10, 1, 10)     -> 30 / 30
//   STORY1 W2 LIVE POINTF GRAV (0.25, 10)         -> 7.5 / 2.5
//   STORY1 W3 DEAD TRAPF GRAV (0.25, 4, 0.75, 8)  -> 8.5 / 9.5
//   STORY1 W4 LIVE TRAPF GRAV (0, 6, 1, 0)        -> 10 / 5
//   STORY2 and STORY3 W1 DEAD UNIFF GRAV (0, 10, 1, 10) -> 30 / 30
// Slab loads: every slab DEAD UNIFF GRAV 3.5 and LIVE UNIFF GRAV 2.0.
//
// After ProcessGeometry: every wall's pier is "P<wall name>" (PW1..PW4); BASE
// holds the joints C1..C16 (in that order, from the first-storey columns),
// each fully fixed; station spacings follow the default analysis options
// (5 stations, no joint stiffness reduction).
//
// Ids: adding a member to a joint's connection list (and a point to an area)
// renumbers it, as the legacy model does, so member and point ids are their
// positions in the last such list, not in their own lists.
std::unique_ptr<CBuildingModule> BuildTestBuilding();

}  // namespace bm::test
