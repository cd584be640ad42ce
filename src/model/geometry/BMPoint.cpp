// Plan points and the point list.
#include "model/geometry/BMPoint.h"

#include <cmath>

#include "platform/Transfer.h"

BM_IMPLEMENT_SERIAL(CBMPoint, CBMComponent, 1)

CBMPoint::CBMPoint() = default;

CBMPoint::CBMPoint(double x, double y, double z, bool isMidLevel)
    : X(x), Y(y), IsMidLevel(isMidLevel ? 1 : 0), Z(z) {}

CBMPoint::~CBMPoint() = default;

void CBMPoint::InitFloorJointId(int n) {
  FloorJointId.clear();
  if (n > 0) FloorJointId.assign(static_cast<size_t>(n), 0);
}

void CBMPoint::SetFloorJointId(int level, long id) {
  // Decision: positions outside 1 to n are ignored instead of writing past
  // the array.
  if (level < 1 || static_cast<size_t>(level) > FloorJointId.size()) return;
  FloorJointId[static_cast<size_t>(level) - 1] = static_cast<int32_t>(id);
}

long CBMPoint::GetFloorJointId(int level) const {
  if (level < 1 || static_cast<size_t>(level) > FloorJointId.size()) return 0;
  return FloorJointId[static_cast<size_t>(level) - 1];
}

void CBMPoint::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  // Loading moves an indexed point: the indexes of its lists hear of it.
  if (ar.IsLoading() && indexed_) NoteKeyEditToLists();
  bm::Transfer(ar, X, Y, Z, IsMidLevel);
}

BM_IMPLEMENT_SERIAL(CBMPointList, CBMComponentList, 1)

CBMPoint* CBMPointList::AddPoint(CString& name, double x, double y) {
  if (CBMPoint* found = ItemAs<CBMPoint>(name)) return found;
  auto point = std::make_unique<CBMPoint>(x, y, 0.0, false);
  point->set_Name(name);
  return Adopt(std::move(point));
}

CBMPoint* CBMPointList::AddPoint(double x, double y) {
  if (CBMPoint* near = FindPointByCoors(x, y)) return near;
  CString name;
  name.Format("%i", GetCount() + 1);
  // Legacy: a point that already bears the generated name is returned as it
  // is, wherever it lies.
  return AddPoint(name, x, y);
}

double bm::PlanDistance(const CBMPoint* a, const CBMPoint* b) {
  if (!a || !b) return 0.0;
  const double dx = a->get_X() - b->get_X();
  const double dy = a->get_Y() - b->get_Y();
  return std::sqrt(dx * dx + dy * dy);
}

namespace {

// The plan-distance test of the position look-up, exactly as the legacy scan
// computes it.
bool IsNear(const CBMPoint& p, double x, double y) {
  const double dx = p.get_X() - x;
  const double dy = p.get_Y() - y;
  return std::sqrt(dx * dx + dy * dy) < 0.0001;
}

// The position index files each point under the grid cell of its plan
// position. Cells are 1/1024 wide, much wider than the 0.0001 tolerance,
// and their edges lie half-way between multiples of 1/1024, so that points
// on round coordinates (the usual case) sit in the middle of a cell. The
// cell of v is floor(w) with w = 1024 v - 0.5: the scaling is exact and the
// subtraction rounds monotonically, by at most 2^-13 while |w| < 2^40.
//
// A point that passes IsNear differs from the query by less than 0.00010001
// in each axis (the rounding of the distance adds no more), i.e. by less
// than 0.1025 in 1024 v, and so by less than 0.103 in w. It therefore lies
// in the query's cell or, when the query's w is within a quarter cell of an
// edge, in the neighbour across that edge. Beyond |w| = 2^40 the rounding
// of w may reach half a cell, and two cells either side are searched.
constexpr double kCellsPerUnit = 1024.0;
constexpr double kExactLimit = 1099511627776.0;  // 2^40
// Cell numbers are clamped to +-2^62 so that neighbours never overflow. Where
// 1024 v passes 2^53 coordinates are whole numbers of cells, so two points
// within the tolerance have the same coordinate, the same w and the same
// (possibly clamped) cell.
constexpr double kCellClamp = 4611686018427387904.0;  // 2^62

struct AxisCell {
  int64_t cell;
  int below;  // neighbours below the cell that may hold matches
  int above;  // neighbours above the cell that may hold matches
};

AxisCell CellOf(double v) {
  const double w = v * kCellsPerUnit - 0.5;
  const double f = std::floor(w);
  if (std::fabs(w) < kExactLimit) {
    // w - f is exact: both are multiples of the unit in the last place of w.
    const double frac = w - f;
    return {static_cast<int64_t>(f), frac < 0.25 ? 1 : 0, frac > 0.75 ? 1 : 0};
  }
  if (std::fabs(f) < kCellClamp) return {static_cast<int64_t>(f), 2, 2};
  return {f > 0 ? int64_t{1} << 62 : -(int64_t{1} << 62), 2, 2};
}

uint64_t CellKey(int64_t cx, int64_t cy) {
  return bm::HashMix(bm::HashMix(0, static_cast<uint64_t>(cx)), static_cast<uint64_t>(cy));
}

}  // namespace

CBMPoint* CBMPointList::FindPointByCoors(double x, double y) const {
  const bm::PositionChains* index =
      bm::ChainsFor<CBMPoint>(index_, *this, [](const CBMPoint& p, uint64_t* key) {
        p.indexed_ = true;
        // A point with a non-finite coordinate matches no query.
        if (!std::isfinite(p.get_X()) || !std::isfinite(p.get_Y())) return false;
        *key = CellKey(CellOf(p.get_X()).cell, CellOf(p.get_Y()).cell);
        return true;
      });
  if (!index) return bm::ScanFirst<CBMPoint>(*this, [x, y](const CBMPoint& p) { return IsNear(p, x, y); });
  // A NaN or infinite coordinate never passes IsNear (the difference is NaN
  // or infinite), so the scan finds nothing either.
  if (!std::isfinite(x) || !std::isfinite(y)) return nullptr;
  const AxisCell ax = CellOf(x);
  const AxisCell ay = CellOf(y);
  const bm::PositionChains& chains = *index;
  // A query in the middle part of its cell finds its points in that cell alone.
  if (ax.below + ax.above + ay.below + ay.above == 0) {
    return bm::ChainFirst<CBMPoint>(*this, chains, CellKey(ax.cell, ay.cell),
                                    [x, y](const CBMPoint& p) { return IsNear(p, x, y); });
  }
  int32_t best = -1;
  for (int64_t dx = -ax.below; dx <= ax.above; ++dx) {
    for (int64_t dy = -ay.below; dy <= ay.above; ++dy) {
      // Positions under a key come in list order: the first near one is the
      // earliest in this cell.
      for (int32_t pos = chains.Head(CellKey(ax.cell + dx, ay.cell + dy));
           pos >= 0 && (best < 0 || pos < best); pos = chains.Next(pos)) {
        const CBMPoint* p = ItemAs<CBMPoint>(pos + 1);
        if (p && IsNear(*p, x, y)) {
          best = pos;
          break;
        }
      }
    }
  }
  if (best >= 0) chains.Recent().Note(static_cast<size_t>(best));
  return best < 0 ? nullptr : ItemAs<CBMPoint>(best + 1);
}

int CBMPointList::Removal() {
  // Decision: nothing to remove; report 0.
  return 0;
}
