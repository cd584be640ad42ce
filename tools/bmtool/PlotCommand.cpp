// bmtool plot: an axonometric wireframe of the whole model, or the plan of
// one storey, as SVG.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>

#include "Commands.h"
#include "Progress.h"
#include "Svg.h"

namespace bm::tool {

namespace {

// Plots past this many members are refused unless --max-members raises it
// (about 14 MB of SVG, already slow to open in a browser).
constexpr int kPlotMaxMembers = 200000;

struct PlotCounts {
  int drawn[5] = {0, 0, 0, 0, 0};
  int skipped = 0;
  int Total() const { return drawn[0] + drawn[1] + drawn[2] + drawn[3] + drawn[4]; }
};

std::vector<CBMLevel*> Levels(CBuildingModule& module) {
  std::vector<CBMLevel*> levels;
  for (CBMLevel& l : module.get_pMgrGeometry()->get_pLevelList()->Members<CBMLevel>()) levels.push_back(&l);
  return levels;
}

bool Finite(const CBMPoint* p) { return p && std::isfinite(p->get_X()) && std::isfinite(p->get_Y()); }

// Axonometric view from the +X, -Y side, above (the plan's lower right): X runs
// down to the right, Y up to the right, Z up; the front face (smallest Y) is
// nearest.
Point2 Axo(double x, double y, double z) {
  constexpr double kCos30 = 0.8660254037844386;
  return Point2{(x + y) * kCos30, (x - y) * 0.5 - z};
}
Point2 Axo(const CBMPoint* p, double z) { return Axo(p->get_X(), p->get_Y(), z); }
Point2 Plan(const CBMPoint* p) { return Point2{p->get_X(), -p->get_Y()}; }

void Add(Drawing& d, PlotCounts& counts, Shape::Kind kind, std::vector<Point2> points, bool closed,
         std::string title = std::string()) {
  Shape s;
  s.kind = kind;
  s.points = std::move(points);
  s.closed = closed;
  s.title = std::move(title);
  d.shapes.push_back(std::move(s));
  ++counts.drawn[kind];
}

std::string FormatElevation(double z) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%+.2f", z);
  return buffer;
}

void DrawAxonometric(CBuildingModule& module, Drawing& d, PlotCounts& counts) {
  const std::vector<CBMLevel*> levels = Levels(module);
  const int n = static_cast<int>(levels.size());
  auto elevation = [&](int k) { return levels[std::clamp(k, 0, n - 1)]->get_EleHeight(); };
  // The floor a storey's walls and columns stand on; the base stands on its own height.
  auto floorOf = [&](int k) { return k > 0 ? elevation(k - 1) : elevation(k) - levels[k]->get_Height(); };

  // The rightmost corner of the plan carries the storey labels.
  double maxX = -std::numeric_limits<double>::infinity();
  double maxY = -std::numeric_limits<double>::infinity();
  for (CBMPoint& p : module.get_pMgrGeometry()->get_pPointList()->Members<CBMPoint>()) {
    if (!Finite(&p)) continue;
    maxX = std::max(maxX, p.get_X());
    maxY = std::max(maxY, p.get_Y());
  }
  if (!std::isfinite(maxX)) maxX = maxY = 0.0;

  // Faces first, so that the members are drawn over them.
  for (int k = 0; k < n; ++k) {
    CBMLevel* level = levels[k];
    const double z = elevation(k);
    for (CBMSlab& slab : level->get_theCBMSlabList()->Members<CBMSlab>()) {
      std::vector<Point2> pts;
      for (int v = 1; v <= slab.get_VertexCount(); ++v) {
        CBMPoint* p = slab.get_pPoint(v);
        if (Finite(p)) pts.push_back(Axo(p, z));
      }
      if (pts.size() < 3) {
        ++counts.skipped;
        continue;
      }
      Add(d, counts, Shape::kSlab, std::move(pts), true);
    }
    for (CBMWall& wall : level->get_theCBMWallList()->Members<CBMWall>()) {
      CBMPoint* p1 = wall.GetP1();
      CBMPoint* p2 = wall.GetP2();
      if (!Finite(p1) || !Finite(p2)) {
        ++counts.skipped;
        continue;
      }
      const double below = floorOf(k);
      Add(d, counts, Shape::kWall, {Axo(p1, z), Axo(p2, z), Axo(p2, below), Axo(p1, below)}, true);
    }
  }
  // A member from p at elevation zp to q at elevation zq.
  auto member = [&](Shape::Kind kind, CBMPoint* p, double zp, CBMPoint* q, double zq) {
    if (!Finite(p) || !Finite(q)) {
      ++counts.skipped;
      return;
    }
    Add(d, counts, kind, {Axo(p, zp), Axo(q, zq)}, false);
  };
  for (int k = 0; k < n; ++k) {
    CBMLevel* level = levels[k];
    const double z = elevation(k);
    for (CBMColumn& c : level->get_theCBMColumnList()->Members<CBMColumn>())
      member(Shape::kColumn, c.GetP1(), floorOf(k), c.GetP2() ? c.GetP2() : c.GetP1(), z);
    for (CBMBeam& b : level->get_theCBMBeamList()->Members<CBMBeam>())
      member(Shape::kBeam, b.GetP1(), z, b.GetP2(), z);
    for (CBMBrace& b : level->get_theCBMBraceList()->Members<CBMBrace>()) {
      const int span = std::max(0, b.GetPassStoryNum());
      member(Shape::kBrace, b.GetP1(), elevation(k - span), b.GetP2(), z);
    }
  }
  // From the top down, so that the upper storeys keep theirs when labels crowd.
  for (int k = n - 1; k >= 0; --k) {
    Label l;
    l.kind = Label::kStorey;
    l.anchor = Axo(maxX, maxY, elevation(k));
    l.at = l.anchor;
    l.text = levels[k]->name().str() + "  " + FormatElevation(elevation(k));
    d.labels.push_back(l);
  }
}

void DrawPlan(CBMLevel& level, bool jointNames, Drawing& d, PlotCounts& counts) {
  for (CBMSlab& slab : level.get_theCBMSlabList()->Members<CBMSlab>()) {
    std::vector<Point2> pts;
    for (int v = 1; v <= slab.get_VertexCount(); ++v) {
      CBMPoint* p = slab.get_pPoint(v);
      if (Finite(p)) pts.push_back(Plan(p));
    }
    if (pts.size() < 3) {
      ++counts.skipped;
      continue;
    }
    Add(d, counts, Shape::kSlab, std::move(pts), true, slab.name().str());
  }
  auto line = [&](Shape::Kind kind, CBMPoint* p, CBMPoint* q, const CString& name) {
    if (!Finite(p) || !Finite(q)) {
      ++counts.skipped;
      return;
    }
    Add(d, counts, kind, {Plan(p), Plan(q)}, false, name.str());
  };
  for (CBMWall& w : level.get_theCBMWallList()->Members<CBMWall>())
    line(Shape::kWall, w.GetP1(), w.GetP2(), w.name());
  for (CBMBeam& b : level.get_theCBMBeamList()->Members<CBMBeam>())
    line(Shape::kBeam, b.GetP1(), b.GetP2(), b.name());
  for (CBMBrace& b : level.get_theCBMBraceList()->Members<CBMBrace>())
    line(Shape::kBrace, b.GetP1(), b.GetP2(), b.name());
  for (CBMColumn& c : level.get_theCBMColumnList()->Members<CBMColumn>()) {
    CBMPoint* p = c.GetP1();
    if (!Finite(p)) {
      ++counts.skipped;
      continue;
    }
    Add(d, counts, Shape::kColumn, {Plan(p)}, true, c.name().str());
    d.shapes.back().marker = true;
  }
  for (CBMJoint& j : level.get_theCBMJointList()->Members<CBMJoint>()) {
    CBMPoint* p = j.get_pPoint();
    if (!Finite(p)) continue;
    d.dots.push_back(Dot{Plan(p)});
    if (jointNames) {
      Label l;
      l.at = Plan(p);
      l.text = j.name().str();
      d.labels.push_back(l);
    }
  }
}

CBMLevel* FindLevel(CBMLevelList* list, const std::string& name) {
  if (!list) return nullptr;
  CString key(name);
  if (auto* level = list->ItemAs<CBMLevel>(key)) return level;
  // Names are stored upper-case: accept the name in any letter case.
  key.MakeUpper();
  return list->ItemAs<CBMLevel>(key);
}

// The members a plot of `levels` would draw, counted from the list sizes
// before anything is drawn.
long long MemberCount(const std::vector<CBMLevel*>& levels) {
  long long n = 0;
  for (CBMLevel* l : levels) {
    n += l->get_theCBMColumnList()->GetCount() + l->get_theCBMBeamList()->GetCount() +
         l->get_theCBMBraceList()->GetCount() + l->get_theCBMWallList()->GetCount() +
         l->get_theCBMSlabList()->GetCount();
  }
  return n;
}

// About this many bytes of SVG a member takes, for the size a refused plot
// would have had.
constexpr long long kBytesPerMember = 70;

// "850 kB", "72 MB".
std::string ApproximateSize(long long bytes) {
  return bytes < 1000000 ? std::to_string(bytes / 1000 + 1) + " kB"
                         : std::to_string((bytes + 500000) / 1000000) + " MB";
}

std::string Grouped(long long n) {
  std::string digits = std::to_string(n);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<size_t>(at), ",");
  return digits;
}

}  // namespace

