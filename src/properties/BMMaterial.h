// Materials and the material list.
#pragma once

#include "../model/BMComponentList.h"

// A named set of mechanical constants and design strengths. Sections point to
// materials and never own them. No value is converted: all are held in the
// model's units. Words (DesignType, Type) are stored exactly as given.
class CBMMaterial : public CBMComponent {
  BM_DECLARE_SERIAL(CBMMaterial)

 public:
  // Empty strings, every number 0.
  CBMMaterial();
  // Sets the name (upper-cased, as every component name), M, W, Type, E, U
  // and A in that order (mass before weight); FY, FU, FC, FYS and Price are
  // 0 and DesignType is empty.
  CBMMaterial(CString name, double M, double W, CString Type, double E, double U, double A);
  ~CBMMaterial() override;

  const CString& get_DesignType() const { return DesignType; }
  void set_DesignType(CString designType) { DesignType = std::move(designType); }
  const CString& get_Type() const { return Type; }
  void set_Type(const CString& type) { Type = type; }

  double get_W() const { return W; }
  void set_W(double v) { W = v; }
  double get_M() const { return M; }
  void set_M(double v) { M = v; }
  double get_E() const { return E; }
  void set_E(double v) { E = v; }
  double get_U() const { return U; }
  void set_U(double v) { U = v; }
  double get_A() const { return A; }
  void set_A(double v) { A = v; }
  double get_FY() const { return FY; }
  void set_FY(double v) { FY = v; }
  double get_FU() const { return FU; }
  void set_FU(double v) { FU = v; }
  double get_FC() const { return FC; }
  void set_FC(double v) { FC = v; }
  double get_FYS() const { return FYS; }
  void set_FYS(double v) { FYS = v; }
  double get_Price() const { return Price; }
  void set_Price(double v) { Price = v; }

  // The material's MATERIAL lines of the text model file (defined with the
  // writer).
  CString GetETABSString();

  // Component part, then A, DesignType, E, FC, FU, FY, FYS, M, Price, Type,
  // U, W (alphabetical order of the field names; doubles 8 bytes, strings in
  // the archive string form).
  void Serialize(CArchive& ar) override;

 protected:
  CString DesignType;
  double W = 0;
  double M = 0;
  double E = 0;
  double U = 0;
  double A = 0;
  double FY = 0;
  double FU = 0;
  CString Type;
  double FC = 0;
  double FYS = 0;
  double Price = 0;
};

// The model's materials; owns them and deletes them when destroyed. Has no
// run-time class of its own (reports CBMComponentList).
class CBMMaterialList : public CBMComponentList {
 public:
  CBMMaterialList() = default;
  // Deletes every member.
  ~CBMMaterialList() override { DeleteAll(); }

  // Appends a new material made by the seven-argument constructor and returns
  // it. No duplicate check: the same name twice gives two materials.
  CBMMaterial* AddMaterial(CString& name, double M, double W, CString Type, double E, double U, double A);
  // The first material named exactly `name` (case-sensitive), or null.
  CBMMaterial* GetMaterial(const CString& name) const;
};
