// ModelFields: the named values of each kind of model object, as one table
// per kind. The JSON form and the Python module both read the model through
// these tables, so a value has one name and one meaning everywhere.
#pragma once

#include <buildingmodel/buildingmodel.h>

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

namespace bm::fields {

// One value of a model object: null (not set, or no object where a name is
// expected), a flag, a whole number, a real number, a name (bytes as the
// model holds them), a list of names, or a list of numbers.
using Value = std::variant<std::nullptr_t, bool, long long, double, std::string, std::vector<std::string>,
                           std::vector<double>>;

// A named value of objects of type T: its name (the JSON key and the Python
// attribute), a one-line description (the Python docstring), and how it is
// read off an object.
template <typename T>
struct Field {
  const char* name;
  const char* doc;
  Value (*get)(T& object);
};

// The table of each kind, in the order the values are written. Each kind
// below has its table defined in ModelFields.cpp.
template <typename T>
const std::vector<Field<T>>& FieldsOf();

template <>
const std::vector<Field<CBMUnitSystem>>& FieldsOf<CBMUnitSystem>();
template <>
const std::vector<Field<CBMLevel>>& FieldsOf<CBMLevel>();
template <>
const std::vector<Field<CBMPoint>>& FieldsOf<CBMPoint>();
template <>
const std::vector<Field<CBMJoint>>& FieldsOf<CBMJoint>();
template <>
const std::vector<Field<CBMLineElement>>& FieldsOf<CBMLineElement>();
template <>
const std::vector<Field<CBMShellElement>>& FieldsOf<CBMShellElement>();
template <>
const std::vector<Field<CBMMaterial>>& FieldsOf<CBMMaterial>();
template <>
const std::vector<Field<CBMFrameSection>>& FieldsOf<CBMFrameSection>();
template <>
const std::vector<Field<CBMWallSlabDeckSection>>& FieldsOf<CBMWallSlabDeckSection>();
template <>
const std::vector<Field<CBMLoadCase>>& FieldsOf<CBMLoadCase>();
template <>
const std::vector<Field<CBMLoadCom>>& FieldsOf<CBMLoadCom>();
template <>
const std::vector<Field<CBMLoadComItem>>& FieldsOf<CBMLoadComItem>();
template <>
const std::vector<Field<CBMDiaphragm>>& FieldsOf<CBMDiaphragm>();
template <>
const std::vector<Field<CBMPierSpandrel>>& FieldsOf<CBMPierSpandrel>();
template <>
const std::vector<Field<CBMJointLoad>>& FieldsOf<CBMJointLoad>();
template <>
const std::vector<Field<CBMLineLoad>>& FieldsOf<CBMLineLoad>();
template <>
const std::vector<Field<CBMAreaLoad>>& FieldsOf<CBMAreaLoad>();

}  // namespace bm::fields

namespace bm::fields {

// The objects nested under another, in model order: the loads of a joint,
// of a beam, column or brace, and of a wall or slab, and the terms of a
// combination. Null entries of the model's lists are left out.
std::vector<CBMJointLoad*> LoadsOf(CBMJoint& joint);
std::vector<CBMLineLoad*> LoadsOf(CBMLineElement& member);
std::vector<CBMAreaLoad*> LoadsOf(CBMShellElement& area);
std::vector<CBMLoadComItem*> TermsOf(CBMLoadCom& combination);

}  // namespace bm::fields
