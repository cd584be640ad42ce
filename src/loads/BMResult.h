// Analysis results attached by the host: joint displacements, member
// internal forces, storey drifts and shears. Plain value holders, each
// tagged with the name of the load case that produced it. Array indices are
// 0-based (0 = X, 1 = Y, 2 = Z) and are not checked.
#pragma once

#include "../model/BMComponent.h"

// The displacement of a joint in one load case. Reports the run-time class
// of CBMComponent; its record is the component part only.
class CBMJointDisplacement : public CBMComponent {
 public:
  CBMJointDisplacement() = default;
  ~CBMJointDisplacement() override = default;

  // A new object, for lists that must load members of this class.
  static CBMComponent* CreateInstance() { return new CBMJointDisplacement; }

  // Stores the case name and copies six values (UX, UY, UZ, RX, RY, RZ)
  // from `values`; a null array leaves the values unchanged.
  void SetDisplacement(CString loadCase, const double* values);
  void SetDisplacement(CString loadCase, double& ux, double& uy, double& uz, double& rx, double& ry,
                       double& rz);
  // The object's own six values; writing through the pointer changes them.
  double* ReturnDisplacement() { return m_Displacement; }
  const double* ReturnDisplacement() const { return m_Displacement; }
  CString ReturnLoadCase() const { return m_LoadCase; }

 private:
  CString m_LoadCase;
  double m_Displacement[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
};

// The internal forces of a line element at one station in one load case.
// Reports the run-time class of CBMComponent.
class CBMLineEleIntForces : public CBMComponent {
 public:
  CBMLineEleIntForces() = default;
  ~CBMLineEleIntForces() override = default;

  // A new object, for lists that must load members of this class.
  static CBMComponent* CreateInstance() { return new CBMLineEleIntForces; }

  // Case name, station, then the six forces in the caller's order.
  void SetForces(CString loadCase, double location, double f1, double f2, double f3, double f4, double f5,
                 double f6);
  // The object's own six forces; writing through the pointer changes them.
  double* ReturnForce() { return m_Forces; }
  const double* ReturnForce() const { return m_Forces; }
  double ReturnLocation() const { return m_Location; }
  CString ReturnLoadCase() const { return m_LoadCase; }

  // Component part, location (double), case name (string), six forces.
  void Serialize(CArchive& ar) override;

 private:
  CString m_LoadCase;
  double m_Location = 0.0;
  double m_Forces[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
};

// The internal forces of a wall: the same record as a line element's.
class CBMShellEleIntForces : public CBMLineEleIntForces {
 public:
  CBMShellEleIntForces() = default;
  ~CBMShellEleIntForces() override = default;

  // A new object, for lists that must load members of this class.
  static CBMComponent* CreateInstance() { return new CBMShellEleIntForces; }
};

// The drift of a storey at one point in one load case. Only the component
// part is archived.
class CBMLevelDrift : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLevelDrift)

 public:
  // Strings empty, numbers 0.
  CBMLevelDrift() = default;
  ~CBMLevelDrift() override = default;

  // Load case, diaphragm, point, then three coordinates, displacements and
  // rotations copied from the arrays (a null array is skipped). sDir and the
  // drift value are left as they are.
  void Build(CString loadCase, CString diaphragm, CString point, const double* coord, const double* disp,
             const double* rotation);
  // Copy three values (a null array is ignored).
  void set_Coord(const double* v);
  void set_Disp(const double* v);
  void SetRotation(const double* v);
  double* ReturnCoord() { return Coord; }
  double* ReturnDisp() { return Disp; }
  double* ReturnRotation() { return Rotation; }
  double get_dCor(int i) const { return Coord[i]; }
  // Value first, index second.
  void set_dCor(double v, int i) { Coord[i] = v; }
  void SetDriftValue(const double& v) { m_DriftValue = v; }
  double GetDriftValue() const { return m_DriftValue; }

  CString get_sLoadCase() const { return sLoadCase; }
  CString ReturnLoadCase() const { return sLoadCase; }
  CString get_sPoint() const { return sPoint; }
  CString get_sDir() const { return sDir; }
  CString ReturnDiaphragm() const { return m_Diaphragm; }
  void set_sLoadCase(CString s) { sLoadCase = std::move(s); }
  void set_sPoint(CString s) { sPoint = std::move(s); }
  void set_sDir(CString s) { sDir = std::move(s); }
  void set_diaphragm(CString s) { m_Diaphragm = std::move(s); }

 private:
  CString sLoadCase;
  CString sPoint;
  CString sDir;
  double Coord[3] = {0.0, 0.0, 0.0};
  double Disp[3] = {0.0, 0.0, 0.0};
  double Rotation[3] = {0.0, 0.0, 0.0};
  CString m_Diaphragm;
  double m_DriftValue = 0.0;
};

// The storey forces at one location in one load case. Only the component
// part is archived.
class CBMLevelShear : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLevelShear)

 public:
  CBMLevelShear() = default;
  ~CBMLevelShear() override = default;

  double get_F(int i) const { return F[i]; }
  double get_M(int i) const { return M[i]; }
  void set_F(int i, double v) { F[i] = v; }
  void set_M(int i, double v) { M[i] = v; }
  CString get_sLoadCase() const { return sLoadCase; }
  CString get_sLoc() const { return sLoc; }
  void set_sLoadCase(CString s) { sLoadCase = std::move(s); }
  void set_sLoc(CString s) { sLoc = std::move(s); }

 private:
  CString sLoadCase;
  CString sLoc;
  double F[3] = {0.0, 0.0, 0.0};
  double M[3] = {0.0, 0.0, 0.0};
};

// A displacement in one load case, for the host. Only the component part is
// archived.
class CBMDisplacement : public CBMComponent {
  BM_DECLARE_SERIAL(CBMDisplacement)

 public:
  CBMDisplacement() = default;
  ~CBMDisplacement() override = default;

  double get_U(int i) const { return U[i]; }
  double get_R(int i) const { return R[i]; }
  void set_U(int i, double v) { U[i] = v; }
  void set_R(int i, double v) { R[i] = v; }
  const CString& get_sLoadCase() const { return sLoadCase; }
  void set_sLoadCase(const CString& s) { sLoadCase = s; }

 private:
  CString sLoadCase;
  double U[3] = {0.0, 0.0, 0.0};
  double R[3] = {0.0, 0.0, 0.0};
};

// A member force at one station in one load case, for the host. Its record
// is empty: not even the component part is archived.
class CBMForce : public CBMComponent {
  BM_DECLARE_SERIAL(CBMForce)

 public:
  CBMForce() = default;
  ~CBMForce() override = default;

  double get_F(int i) const { return F[i]; }
  double get_M(int i) const { return M[i]; }
  void set_F(int i, double v) { F[i] = v; }
  void set_M(int i, double v) { M[i] = v; }
  double get_dLoc() const { return dLoc; }
  void set_dLoc(double v) { dLoc = v; }
  CString get_sLoadCase() const { return sLoadCase; }
  void set_sLoadCase(CString s) { sLoadCase = std::move(s); }

  // Writes and reads nothing.
  void Serialize(CArchive& ar) override;

 private:
  CString sLoadCase;
  double dLoc = 0.0;
  double F[3] = {0.0, 0.0, 0.0};
  double M[3] = {0.0, 0.0, 0.0};
};
