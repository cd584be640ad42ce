// Geometric look-ups (point by position, line by point pair, area by corner
// sequence) against a plain linear scan of the same list: random adds,
// removals, edits and look-ups, checked after every step.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <iterator>
#include <limits>
#include <random>
#include <vector>

#include "support/ArchiveHelpers.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// ---------------------------------------------------------------------------
// Reference scans, written out as the legacy operations read.

CBMPoint* ScanPoint(const CBMPointList& list, double x, double y) {
  for (int i = 1; i <= list.GetCount(); ++i) {
    auto* p = static_cast<CBMPoint*>(list.GetItem(i));
    if (!p) continue;
    const double dx = p->get_X() - x;
    const double dy = p->get_Y() - y;
    if (std::sqrt(dx * dx + dy * dy) < 0.0001) return p;
  }
  return nullptr;
}

CBMLine* ScanLine(const CBMLineList& list, CBMPoint* p1, CBMPoint* p2, bool brace) {
  for (int i = 1; i <= list.GetCount(); ++i) {
    auto* line = static_cast<CBMLine*>(list.GetItem(i));
    if (!line || (line->GetType() == "BRACE") != brace) continue;
    if ((line->get_pP1() == p1 && line->get_pP2() == p2) ||
        (line->get_pP1() == p2 && line->get_pP2() == p1)) {
      return line;
    }
  }
  return nullptr;
}

CBMArea* ScanArea(const CBMAreaList& list, CBMComponentList& pts, bool ramp) {
  for (int i = 1; i <= list.GetCount(); ++i) {
    auto* area = static_cast<CBMArea*>(list.GetItem(i));
    if (!area || (area->GetAreaType() == "RAMP") != ramp || area->GetCount() != pts.GetCount()) continue;
    bool same = true;
    for (int k = 1; k <= pts.GetCount() && same; ++k) same = area->GetPoint(k) == pts.GetItem(k);
    if (same) return area;
  }
  return nullptr;
}

// Members taken out with RemoveAll stay alive; the test frees them.
template <typename T>
void TakeAll(CBMComponentList& list, std::vector<T*>& loose) {
  for (int i = 1; i <= list.GetCount(); ++i) loose.push_back(static_cast<T*>(list.GetItem(i)));
  list.RemoveAll();
}

// ---------------------------------------------------------------------------
// Points

// Coordinates that stress the cells: near neighbours at and around the
// tolerance, cell edges (multiples of 1/1024), negative, huge and
// non-finite values.
double PickCoordinate(std::mt19937& rng) {
  static const double bases[] = {0.0,
                                 1.0,
                                 -1.0,
                                 6.0,
                                 1.0 / 1024,
                                 -1.0 / 1024,
                                 3.0 / 1024,
                                 123.456,
                                 -987.654,
                                 1e9,
                                 -1e9,
                                 1e15,
                                 4.5e15,
                                 1e17,
                                 -1e17,
                                 1e300,
                                 -1e300,
                                 DBL_MAX,
                                 -DBL_MAX,
                                 5e-324,
                                 1e-310,
                                 0.5 / 1024,
                                 -0.5 / 1024,
                                 1073741824.0,
                                 -1073741824.0,
                                 1073741824.5,
                                 4398046511104.0,
                                 8796093022208.0,
                                 -8796093022208.0};
  static const double offsets[] = {0.0,         5e-5,       -5e-5,      1e-4,        -1e-4,      0.99999e-4,
                                   -0.99999e-4, 1.0001e-4,  7.07e-5,    -7.07e-5,    2e-4,       0.25 / 1024,
                                   0.75 / 1024, 1.0 / 1024, 0.5 / 1024, -0.5 / 1024, 0.6 / 1024, 0.4 / 1024};
  std::uniform_int_distribution<int> pick(0, 99);
  const int r = pick(rng);
  if (r == 0) return kNaN;
  if (r == 1) return kInf;
  if (r == 2) return -kInf;
  if (r < 20) return std::uniform_real_distribution<double>(-50.0, 50.0)(rng);
  const double base = bases[std::uniform_int_distribution<size_t>(0, std::size(bases) - 1)(rng)];
  const double offset = offsets[std::uniform_int_distribution<size_t>(0, std::size(offsets) - 1)(rng)];
  return base + offset;
}