int RunPlot(const CommandLine& cl) {
  if (!cl.Has("output")) throw UsageError("plot needs the output file: -o OUT.svg", cl.command);
  if (cl.Has("labels") && !cl.Has("storey"))
    throw UsageError("--labels applies to a storey plan (--storey NAME)", cl.command);
  const int maxMembers = cl.GetInt("max-members", kPlotMaxMembers);
  if (maxMembers < 1) throw UsageError("--max-members needs a number of 1 or more", cl.command);
  const std::string& in = cl.args.at(0);
  const std::string out = cl.Get("output");
  const std::string shownName = std::filesystem::path(in).filename().string();

  CBuildingModule module;
  LoadResult loaded;
  // Decision: a text model is drawn processed, as a design host sees it: the
  // processing passes change nothing drawn but the storey elevations, which
  // they compute from the storey heights the file gives.
  if (!LoadOrReport(in, module, &loaded, TextReading::kProcessed)) return kExitFailure;

  Drawing drawing;
  if (CBMUnitSystem* units = module.get_pUnitSystem()) drawing.lengthUnit = units->get_csLengthUnit().str();
  CBMLevel* level = nullptr;
  if (cl.Has("storey")) {
    level = FindLevel(module.get_pMgrGeometry()->get_pLevelList(), cl.Get("storey"));
    if (!level) {
      std::string names;
      for (CBMLevel* l : Levels(module)) names += (names.empty() ? "" : ", ") + l->name().str();
      std::fprintf(stderr, "bmtool: %s has no storey named '%s' (storeys: %s)\n", in.c_str(),
                   cl.Get("storey").c_str(), names.empty() ? "none" : names.c_str());
      return kExitFailure;
    }
  }
  // Decision: past the limit nothing is written. A plot with members left
  // out would look complete and mislead; the storey plans are the way to see
  // a large model.
  const long long members = MemberCount(level ? std::vector<CBMLevel*>{level} : Levels(module));
  if (members > maxMembers) {
    const std::string what =
        level ? "the plan of " + level->name().str() : std::string("the axonometric view");
    std::fprintf(stderr,
                 "bmtool: %s of %s would draw %s members (an SVG of about %s), past the limit of %s; "
                 "nothing written\n",
                 what.c_str(), in.c_str(), Grouped(members).c_str(),
                 ApproximateSize(members * kBytesPerMember).c_str(), Grouped(maxMembers).c_str());
    if (!level) {
      std::fprintf(
          stderr,
          "  draw one storey: bmtool plot %s --storey NAME -o OUT.svg (bmtool info %s lists the storeys)\n",
          in.c_str(), in.c_str());
    }
    std::fprintf(stderr, "  %s the limit: --max-members N\n", level ? "raise" : "or raise");
    return kExitFailure;
  }

  PlotCounts counts;
  if (level) {
    drawing.title =
        shownName + ": plan of " + level->name().str() + " at " + FormatElevation(level->get_EleHeight());
    drawing.plan = true;
    DrawPlan(*level, cl.Has("labels"), drawing, counts);
  } else {
    drawing.title = shownName + ": axonometric view";
    DrawAxonometric(module, drawing, counts);
  }
  if (counts.skipped > 0) {
    drawing.notes.push_back(std::to_string(counts.skipped) + " members without complete geometry not drawn");
  }
  std::string problem;
  SvgSummary summary;
  {
    ProgressScope progress("writing " + out);
    problem = WriteSvg(drawing, out, &summary);
  }
  if (!problem.empty()) return FailWrite(out, problem);
  std::printf("wrote %s: %d paths (%d columns, %d beams, %d braces, %d walls, %d slabs)\n", out.c_str(),
              counts.Total(), counts.drawn[Shape::kColumn], counts.drawn[Shape::kBeam],
              counts.drawn[Shape::kBrace], counts.drawn[Shape::kWall], counts.drawn[Shape::kSlab]);
  const int jointsLeftOut = summary.labelsLeftOut[Label::kJoint];
  if (jointsLeftOut > 0) {
    std::printf("%d joint labels left out where they would overlap another\n", jointsLeftOut);
  }
  // A warning, not an error: -q leaves it out (the legend says it too).
  if (counts.skipped > 0 && ProgressEnabled()) {
    std::fprintf(stderr, "bmtool: %d members without complete geometry were not drawn\n", counts.skipped);
  }
  return kExitOk;
}

}  // namespace bm::tool
