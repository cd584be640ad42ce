// The shared test building: a small, complete model built through the
// managers, used by the manager, archive, writer and reader tests.
#pragma once

#include <memory>

#include "model/BuildingModule.h"

namespace bm::test {

// Plan grid of the test building (length unit M).
inline constexpr double kGridX[4] = {0.0, 6.0, 12.0, 18.0};
inline constexpr double kGridY[4] = {0.0, 5.0, 10.0, 15.0};

// Builds the test building through the geometry and load managers (four
// storeys on a 4 by 4 column grid with beams, braces, walls, slabs, one
// diaphragm and loads of every kind), then runs ProcessGeometry and
// ProcessLoading. Every call gives the same model, built in the same order;
// tests/data/golden/test_building.e2k is its text. Ids follow the legacy
// rule: a member added to a joint's connection list (or a point to an area)
// takes its position there.
std::unique_ptr<CBuildingModule> BuildTestBuilding();

}  // namespace bm::test
