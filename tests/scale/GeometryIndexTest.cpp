// The indexed look-ups (point, line, area) against a plain scan, after every random add, removal and edit.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <iterator>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "support/ArchiveHelpers.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Reference scans, written out as the legacy operations read.
CBMPoint* ScanPoint(const CBMPointList& list, double x, double y) {
  for (CBMPoint& p : list.Members<CBMPoint>()) {
    const double dx = p.get_X() - x, dy = p.get_Y() - y;
    if (std::sqrt(dx * dx + dy * dy) < 0.0001) return &p;
  }
  return nullptr;
}

CBMLine* ScanLine(const CBMLineList& list, CBMPoint* p1, CBMPoint* p2, bool brace) {
  for (CBMLine& l : list.Members<CBMLine>()) {
    const bool ends = (l.get_pP1() == p1 && l.get_pP2() == p2) || (l.get_pP1() == p2 && l.get_pP2() == p1);
    if ((l.GetType() == "BRACE") == brace && ends) return &l;
  }
  return nullptr;
}

CBMArea* ScanArea(const CBMAreaList& list, CBMComponentList& pts, bool ramp) {
  for (CBMArea& area : list.Members<CBMArea>()) {
    bool same = (area.GetAreaType() == "RAMP") == ramp && area.GetCount() == pts.GetCount();
    for (int k = 1; k <= pts.GetCount() && same; ++k) same = area.GetPoint(k) == pts.GetItem(k);
    if (same) return &area;
  }
  return nullptr;
}

