// The analysis options: active degrees of freedom, dynamic modes, eigen
// solution parameters, output stations and rigid-zone reduction.
#pragma once

#include "../model/BMComponent.h"

// The model-wide analysis settings, one object held by value in the
// container. It has no run-time class of its own (it reports CBMComponent)
// and its archive record is the component part only; the container does not
// archive it.
class CBMAnalysisOption : public CBMComponent {
 public:
  CBMAnalysisOption();
  ~CBMAnalysisOption() override;

  double get_pDelta() const { return pDelta; }
  void set_pDelta(double v) { pDelta = v; }
  double get_dJointStiffnessReduction() const { return dJointStiffnessReduction; }
  void set_dJointStiffnessReduction(double v) { dJointStiffnessReduction = v; }
  int get_iStationNumber() const { return iStationNumber; }
  void set_iStationNumber(int v) { iStationNumber = v; }
  bool get_bUx() const { return bUx; }
  void set_bUx(bool v) { bUx = v; }
  bool get_bUy() const { return bUy; }
  void set_bUy(bool v) { bUy = v; }
  bool get_bUz() const { return bUz; }
  void set_bUz(bool v) { bUz = v; }
  bool get_bRx() const { return bRx; }
  void set_bRx(bool v) { bRx = v; }
  bool get_bRy() const { return bRy; }
  void set_bRy(bool v) { bRy = v; }
  bool get_bRz() const { return bRz; }
  void set_bRz(bool v) { bRz = v; }
  int get_iDMode() const { return iDMode; }
  void set_iDMode(int v) { iDMode = v; }
  CString& get_sDAnaType() { return sDAnaType; }
  const CString& get_sDAnaType() const { return sDAnaType; }
  void set_sDAnaType(const CString& type) { sDAnaType = type; }
  double get_dEigenFS() const { return dEigenFS; }
  void set_dEigenFS(double v) { dEigenFS = v; }
  double get_dEigenCF() const { return dEigenCF; }
  void set_dEigenCF(double v) { dEigenCF = v; }
  double get_dEigenTOL() const { return dEigenTOL; }
  void set_dEigenTOL(double v) { dEigenTOL = v; }

  // The ACTIVEDOF, DYNAMICS and MASSOPTIONS lines; defined with the text
  // writer.
  CString GetETABSString() const;

 private:
  double pDelta = 0.0;
  double dJointStiffnessReduction = 0.0;
  int iStationNumber = 5;
  bool bUx = true;
  bool bUy = true;
  bool bUz = true;
  bool bRx = true;
  bool bRy = true;
  bool bRz = true;
  int iDMode = 10;
  CString sDAnaType;
  double dEigenFS = 0.0;
  double dEigenCF = 0.01;
  double dEigenTOL = 0.0001;
};