void CheckPoints(const CBMPointList& list, double x, double y) {
  ASSERT_EQ(list.FindPointByCoors(x, y), ScanPoint(list, x, y)) << "at (" << x << ", " << y << ")";
}

TEST(GeometryIndexTest, PointByPositionMatchesScan) {
  for (int seed = 1; seed <= 12; ++seed) {
    std::mt19937 rng(seed);
    CBMPointList list;
    std::vector<CBMPoint*> loose;
    std::vector<std::pair<double, double>> seen;
    auto op = std::uniform_int_distribution<int>(0, 99);
    for (int step = 0; step < 1500; ++step) {
      const int r = op(rng);
      double x = PickCoordinate(rng);
      double y = PickCoordinate(rng);
      if (!seen.empty() && r % 3 == 0) {
        // Near an earlier position, so that matches are common.
        const auto& s = seen[std::uniform_int_distribution<size_t>(0, seen.size() - 1)(rng)];
        x = s.first + (r % 2 ? 0.0 : 3e-5);
        y = s.second;
      }
      if (r < 55) {
        CBMPoint* expected = ScanPoint(list, x, y);
        CBMPoint* got = list.AddPoint(x, y);
        if (expected) {
          ASSERT_EQ(got, expected);
        }
        seen.push_back({x, y});
      } else if (r < 65) {
        CString name;
        name.Format("p%d", std::uniform_int_distribution<int>(1, 60)(rng));
        list.AddPoint(name, x, y);
        seen.push_back({x, y});
      } else if (r < 70) {
        list.Add(new CBMPoint(x, y, 0.0, false));
      } else if (r < 72) {
        list.Add(nullptr);
      } else if (r < 80) {
        list.RemoveAt(std::uniform_int_distribution<int>(0, list.GetCount() + 1)(rng));
      } else if (r < 84) {
        CString name;
        name.Format("%d", std::uniform_int_distribution<int>(1, 60)(rng));
        list.DeleteItem(name);
      } else if (r == 84) {
        TakeAll(list, loose);
        // Put some of them back in another order.
        for (size_t i = loose.size(); i-- > 0 && i + 20 > loose.size();) {
          list.Add(loose[i]);
          loose[i] = nullptr;
        }
      } else if (r == 85) {
        list.DeleteAll();
      } else if (r < 88 && list.GetCount() > 0) {
        // Reloading a point's record moves it.
        auto* p =
            static_cast<CBMPoint*>(list.GetItem(std::uniform_int_distribution<int>(1, list.GetCount())(rng)));
        if (p) {
          CBMPoint moved(x, y, 0.0, false);
          bm::test::Reload(moved, *p);
        }
      }
      CheckPoints(list, x, y);
      for (int q = 0; q < 4; ++q) CheckPoints(list, PickCoordinate(rng), PickCoordinate(rng));
      if (!seen.empty()) {
        const auto& s = seen[std::uniform_int_distribution<size_t>(0, seen.size() - 1)(rng)];
        CheckPoints(list, s.first, s.second);
        CheckPoints(list, s.first + 0.99999e-4, s.second);
        CheckPoints(list, s.first - 1e-4, s.second);
        CheckPoints(list, s.first + 7e-5, s.second - 7e-5);
      }
      if (HasFatalFailure()) return;
    }
    for (CBMPoint* p : loose) delete p;
  }
}