int Pick(std::mt19937& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

template <typename T>
T* AnyMember(const CBMComponentList& list, std::mt19937& rng) {
  return list.GetCount() > 0 ? static_cast<T*>(list.GetItem(Pick(rng, 1, list.GetCount()))) : nullptr;
}

CString Named(const char* format, int number) {
  CString name;
  name.Format(format, number);
  return name;
}

// List operation `k` (0 to 9): add null, remove, delete `name`, re-add every `keep`th, delete all, reload.
template <typename T>
void ListOp(CBMComponentList& list, int k, std::mt19937& rng, std::vector<std::unique_ptr<T>>& loose,
            const CString& name, size_t keep, T& record) {
  if (k == 0) {
    list.Add(nullptr);
  } else if (k < 4) {
    list.RemoveAt(Pick(rng, 0, list.GetCount() + 1));
  } else if (k < 6) {
    list.DeleteItem(name);
  } else if (k == 6) {
    std::vector<T*> out;
    for (int i = 1; i <= list.GetCount(); ++i) out.push_back(static_cast<T*>(list.GetItem(i)));
    list.RemoveAll();
    for (size_t i = out.size(); i-- > 0;) {
      if (i % keep == 0 && out[i]) list.Add(out[i]);
      if (i % keep != 0) loose.emplace_back(out[i]);
    }
  } else if (k == 7) {
    list.DeleteAll();
  } else if (T* member = AnyMember<T>(list, rng)) {
    bm::test::Reload(record, *member);
  }
}

// Coordinates near the tolerance, on cell edges (1/1024), either sign, huge and non-finite.
double PickCoordinate(std::mt19937& rng) {
  static const double bases[] = {
      0.0,          1.0,          1.0 / 1024,      3.0 / 1024,     0.5 / 1024, 6.0,     123.456, 987.65,
      1e9,          1e15,         4.5e15,          1e17,           1e300,      DBL_MAX, 5e-324,  1e-310,
      1073741824.0, 1073741824.5, 4398046511104.0, 8796093022208.0};
  static const double offsets[] = {0.0,        5e-5,       1e-4,        0.99999e-4,  1.0001e-4,
                                   7.07e-5,    2e-4,       0.25 / 1024, 0.75 / 1024, 1.0 / 1024,
                                   0.5 / 1024, 0.6 / 1024, 0.4 / 1024};
  const int r = Pick(rng, 0, 99);
  if (r < 3) return r == 0 ? kNaN : r == 1 ? kInf : -kInf;
  if (r < 20) return std::uniform_real_distribution<double>(-50.0, 50.0)(rng);
  const double base = bases[Pick(rng, 0, std::size(bases) - 1)];
  const double offset = offsets[Pick(rng, 0, std::size(offsets) - 1)];
  return (r % 2 ? base : -base) + (r % 4 < 2 ? offset : -offset);
}

void CheckPoints(const CBMPointList& list, double x, double y) {
  ASSERT_EQ(list.FindPointByCoors(x, y), ScanPoint(list, x, y)) << "at (" << x << ", " << y << ")";
}

// Both line look-ups of a point pair, the brace one in reverse order.
void CheckLines(CBMLineList& list, CBMPoint* a, CBMPoint* b) {
  ASSERT_EQ(list.FindLineByPoint(a, b), ScanLine(list, a, b, false));
  ASSERT_EQ(list.FindBraceLineByPoint(b, a), ScanLine(list, b, a, true));
}

void CheckEveryLine(CBMLineList& list) {
  for (CBMLine& line : list.Members<CBMLine>()) CheckLines(list, line.get_pP2(), line.get_pP1());
}

TEST(GeometryIndexTest, PointByPositionMatchesScan) {
  for (int seed = 1; seed <= 12 && !HasFatalFailure(); ++seed) {
    std::mt19937 rng(seed);
    CBMPointList list;
    std::vector<std::unique_ptr<CBMPoint>> loose;
    std::vector<std::pair<double, double>> seen;
    for (int step = 0; step < 1500 && !HasFatalFailure(); ++step) {
      const int r = Pick(rng, 0, 99);
      double x = PickCoordinate(rng), y = PickCoordinate(rng);
      if (!seen.empty() && r % 3 == 0) {  // near an earlier position, so that matches are common
        const auto& s = seen[Pick(rng, 0, static_cast<int>(seen.size()) - 1)];
        x = s.first + (r % 2 ? 0.0 : 3e-5);
        y = s.second;
      }
      if (r < 55) {
        CBMPoint* expected = ScanPoint(list, x, y);
        CBMPoint* got = list.AddPoint(x, y);
        ASSERT_EQ(got, expected ? expected : got);
      } else if (r < 65) {
        CString name = Named("p%d", Pick(rng, 1, 60));
        list.AddPoint(name, x, y);
      } else if (r < 70) {
        list.Add(new CBMPoint(x, y, 0.0, false));
      } else if (r < 90) {
        CBMPoint moved(x, y, 0.0, false);  // reloading a point's record moves it
        ListOp(list, (r - 70) / 2, rng, loose, Named("%d", Pick(rng, 1, 60)), 3, moved);
      }
      if (r < 65) seen.push_back({x, y});
      CheckPoints(list, x, y);
      for (int q = 0; q < 4; ++q) CheckPoints(list, PickCoordinate(rng), PickCoordinate(rng));
      const auto s = seen.empty() ? std::pair{0.0, 0.0} : seen[Pick(rng, 0, int(seen.size()) - 1)];
      for (double dx : {0.0, 0.99999e-4, -1e-4}) CheckPoints(list, s.first + dx, s.second);
      CheckPoints(list, s.first + 7e-5, s.second - 7e-5);
    }
  }
}

TEST(GeometryIndexTest, PointToleranceEdgesOnLongList) {
  // Enough points for the index, on a grid whose lines fall on cell edges and far from them.
  CBMPointList list;
  const double coords[] = {0.0,    1.0 / 1024, -1.0 / 1024, 0.5 / 1024,   -0.5 / 1024,     0.5,
                           -3.75,  1e6,        -1e6,        1073741824.0, 1073741824.0005, 4398046511104.0,
                           2.5e15, 1e18,       -1e18,       1e300};
  for (double x : coords)
    for (double y : coords) list.Add(new CBMPoint(x, y, 0.0, false));
  const double deltas[] = {0.0,  1e-4,         -1e-4,        0.99999999e-4, -0.99999999e-4, 1.00000001e-4,
                           5e-5, 7.0710678e-5, 7.0710679e-5, 1e-300,        -5e-324,        2e-4};
  for (double x : coords)
    for (double y : coords)
      for (double dx : deltas)
        for (double dy : deltas) CheckPoints(list, x + dx, y + dy);
  EXPECT_EQ(list.FindPointByCoors(0.0001, 0.0), nullptr);  // exactly the tolerance: not near
  for (const auto& [x, y] : {std::pair{kNaN, 0.0}, {0.0, kInf}, {-kInf, -kInf}})
    EXPECT_EQ(list.FindPointByCoors(x, y), nullptr);
  list.Add(new CBMPoint(kInf, 0.0, 0.0, false));  // never found, not even there
  list.Add(new CBMPoint(kNaN, 0.0, 0.0, false));
  EXPECT_EQ(list.FindPointByCoors(kInf, 0.0), nullptr);
  CheckPoints(list, DBL_MAX, DBL_MAX);
}

TEST(GeometryIndexTest, LineByPointPairMatchesScan) {
  const char* types[] = {"BEAM", "COLUMN", "BRACE", "brace", ""};
  for (int seed = 1; seed <= 12 && !HasFatalFailure(); ++seed) {
    std::mt19937 rng(seed);
    std::vector<CBMPoint> pool(12);
    auto pick = [&]() -> CBMPoint* {
      const size_t i = Pick(rng, 0, static_cast<int>(pool.size()));
      return i == pool.size() ? nullptr : &pool[i];
    };
    CBMLineList list;
    std::vector<std::unique_ptr<CBMLine>> loose;
    for (int step = 0; step < 1500 && !HasFatalFailure(); ++step) {
      SCOPED_TRACE(testing::Message() << "seed " << seed << " step " << step);
      const int r = Pick(rng, 0, 99);
      CBMLine* existing = AnyMember<CBMLine>(list, rng);
      if (r < 45) {
        CString name = Named("L%d", step);
        list.AddLine(name, pick(), pick())->SetType(types[Pick(rng, 0, 4)]);
      } else if (r < 52) {
        CString name = Named("N%d", Pick(rng, 1, 40));
        list.AddLine(name);  // find-or-create by name: no points, no type
      } else if (r < 62 && existing) {
        existing->set_pPoint(pick(), pick());
      } else if (r >= 62 && r < 70 && existing) {
        existing->SetType(types[Pick(rng, 0, 4)]);
      } else if (r >= 70 && r < 90) {
        CBMLine record;  // reloading a line's record changes its type
        record.SetType(types[Pick(rng, 0, 4)]);
        ListOp(list, (r - 70) / 2, rng, loose, Named("L%d", Pick(rng, 0, step)), 2, record);
      }
      for (int q = 0; q < 6; ++q) {
        CBMPoint* a = pick();
        CheckLines(list, a, q == 0 ? a : pick());
      }
    }
  }
}

TEST(GeometryIndexTest, AreaByCornerSequenceMatchesScan) {
  const char* types[] = {"FLOOR", "PANEL", "RAMP", "ramp", ""};
  for (int seed = 1; seed <= 12 && !HasFatalFailure(); ++seed) {
    std::mt19937 rng(seed);
    std::vector<CBMPoint> pool(5);
    auto pick = [&]() -> CBMPoint* {
      const int i = Pick(rng, 0, static_cast<int>(pool.size()) * 4);
      return i == 0 ? nullptr : &pool[i % pool.size()];
    };
    CBMAreaList list;
    std::vector<std::unique_ptr<CBMArea>> loose;
    for (int step = 0; step < 1500 && !HasFatalFailure(); ++step) {
      SCOPED_TRACE(testing::Message() << "seed " << seed << " step " << step);
      const int r = Pick(rng, 0, 99);
      CBMArea* existing = AnyMember<CBMArea>(list, rng);
      if (r < 40) {
        CString name = Named("A%d", Pick(rng, 1, 200));
        CBMArea* area = list.AddArea(name);  // may be an existing one
        for (int k = Pick(rng, 0, 4); k > 0; --k) area->AddPoint(pick());
        area->SetAreaType(types[Pick(rng, 0, 4)]);
      } else if (r < 55 && existing) {
        existing->AddPoint(pick());
      } else if (r >= 55 && r < 62 && existing) {
        existing->SetAreaType(types[Pick(rng, 0, 4)]);
      } else if (r >= 62 && r < 82) {
        // Reloading an area's record sets a corner count the attached points no longer match.
        CBMArea record;
        for (int k = Pick(rng, 0, 3); k > 0; --k) record.AddPoint(&pool[0]);
        record.SetAreaType(types[Pick(rng, 0, 4)]);
        ListOp(list, (r - 62) / 2, rng, loose, Named("A%d", Pick(rng, 1, 200)), 3, record);
      }
      for (int q = 0; q < 6; ++q) {
        CBMComponentList pts;
        CBMArea* model = AnyMember<CBMArea>(list, rng);
        if (model && q % 2 == 0) {  // the corners of an existing area (as counted): hits are common
          for (int k = 1; k <= model->GetCount(); ++k) pts.Add(model->GetPoint(k));
        } else {
          for (int k = Pick(rng, 0, 4); k > 0; --k) pts.Add(pick());
        }
        ASSERT_EQ(list.FindAreaByPoints(&pts), ScanArea(list, pts, false));
        ASSERT_EQ(list.FindRampAreaByPoints(&pts), ScanArea(list, pts, true));
        pts.RemoveAll();
      }
    }
    EXPECT_EQ(list.FindAreaByPoints(nullptr), nullptr);
  }
}

// Gives `model` the levels BASE and S1 and the frame section B1.
CBMMgrGeometry* Plan(CBuildingModule& model) {
  CBMMgrGeometry* geometry = model.get_pMgrGeometry();
  geometry->AddLevel("BASE", 0.0, 0.0);
  geometry->AddLevel("S1", 3.0, 3.0);
  geometry->AddFrameSection("B1", "RECTANGULAR", "C30");
  return geometry;
}

// Through the managers: an indexed plan, positions repeated within and beyond the tolerance.
TEST(GeometryIndexTest, ManagerModelMatchesScans) {
  CBuildingModule module;
  CBMMgrGeometry* geometry = Plan(module);
  std::mt19937 rng(7);
  const double jitter[] = {0.0, 4e-5, -9.9e-5, 1e-4, 3e-4};
  auto coord = [&]() { return Pick(rng, 0, 9) * 1.5 + jitter[Pick(rng, 0, 4)]; };
  CBMPointList* points = geometry->get_pPointList();
  for (int i = 0; i < 600; ++i) {
    CString name = Named("E%d", i);
    const double x1 = coord(), y1 = coord(), x2 = coord(), y2 = coord();
    if (i % 4 == 0) geometry->AddColumn(name, x1, y1, "S1", "B1");
    if (i % 4 == 1) geometry->AddBeam(name, x1, y1, x2, y2, "S1", "B1");
    if (i % 4 == 2) geometry->AddWall(name, x1, y1, x2, y2, "S1", "B1");
    if (i % 4 == 3) geometry->AddBrace(name, x1, y1, x2, y2, "S1", "BASE", "B1");
    ASSERT_EQ(points->FindPointByCoors(x1, y1), ScanPoint(*points, x1, y1));
    ASSERT_EQ(points->FindPointByCoors(x2 + 5e-5, y2), ScanPoint(*points, x2 + 5e-5, y2));
  }
  CBMAreaList* areas = geometry->get_pAreaList();
  ASSERT_TRUE(points->GetCount() > 100 && geometry->get_pLineList()->GetCount() > 100);
  ASSERT_GT(areas->GetCount(), 50);
  CheckEveryLine(*geometry->get_pLineList());
  for (CBMArea& area : areas->Members<CBMArea>()) {
    CBMComponentList pts;
    for (int k = 1; k <= area.GetCount(); ++k) pts.Add(area.GetPoint(k));
    ASSERT_EQ(areas->FindAreaByPoints(&pts), ScanArea(*areas, pts, false));
    pts.RemoveAll();
  }
}

// An edit rebuilds the index of its own model only; both still answer as a scan does.
TEST(GeometryIndexTest, AnEditRebuildsOnlyTheIndexOfItsModel) {
  CBuildingModule models[2];
  for (CBuildingModule& model : models) {
    CBMMgrGeometry* geometry = Plan(model);
    for (int i = 0; i < 30; ++i) geometry->AddBeam(Named("B%d", i), i, 0.0, i, 5.0, "S1", "B1");
  }
  CBMLineList* lines[2] = {models[0].get_pMgrGeometry()->get_pLineList(),
                           models[1].get_pMgrGeometry()->get_pLineList()};
  for (CBMLineList* list : lines) CheckEveryLine(*list);
  ASSERT_GE(lines[0]->GetCount(), bm::kGeometryIndexThreshold);
  const uint64_t builds = bm::GeometryIndexBuilds();
  CBMLine* moved = lines[0]->ItemAs<CBMLine>(7);
  moved->SetType("BRACE");
  CheckEveryLine(*lines[1]);
  EXPECT_EQ(bm::GeometryIndexBuilds(), builds);  // the other model's index stayed
  CheckEveryLine(*lines[0]);
  EXPECT_EQ(lines[0]->FindBraceLineByPoint(moved->get_pP1(), moved->get_pP2()), moved);
  EXPECT_EQ(bm::GeometryIndexBuilds(), builds + 1);
}

// The managers' pattern: a look-up before every add refreshes the index a point at a time and still finds.
TEST(GeometryIndexTest, InterleavedAddsAndLookUpsOnALargePlan) {
  CBMPointList points;
  const int side = 400;  // 160000 points
  for (int j = 0; j < side; ++j)
    for (int i = 0; i < side; ++i) points.AddPoint(i * 0.5, j * 0.5);
  ASSERT_EQ(points.GetCount(), side * side);
  for (int k = 0; k < side * side; k += 997)  // each position again, within the tolerance
    ASSERT_EQ(points.AddPoint((k % side) * 0.5 + 5e-5, (k / side) * 0.5 - 5e-5), points.GetItem(k + 1)) << k;
  EXPECT_EQ(points.GetCount(), side * side);
}

// Look-ups along rows, down columns and around the cells of a plan filed row by row, as hosts make them,
// after a copy of the first row a little apart: the guesses from the answers before (the next position, the
// same stride again) reach that copy, which a point of the first row must still win.
TEST(GeometryIndexTest, RunsOfLookUpsFindTheFirstPointLikeAScan) {
  CBMPointList points;
  const int side = 30;
  for (int j = 0; j < side; ++j)
    for (int i = 0; i < side; ++i) points.Add(new CBMPoint(i * 0.5, j * 0.5, 0.0, false));
  for (int i = 0; i < side; ++i) points.Add(new CBMPoint(i * 0.5 + 3e-5, 0.0, 0.0, false));
  const auto check = [&](int i, int j) { CheckPoints(points, i * 0.5, j * 0.5); };
  for (int i = 0; i < side; ++i) {
    for (int j = 0; j < side; ++j) check(i, j);  // down a column
    check(i, 0);                                 // and back to its first row
  }
  for (int j = 0; j + 1 < side; ++j) {
    for (int i = 0; i + 1 < side; ++i) {
      check(i, j), check(i + 1, j), check(i + 1, j + 1), check(i, j + 1);  // a cell's corners
    }
  }
  for (int j = side - 1; j >= 0; --j)
    for (int i = side - 1; i >= 0; --i) check(i, j);  // backwards
}

}  // namespace
