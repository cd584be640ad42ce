// The model as one JSON document, every object written from its field table
// (ModelFields.h). Layout: compact, no indentation; each entry of a
// top-level list and of a storey's member lists starts a new line, while the
// loads of a member and the terms of a combination stay on their owner's
// line.
#include "json/JsonWriter.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <variant>
#include <vector>

#include "json/ModelFields.h"

namespace bm {

namespace {

using fields::Value;

size_t CountOf(const CBMComponentList* list) { return list ? static_cast<size_t>(list->GetCount()) : 0; }

class ModelJson {
 public:
  explicit ModelJson(CBuildingModule& module) : module_(module) {}

  std::string Write() {
    out_.reserve(EstimateSize());
    CBMMgrGeometry* g = module_.get_pMgrGeometry();
    out_ += "{\"units\":";
    if (CBMUnitSystem* units = module_.get_pUnitSystem()) {
      Object(*units, [] {});
    } else {
      out_ += "null";
    }
    List<CBMLevel>("storeys", g->get_pLevelList(), true, [this](CBMLevel& level) { Storey(level); });
    Plain<CBMPoint>("points", g->get_pPointList());
    Plain<CBMMaterial>("materials", g->get_pMaterialList());
    Plain<CBMFrameSection>("frame_sections", g->get_pFrameSectionList());
    Plain<CBMWallSlabDeckSection>("shell_sections", g->get_pWallSlabDeckSectionList());
    Plain<CBMLoadCase>("load_cases", g->GetLoadCaseList());
    List<CBMLoadCom>("combinations", g->Get_pLoadCombination(), true,
                     [this](CBMLoadCom& c) { Object(c, [&] { Nested("terms", fields::TermsOf(c)); }); });
    Plain<CBMDiaphragm>("diaphragms", g->get_pDiaphragmList());
    Plain<CBMPierSpandrel>("piers", g->get_pPierSpandrelList());
    out_ += "}\n";
    return std::move(out_);
  }

 private:
  // About 200 bytes per object, the loads included.
  size_t EstimateSize() const {
    CBMMgrGeometry* g = module_.get_pMgrGeometry();
    size_t items = CountOf(g->get_pPointList()) + CountOf(g->get_pFrameSectionList()) +
                   CountOf(g->get_pMaterialList()) + CountOf(g->get_pWallSlabDeckSectionList());
    for (CBMLevel& l : g->get_pLevelList()->Members<CBMLevel>()) {
      items += CountOf(l.get_theCBMJointList()) + CountOf(l.get_theCBMBeamList()) +
               CountOf(l.get_theCBMColumnList()) + CountOf(l.get_theCBMBraceList()) +
               CountOf(l.get_theCBMWallList()) + CountOf(l.get_theCBMSlabList());
    }
    return 4096 + items * 200;
  }

  void Storey(CBMLevel& level) {
    Object(level, [&] {
      List<CBMJoint>("joints", level.get_theCBMJointList(), true, [this](CBMJoint& j) { Loaded(j); });
      const auto member = [this](CBMLineElement& e) { Loaded(e); };
      List<CBMLineElement>("beams", level.get_theCBMBeamList(), true, member);
      List<CBMLineElement>("columns", level.get_theCBMColumnList(), true, member);
      List<CBMLineElement>("braces", level.get_theCBMBraceList(), true, member);
      const auto shell = [this](CBMShellElement& e) { Loaded(e); };
      List<CBMShellElement>("walls", level.get_theCBMWallList(), true, shell);
      List<CBMShellElement>("slabs", level.get_theCBMSlabList(), true, shell);
    });
  }

  // An object of a kind that carries loads: its fields and its loads.
  template <typename T>
  void Loaded(T& object) {
    Object(object, [&] { Nested("loads", fields::LoadsOf(object)); });
  }

  // `,"key":[...]` of model list `list`, each T written by `each`; with
  // `lines`, each entry on a new line.
  template <typename T, typename Each>
  void List(const char* key, const CBMComponentList* list, bool lines, Each each) {
    Key(key);
    out_ += '[';
    bool first = true;
    for (T& item : list->Members<T>()) {
      if (!first) out_ += ',';
      if (lines) out_ += '\n';
      first = false;
      each(item);
    }
    out_ += ']';
  }

  // A top-level list of objects without nested lists.
  template <typename T>
  void Plain(const char* key, const CBMComponentList* list) {
    List<T>(key, list, true, [this](T& item) { Object(item, [] {}); });
  }

  // `,"key":[...]` of objects nested in their owner, on the owner's line.
  template <typename T>
  void Nested(const char* key, const std::vector<T*>& items) {
    Key(key);
    out_ += '[';
    for (size_t i = 0; i < items.size(); ++i) {
      if (i) out_ += ',';
      Object(*items[i], [] {});
    }
    out_ += ']';
  }

  // `{` the fields of `object` from its table, then what `nested` adds `}`.
  template <typename T, typename F>
  void Object(T& object, F nested) {
    out_ += '{';
    bool first = true;
    for (const fields::Field<T>& field : fields::FieldsOf<T>()) {
      if (!first) out_ += ',';
      first = false;
      json::AppendString(out_, field.name);
      out_ += ':';
      AppendValue(field.get(object));
    }
    nested();
    out_ += '}';
  }

  void Key(const char* key) {
    out_ += ',';
    json::AppendString(out_, key);
    out_ += ':';
  }

  void AppendValue(const Value& value) {
    std::visit([this](const auto& v) { Append(v); }, value);
  }
  void Append(std::nullptr_t) { out_ += "null"; }
  void Append(bool v) { out_ += v ? "true" : "false"; }
  void Append(long long v) {
    char buffer[24];
    out_.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
  }
  void Append(double v) { json::AppendNumber(out_, v); }
  void Append(const std::string& v) { json::AppendString(out_, v); }
  template <typename E>
  void Append(const std::vector<E>& list) {
    out_ += '[';
    for (size_t i = 0; i < list.size(); ++i) {
      if (i) out_ += ',';
      Append(list[i]);
    }
    out_ += ']';
  }

  CBuildingModule& module_;
  std::string out_;
};

}  // namespace

std::string ModelToJson(CBuildingModule& module) { return ModelJson(module).Write(); }

std::string WriteModelJson(CBuildingModule& module, const std::string& path) {
  if (path.empty()) return "empty file name";
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return "it is a folder";
  const std::string text = ModelToJson(module);
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return errno ? std::strerror(errno) : "it cannot be created";
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  const int writeErrno = errno;
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) {
    std::filesystem::remove(path, ec);
    return std::string("a write error interrupted it (") +
           (writeErrno ? std::strerror(writeErrno) : "disk full?") + ")";
  }
  return std::string();
}

}  // namespace bm
