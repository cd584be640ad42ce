// Analysis results attached by the host.
#include "loads/BMResult.h"

#include <utility>

#include "platform/Transfer.h"

namespace {

void Copy(double* to, const double* from, int n) {
  if (from == nullptr) return;
  for (int i = 0; i < n; ++i) to[i] = from[i];
}

}  // namespace

void CBMJointDisplacement::SetDisplacement(CString loadCase, const double* values) {
  m_LoadCase = std::move(loadCase);
  Copy(m_Displacement, values, 6);
}

void CBMJointDisplacement::SetDisplacement(CString loadCase, double& ux, double& uy, double& uz, double& rx,
                                           double& ry, double& rz) {
  const double values[6] = {ux, uy, uz, rx, ry, rz};
  SetDisplacement(std::move(loadCase), values);
}

void CBMLineEleIntForces::SetForces(CString loadCase, double location, double f1, double f2, double f3,
                                    double f4, double f5, double f6) {
  m_LoadCase = std::move(loadCase);
  m_Location = location;
  const double values[6] = {f1, f2, f3, f4, f5, f6};
  Copy(m_Forces, values, 6);
}

void CBMLineEleIntForces::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  bm::Transfer(ar, m_Location, m_LoadCase, m_Forces);
}

BM_IMPLEMENT_SERIAL(CBMLevelDrift, CBMComponent, 1)

void CBMLevelDrift::Build(CString loadCase, CString diaphragm, CString point, const double* coord,
                          const double* disp, const double* rotation) {
  sLoadCase = std::move(loadCase);
  m_Diaphragm = std::move(diaphragm);
  sPoint = std::move(point);
  Copy(Coord, coord, 3);
  Copy(Disp, disp, 3);
  Copy(Rotation, rotation, 3);
}

void CBMLevelDrift::set_Coord(const double* v) { Copy(Coord, v, 3); }
void CBMLevelDrift::set_Disp(const double* v) { Copy(Disp, v, 3); }
void CBMLevelDrift::SetRotation(const double* v) { Copy(Rotation, v, 3); }

BM_IMPLEMENT_SERIAL(CBMLevelShear, CBMComponent, 1)

BM_IMPLEMENT_SERIAL(CBMDisplacement, CBMComponent, 1)

BM_IMPLEMENT_SERIAL(CBMForce, CBMComponent, 1)

void CBMForce::Serialize(CArchive& /*ar*/) {
  // Legacy: a force record is empty, not even the component part.
}