TEST(GeometryIndexTest, PointToleranceEdgesOnLongList) {
  // Enough points for the index, laid on a grid whose lines fall on cell
  // edges and far from them.
  CBMPointList list;
  std::vector<double> coords = {
      0.0,  1.0 / 1024,   -1.0 / 1024,     0.5 / 1024,      -0.5 / 1024, 0.5,  -3.75, 1e6,
      -1e6, 1073741824.0, 1073741824.0005, 4398046511104.0, 2.5e15,      1e18, -1e18, 1e300};
  for (double x : coords) {
    for (double y : coords) list.Add(new CBMPoint(x, y, 0.0, false));
  }
  ASSERT_GE(list.GetCount(), 100);
  const double deltas[] = {0.0,  1e-4,         -1e-4,        0.99999999e-4, -0.99999999e-4, 1.00000001e-4,
                           5e-5, 7.0710678e-5, 7.0710679e-5, 1e-300,        -5e-324,        2e-4};
  for (double x : coords) {
    for (double y : coords) {
      for (double dx : deltas) {
        for (double dy : deltas) CheckPoints(list, x + dx, y + dy);
      }
    }
  }
  // Exactly the tolerance away is not near: the test is strict.
  CheckPoints(list, 1e-4, 0.0);
  EXPECT_EQ(list.FindPointByCoors(0.0001, 0.0), nullptr);
  EXPECT_EQ(list.FindPointByCoors(kNaN, 0.0), nullptr);
  EXPECT_EQ(list.FindPointByCoors(0.0, kInf), nullptr);
  EXPECT_EQ(list.FindPointByCoors(-kInf, -kInf), nullptr);
  // A point at an infinite position is never found, not even there.
  list.Add(new CBMPoint(kInf, 0.0, 0.0, false));
  list.Add(new CBMPoint(kNaN, 0.0, 0.0, false));
  EXPECT_EQ(list.FindPointByCoors(kInf, 0.0), nullptr);
  CheckPoints(list, DBL_MAX, DBL_MAX);
  CheckPoints(list, 1e300, 1e300);
}

// ---------------------------------------------------------------------------
// Lines

TEST(GeometryIndexTest, LineByPointPairMatchesScan) {
  const char* types[] = {"BEAM", "COLUMN", "BRACE", "brace", ""};
  for (int seed = 1; seed <= 12; ++seed) {
    std::mt19937 rng(seed);
    std::vector<CBMPoint> pool(12);
    auto pick = [&]() -> CBMPoint* {
      const size_t i = std::uniform_int_distribution<size_t>(0, pool.size())(rng);
      return i == pool.size() ? nullptr : &pool[i];
    };
    auto pickType = [&]() { return CString(types[std::uniform_int_distribution<int>(0, 4)(rng)]); };
    CBMLineList list;
    std::vector<CBMLine*> loose;
    auto op = std::uniform_int_distribution<int>(0, 99);
    for (int step = 0; step < 1500; ++step) {
      const int r = op(rng);
      CBMLine* existing = list.GetCount() > 0
                              ? static_cast<CBMLine*>(
                                    list.GetItem(std::uniform_int_distribution<int>(1, list.GetCount())(rng)))
                              : nullptr;
      if (r < 45) {
        CString name;
        name.Format("L%d", step);
        CBMLine* line = list.AddLine(name, pick(), pick());
        line->SetType(pickType());
      } else if (r < 52) {
        CString name;
        name.Format("N%d", std::uniform_int_distribution<int>(1, 40)(rng));
        list.AddLine(name);  // find-or-create by name: no points, no type
      } else if (r < 62) {
        if (existing) existing->set_pPoint(pick(), pick());
      } else if (r < 70) {
        if (existing) existing->SetType(pickType());
      } else if (r < 72) {
        list.Add(nullptr);
      } else if (r < 82) {
        list.RemoveAt(std::uniform_int_distribution<int>(1, list.GetCount() + 1)(rng));
      } else if (r < 86) {
        CString name;
        name.Format("L%d", std::uniform_int_distribution<int>(0, step)(rng));
        list.DeleteItem(name);
      } else if (r == 86) {
        TakeAll(list, loose);
        for (size_t i = 0; i < loose.size(); i += 2) {
          if (loose[i]) list.Add(loose[i]);
          loose[i] = nullptr;
        }
      } else if (r == 87) {
        list.DeleteAll();
      } else if (r < 90 && existing) {
        // Reloading a line's record changes its type.
        CBMLine record;
        record.SetType(pickType());
        bm::test::Reload(record, *existing);
      }
      for (int q = 0; q < 6; ++q) {
        CBMPoint* a = pick();
        CBMPoint* b = q == 0 ? a : pick();
        ASSERT_EQ(list.FindLineByPoint(a, b), ScanLine(list, a, b, false))
            << "seed " << seed << " step " << step;
        ASSERT_EQ(list.FindBraceLineByPoint(b, a), ScanLine(list, b, a, true))
            << "seed " << seed << " step " << step;
      }
    }
    for (CBMLine* line : loose) delete line;
  }
}

