// Member loads: joint and point loads, line loads and area loads. Each names
// its load case by string and is owned by the object that carries it.
#pragma once

#include "../model/BMComponent.h"

namespace bm {

// The fields, operations and archive record that joint loads and point loads
// share: a force and moment vector in one load case. Has no run-time class of
// its own (objects report CBMJointLoad or CBMPointLoad) and is never made on
// its own.
class VectorLoad : public CBMComponent {
 public:
  ~VectorLoad() override = default;

  double get_FX() const { return FX; }
  void set_FX(double v) { FX = v; }
  double get_FY() const { return FY; }
  void set_FY(double v) { FY = v; }
  double get_FZ() const { return FZ; }
  void set_FZ(double v) { FZ = v; }
  double get_MX() const { return MX; }
  void set_MX(double v) { MX = v; }
  double get_MY() const { return MY; }
  void set_MY(double v) { MY = v; }
  double get_MZ() const { return MZ; }
  void set_MZ(double v) { MZ = v; }
  CString& get_Lc() { return Lc; }
  const CString& get_Lc() const { return Lc; }
  void set_Lc(const CString& lc) { Lc = lc; }
  CString& get_sType() { return sType; }
  const CString& get_sType() const { return sType; }
  void set_sType(const CString& type) { sType = type; }

  // The load's text after the joint and level names; defined with the text
  // writer.
  CString GetEtabs8String() const;

  // FX, FY, FZ, MX, MY, MZ (doubles), Lc, sType (strings); no component part.
  void Serialize(CArchive& ar) override;

 protected:
  // All six numbers 0, both strings empty.
  VectorLoad() = default;

 private:
  double FX = 0.0;
  double FY = 0.0;
  double FZ = 0.0;
  double MX = 0.0;
  double MY = 0.0;
  double MZ = 0.0;
  CString Lc;
  CString sType;
};

}  // namespace bm

// A force and moment vector at a joint in one load case.
class CBMJointLoad : public bm::VectorLoad {
  BM_DECLARE_SERIAL(CBMJointLoad)

 public:
  // All six numbers 0, both strings empty.
  CBMJointLoad() = default;
  ~CBMJointLoad() override = default;
};

// The twin of CBMJointLoad: same fields, operations, text and archive record.
class CBMPointLoad : public bm::VectorLoad {
  BM_DECLARE_SERIAL(CBMPointLoad)

 public:
  // Decision: all six numbers 0, both strings empty, like CBMJointLoad.
  CBMPointLoad() = default;
  ~CBMPointLoad() override = default;
};

// A load along a beam, column, brace or wall. sType "UNIFF" uses UniformV;
// "TRAPF" uses VStart, VEnd, RStart, REnd; "POINTF" uses VStart and RStart.
// Distances are fractions of the member length (0 first end, 1 second end).
class CBMLineLoad : public CBMComponent {
  BM_DECLARE_SERIAL(CBMLineLoad)

 public:
  // All numbers 0, all strings empty.
  CBMLineLoad() = default;
  ~CBMLineLoad() override = default;

  double get_VStart() const { return VStart; }
  void set_VStart(double v) { VStart = v; }
  double get_VEnd() const { return VEnd; }
  void set_VEnd(double v) { VEnd = v; }
  double get_RStart() const { return RStart; }
  void set_RStart(double v) { RStart = v; }
  double get_REnd() const { return REnd; }
  void set_REnd(double v) { REnd = v; }
  double get_UniformV() const { return UniformV; }
  void set_UniformV(double v) { UniformV = v; }
  const CString& get_Lc() const { return Lc; }
  void set_Lc(CString lc) { Lc = std::move(lc); }
  CString& get_sType() { return sType; }
  const CString& get_sType() const { return sType; }
  void set_sType(CString type) { sType = std::move(type); }
  CString get_sDir() const { return sDir; }
  void set_sDir(CString dir) { sDir = std::move(dir); }

  // The load's text after the element and level names (by type word);
  // defined with the text writer.
  CString GetEtabs8String() const;

  // Lc, REnd, RStart, sDir, sType, UniformV, VEnd, VStart; no component part.
  void Serialize(CArchive& ar) override;

 private:
  CString sDir;
  CString sType;
  double VStart = 0.0;
  double VEnd = 0.0;
  double RStart = 0.0;
  double REnd = 0.0;
  CString Lc;
  double UniformV = 0.0;
};

// A uniform pressure on a slab or wall ("UNIFF").
class CBMAreaLoad : public CBMComponent {
  BM_DECLARE_SERIAL(CBMAreaLoad)

 public:
  // Strings empty, Value 0.
  CBMAreaLoad() = default;
  ~CBMAreaLoad() override = default;

  double get_Value() const { return Value; }
  void set_Value(double v) { Value = v; }
  const CString& get_Lc() const { return Lc; }
  void set_Lc(CString lc) { Lc = std::move(lc); }
  const CString& get_sType() const { return sType; }
  void set_sType(CString type) { sType = std::move(type); }
  const CString& get_sDir() const { return sDir; }
  void set_sDir(CString dir) { sDir = std::move(dir); }

  // The load's text after the slab and level names (empty unless "UNIFF");
  // defined with the text writer.
  CString GetEtabs8String() const;

  // Component part, Lc, sDir, sType (strings), Value (double).
  void Serialize(CArchive& ar) override;

 private:
  CString sType;
  CString sDir;
  double Value = 0.0;  // Decision: 0 until the load is made.
  CString Lc;
};
