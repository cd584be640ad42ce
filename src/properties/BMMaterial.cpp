// Materials and the material list.
#include "properties/BMMaterial.h"

#include "platform/Transfer.h"

BM_IMPLEMENT_SERIAL(CBMMaterial, CBMComponent, 1)

CBMMaterial::CBMMaterial() = default;

CBMMaterial::CBMMaterial(CString name, double M, double W, CString Type, double E, double U, double A)
    : W(W), M(M), E(E), U(U), A(A), Type(std::move(Type)) {
  set_Name(name);
}

CBMMaterial::~CBMMaterial() = default;

void CBMMaterial::Serialize(CArchive& ar) {
  CBMComponent::Serialize(ar);
  // Legacy: the record lists the fields in alphabetical order of their names.
  bm::Transfer(ar, A, DesignType, E, FC, FU, FY, FYS, M, Price, Type, U, W);
}

CBMMaterial* CBMMaterialList::AddMaterial(CString& name, double M, double W, CString Type, double E, double U,
                                          double A) {
  return Adopt(std::make_unique<CBMMaterial>(name, M, W, std::move(Type), E, U, A));
}

CBMMaterial* CBMMaterialList::GetMaterial(const CString& name) const { return ItemAs<CBMMaterial>(name); }