// ---------------------------------------------------------------------------
// Areas

TEST(GeometryIndexTest, AreaByCornerSequenceMatchesScan) {
  const char* types[] = {"FLOOR", "PANEL", "RAMP", "ramp", ""};
  for (int seed = 1; seed <= 12; ++seed) {
    std::mt19937 rng(seed);
    std::vector<CBMPoint> pool(5);
    auto pick = [&]() -> CBMPoint* {
      const size_t i = std::uniform_int_distribution<size_t>(0, pool.size() * 4)(rng);
      return i == 0 ? nullptr : &pool[i % pool.size()];
    };
    auto pickType = [&]() { return CString(types[std::uniform_int_distribution<int>(0, 4)(rng)]); };
    CBMAreaList list;
    std::vector<CBMArea*> loose;
    auto op = std::uniform_int_distribution<int>(0, 99);
    for (int step = 0; step < 1500; ++step) {
      const int r = op(rng);
      CBMArea* existing = list.GetCount() > 0
                              ? static_cast<CBMArea*>(
                                    list.GetItem(std::uniform_int_distribution<int>(1, list.GetCount())(rng)))
                              : nullptr;
      if (r < 40) {
        CString name;
        name.Format("A%d", std::uniform_int_distribution<int>(1, 200)(rng));
        CBMArea* area = list.AddArea(name);  // may be an existing one
        const int n = std::uniform_int_distribution<int>(0, 4)(rng);
        for (int k = 0; k < n; ++k) area->AddPoint(pick());
        area->SetAreaType(pickType());
      } else if (r < 55) {
        if (existing) existing->AddPoint(pick());
      } else if (r < 62) {
        if (existing) existing->SetAreaType(pickType());
      } else if (r < 64) {
        list.Add(nullptr);
      } else if (r < 74) {
        list.RemoveAt(std::uniform_int_distribution<int>(1, list.GetCount() + 1)(rng));
      } else if (r < 78) {
        CString name;
        name.Format("A%d", std::uniform_int_distribution<int>(1, 200)(rng));
        list.DeleteItem(name);
      } else if (r == 78) {
        TakeAll(list, loose);
        for (size_t i = loose.size(); i-- > 0;) {
          if (i % 3 == 0 && loose[i]) {
            list.Add(loose[i]);
            loose[i] = nullptr;
          }
        }
      } else if (r == 79) {
        list.DeleteAll();
      } else if (r < 83 && existing) {
        // Reloading an area's record sets a corner count the attached
        // points no longer match, and a type.
        CBMArea record;
        for (int k = std::uniform_int_distribution<int>(0, 3)(rng); k > 0; --k) record.AddPoint(&pool[0]);
        record.SetAreaType(pickType());
        bm::test::Reload(record, *existing);
      }
      for (int q = 0; q < 6; ++q) {
        CBMComponentList pts;
        CBMArea* model = list.GetCount() > 0
                             ? static_cast<CBMArea*>(
                                   list.GetItem(std::uniform_int_distribution<int>(1, list.GetCount())(rng)))
                             : nullptr;
        if (model && q % 2 == 0) {
          // The corners of an existing area (as counted), so that hits are common.
          for (int k = 1; k <= model->GetCount(); ++k) pts.Add(model->GetPoint(k));
        } else {
          const int n = std::uniform_int_distribution<int>(0, 4)(rng);
          for (int k = 0; k < n; ++k) pts.Add(pick());
        }
        ASSERT_EQ(list.FindAreaByPoints(&pts), ScanArea(list, pts, false))
            << "seed " << seed << " step " << step;
        ASSERT_EQ(list.FindRampAreaByPoints(&pts), ScanArea(list, pts, true))
            << "seed " << seed << " step " << step;
        pts.RemoveAll();
      }
    }
    EXPECT_EQ(list.FindAreaByPoints(nullptr), nullptr);
    for (CBMArea* area : loose) delete area;
  }
}

