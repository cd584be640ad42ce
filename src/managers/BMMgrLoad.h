// CBMMgrLoad: adds load cases and member loads and converts wall loads.
#pragma once

#include "../model/BMMgrSys.h"

class CBMLoadCase;

namespace bm {

// What the last ProcessLoading run could not deliver. Only wall loads of a
// converted type ("POINTF", "UNIFF", "TRAPF") are counted; a model whose
// walls all have both joints on their storey gives all zeros.
struct LoadingReport {
  // Wall loads dropped whole: the wall has no joint at either end on its
  // storey (or lacks an end point), so no force was added anywhere.
  int wallLoadsWithoutJoints = 0;
  // Wall loads whose wall has a joint at one end only: that end got its
  // reaction, the other end's reaction was dropped.
  int wallLoadsWithOneJoint = 0;
};

}  // namespace bm

// Puts loads on a model. Owns nothing: cases belong to the load case list,
// member loads to the joints, elements and slabs that carry them.
//
// Beams, walls and slabs are addressed by the host's map handle within the
// named level; the handle is upper-cased before the exact look-up. Joints are
// addressed by plan position (merge distance 0.0001). A level, point, joint
// or handle that is not found makes the operation do nothing, as does a
// manager not attached to a container.
class CBMMgrLoad : public CBMMgrSys {
 public:
  CBMMgrLoad() = default;
  ~CBMMgrLoad() override = default;

  // Appends a case (no duplicate check); the name is stored upper-cased, the
  // type unchanged.
  CBMLoadCase* AddLoadCase(CString name, CString type, double selfWeight);

  // Appends a "FORCE" joint load of case `loadCase` to the joint of `level`
  // at plan (x, y). Loads of one case are not merged.
  void AssignJointLoad(CString level, double x, double y, CString loadCase, double FX, double FY, double FZ,
                       double MX, double MY, double MZ);

  // Appends a line load to the beam / wall with map handle `handle` on
  // `level`. Distances are fractions of the member length; for "UNIFF" the
  // start force is also the uniform value.
  void AssignBeamLoad(CString level, CString handle, CString loadType, CString direction, CString loadCase,
                      double startDistance, double startForce, double endDistance, double endForce);
  void AssignWallLoad(CString level, CString handle, CString loadType, CString direction, CString loadCase,
                      double startDistance, double startForce, double endDistance, double endForce);

  // Appends an area load to the slab with map handle `handle` on `level`.
  void AssignSlabLoad(CString level, CString handle, CString loadType, CString direction, CString loadCase,
                      double value);

  // Converts every wall line load ("POINTF", "UNIFF", "TRAPF") into the end
  // reactions of a simply supported span and adds them, in FY, to the wall's
  // two joints (accumulating per load case). Leaves the line loads in place;
  // each run adds the forces again. A wall end without a joint on the wall's
  // storey receives nothing; such loads are counted in GetLoadingReport().
  void ProcessLoading();
  // What the last ProcessLoading call dropped because a wall had no joint on
  // its storey (all zeros before the first call).
  const bm::LoadingReport& GetLoadingReport() const { return loadingReport; }

  // Appends a "WIND" case named `loadCase` (self weight 0), marks it virtual
  // with `virtualName`, and gives it one wind item (Fx, Fy at (x, y)) on the
  // diaphragm of `level` nearest to (x, y). `level` is used as given. Without
  // a diaphragm on that level the case is still added, with no wind item.
  void AddVirtualLoadForOptimization(CString loadCase, CString virtualName, CString level, double x, double y,
                                     double Fx, double Fy);

  // Removes and destroys every virtual load case. Member loads that name a
  // removed case are left in place.
  void DeleteAllVirtualLoad();

 private:
  void AssignLineLoad(bool toWall, CString& level, CString& handle, CString& loadType, CString& direction,
                      CString& loadCase, double startDistance, double startForce, double endDistance,
                      double endForce);

  bm::LoadingReport loadingReport;
};

namespace bm {

// End reactions (first end, second end) of a simply supported span.
struct EndReactions {
  double f1 = 0.0;
  double f2 = 0.0;
};

// Reactions of a load of constant intensity w over [a, b] on span L.
EndReactions UniformReactions(double w, double a, double b, double L);
// Reactions of a load rising linearly from 0 at a to w at b on span L.
EndReactions RisingTriangleReactions(double w, double a, double b, double L);
// Reactions of a load falling linearly from w at a to 0 at b on span L.
EndReactions FallingTriangleReactions(double w, double a, double b, double L);
// Reactions of a load varying linearly from w1 at a to w2 at b on span L.
// The stretch may be given end first (a > b): it is the same load.
// Zero when the span or the loaded stretch has no length.
EndReactions TrapezoidReactions(double w1, double w2, double a, double b, double L);

}  // namespace bm