// ---------------------------------------------------------------------------
// Through the managers: a plan large enough to be indexed, with positions
// repeated within and beyond the tolerance.

TEST(GeometryIndexTest, ManagerModelMatchesScans) {
  CBuildingModule module;
  CBMMgrGeometry* geometry = module.get_pMgrGeometry();
  geometry->AddLevel("BASE", 0.0, 0.0);
  geometry->AddLevel("S1", 3.0, 3.0);
  geometry->AddFrameSection("B1", "RECTANGULAR", "C30");
  geometry->AddWallSection("W1", "C30", 0.2);
  std::mt19937 rng(7);
  auto coord = [&]() {
    const double grid = std::uniform_int_distribution<int>(0, 9)(rng) * 1.5;
    const double jitter[] = {0.0, 4e-5, -9.9e-5, 1e-4, 3e-4};
    return grid + jitter[std::uniform_int_distribution<int>(0, 4)(rng)];
  };
  for (int i = 0; i < 600; ++i) {
    CString name;
    name.Format("E%d", i);
    const double x1 = coord(), y1 = coord(), x2 = coord(), y2 = coord();
    switch (i % 4) {
      case 0:
        geometry->AddColumn(name, x1, y1, "S1", "B1");
        break;
      case 1:
        geometry->AddBeam(name, x1, y1, x2, y2, "S1", "B1");
        break;
      case 2:
        geometry->AddWall(name, x1, y1, x2, y2, "S1", "W1");
        break;
      default:
        geometry->AddBrace(name, x1, y1, x2, y2, "S1", "BASE", "B1");
        break;
    }
    CBMPointList* points = geometry->get_pPointList();
    ASSERT_EQ(points->FindPointByCoors(x1, y1), ScanPoint(*points, x1, y1));
    ASSERT_EQ(points->FindPointByCoors(x2 + 5e-5, y2), ScanPoint(*points, x2 + 5e-5, y2));
  }
  CBMPointList* points = geometry->get_pPointList();
  CBMLineList* lines = geometry->get_pLineList();
  CBMAreaList* areas = geometry->get_pAreaList();
  ASSERT_GT(points->GetCount(), 100);
  ASSERT_GT(lines->GetCount(), 100);
  ASSERT_GT(areas->GetCount(), 50);
  for (int i = 1; i <= lines->GetCount(); ++i) {
    auto* line = static_cast<CBMLine*>(lines->GetItem(i));
    ASSERT_EQ(lines->FindLineByPoint(line->get_pP2(), line->get_pP1()),
              ScanLine(*lines, line->get_pP2(), line->get_pP1(), false));
    ASSERT_EQ(lines->FindBraceLineByPoint(line->get_pP1(), line->get_pP2()),
              ScanLine(*lines, line->get_pP1(), line->get_pP2(), true));
  }
  for (int i = 1; i <= areas->GetCount(); ++i) {
    auto* area = static_cast<CBMArea*>(areas->GetItem(i));
    CBMComponentList pts;
    for (int k = 1; k <= area->GetCount(); ++k) pts.Add(area->GetPoint(k));
    ASSERT_EQ(areas->FindAreaByPoints(&pts), ScanArea(*areas, pts, false));
    pts.RemoveAll();
  }
}

// Indexes follow the edits of their own model only: changing a line of one
// model rebuilds that model's index and leaves the other's as it was, and
// both still answer as a scan does.
TEST(GeometryIndexTest, AnEditRebuildsOnlyTheIndexOfItsModel) {
  CBuildingModule models[2];
  for (CBuildingModule& model : models) {
    CBMMgrGeometry* geometry = model.get_pMgrGeometry();
    geometry->AddLevel("BASE", 0.0, 0.0);
    geometry->AddLevel("S1", 3.0, 3.0);
    geometry->AddFrameSection("B1", "RECTANGULAR", "C30");
    for (int i = 0; i < 30; ++i) {
      CString name;
      name.Format("B%d", i);
      geometry->AddBeam(name, i, 0.0, i, 5.0, "S1", "B1");
    }
  }
  CBMLineList* lines[2] = {models[0].get_pMgrGeometry()->get_pLineList(),
                           models[1].get_pMgrGeometry()->get_pLineList()};
  auto check = [&](int k, bool brace) {
    for (CBMLine& line : lines[k]->Members<CBMLine>()) {
      CBMLine* found = brace ? lines[k]->FindBraceLineByPoint(line.get_pP1(), line.get_pP2())
                             : lines[k]->FindLineByPoint(line.get_pP1(), line.get_pP2());
      ASSERT_EQ(found, ScanLine(*lines[k], line.get_pP1(), line.get_pP2(), brace)) << k << " " << line.name();
    }
  };
  check(0, false);
  check(1, false);
  ASSERT_GE(lines[0]->GetCount(), bm::kGeometryIndexThreshold);

  const uint64_t builds = bm::GeometryIndexBuilds();
  CBMLine* moved = lines[0]->ItemAs<CBMLine>(7);
  ASSERT_NE(moved, nullptr);
  moved->SetType("BRACE");
  check(1, false);
  check(1, true);
  EXPECT_EQ(bm::GeometryIndexBuilds(), builds);  // the other model's index stayed
  check(0, false);
  check(0, true);
  EXPECT_EQ(lines[0]->FindBraceLineByPoint(moved->get_pP1(), moved->get_pP2()), moved);
  EXPECT_EQ(bm::GeometryIndexBuilds(), builds + 1);
}

// The managers' pattern on a large plan: every add is preceded by a look-up,
// so the index is refreshed one point at a time, and it must still answer
// with the existing point for a position within the tolerance. (Refreshing
// must also stay constant time per point: a refresh that copied the whole
// index made this run five times slower here, and grows with the square of
// the plan.)
TEST(GeometryIndexTest, InterleavedAddsAndLookUpsOnALargePlan) {
  CBMPointList points;
  const int side = 400;  // 160000 points
  for (int j = 0; j < side; ++j) {
    for (int i = 0; i < side; ++i) points.AddPoint(i * 0.5, j * 0.5);
  }
  ASSERT_EQ(points.GetCount(), side * side);
  // Each position again, within the tolerance: the existing point answers.
  for (int k = 0; k < side * side; k += 997) {
    const double x = (k % side) * 0.5;
    const double y = (k / side) * 0.5;
    CBMPoint* p = points.AddPoint(x + 5e-5, y - 5e-5);
    ASSERT_EQ(p, points.GetItem(k + 1)) << k;
  }
  EXPECT_EQ(points.GetCount(), side * side);
}

}  // namespace
