// Handlers of the load lines of later-version files: load patterns, static
// load cases (version 9) or analysis cases (later), automatic lateral loads,
// point, line and area loads, and combinations, by key.
//
// The later vocabulary is mapped onto the words of version 8 files, which
// the model and the writer use:
// - load pattern (and version 9 load case) types: see kLoadCaseTypes; a word
//   outside the table is kept as written (upper-cased);
// - combination types: see kComboTypes; likewise.
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "e2k_format/E2kKeywords.h"
#include "etabs_reader/KeyedLine.h"
#include "etabs_reader/WordTables.h"
#include "etabs_reader/ZAdapterEtabs8.h"
#include "loads/BMLoadCase.h"
#include "loads/BMLoadCom.h"
#include "model/BuildingModule.h"
#include "model/geometry/BMArea.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLevel.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMPoint.h"
#include "model/geometry/BMShellElement.h"

namespace {

struct WordMap {
  const char* file;   // upper-cased word of the file
  const char* model;  // the model's word
};

// Load pattern types -> load case types. Types without a word of their own
// in the model take the closest one: roof and pattern live loads are live
// loads, seismic drift patterns are quakes, and notional, temperature,
// construction and prestress patterns are "OTHER". Version 9 words map to
// themselves.
constexpr WordMap kLoadCaseTypes[] = {
    {"DEAD", "DEAD"},
    {"SUPER DEAD", "SUPER DEAD"},
    {"LIVE", "LIVE"},
    {"REDUCIBLE LIVE", "REDUCE LIVE"},
    {"REDUCE LIVE", "REDUCE LIVE"},
    {"ROOF LIVE", "LIVE"},
    {"PATTERN LIVE", "LIVE"},
    {"SEISMIC", "QUAKE"},
    {"SEISMIC (DRIFT)", "QUAKE"},
    {"QUAKE", "QUAKE"},
    {"WIND", "WIND"},
    {"SNOW", "SNOW"},
    {"OTHER", "OTHER"},
    {"NOTIONAL", "OTHER"},
    {"TEMPERATURE", "OTHER"},
    {"CONSTRUCTION", "OTHER"},
    {"PRESTRESS", "OTHER"},
};

// Combination types -> the model's words (those of version 8 files, which
// version 9 files still write).
constexpr WordMap kComboTypes[] = {
    {"LINEAR ADD", "ADD"},   {"ADD", "ADD"}, {"ENVELOPE", "ENVE"}, {"ENVE", "ENVE"},
    {"ABSOLUTE ADD", "ABS"}, {"ABS", "ABS"}, {"SRSS", "SRSS"},
};

// Keys of a combination line that the model has no place for (design use,
// notes).
constexpr const char* kComboNotModelKeys[] = {"DESIGN", "COMBOTYPE", "NOTES", "AUTODESIGN"};

// Keys naming the load case of a point, line or area load, in order of
// preference.
constexpr std::string_view kLoadCaseKeys[] = {"LC", "LOADPAT"};

// Member load types: the keys of the start and end force and of the start
// and end distance (by position); null where the type has none. The model
// keeps a concentrated load as its start force and start distance.
struct LineLoadForm {
  const char* type;
  const char* vStart;
  const char* vEnd;
  const char* rStart;
  const char* rEnd;
};
constexpr LineLoadForm kLineLoadForms[] = {
    {bm::e2k::kUniform, bm::e2k::kFval, nullptr, nullptr, nullptr},
    {bm::e2k::kTrapezoidal, "FSTART", "FEND", "RDSTART", "RDEND"},
    {bm::e2k::kPointForce, bm::e2k::kFval, nullptr, "RDIST", nullptr},
};

// Joint load values in the model's order (FX FY FZ MX MY MZ): the key, and
// the version 8 key of the same value (moments as RX RY RZ).
constexpr const char* kJointLoadKeys[6][2] = {{"FX", nullptr}, {"FY", nullptr}, {"FZ", nullptr},
                                              {"MX", "RX"},    {"MY", "RY"},    {"MZ", "RZ"}};
// The point load type the model holds (forces and moments).
constexpr const char kForceLoad[] = "FORCE";

// The model's word for `word` by `table`; `word` itself when not listed.
template <size_t N>
CString MapWord(const WordMap (&table)[N], const CString& word) {
  const WordMap* w = bm::reader::FindEntry(table, word.view());
  return w ? CString(w->model) : word;
}

// The load case a load names; empty when none.
CString LoadCaseOf(bm::reader::KeyedLine& kl) {
  for (std::string_view key : kLoadCaseKeys) {
    if (const int t = kl.Find(key)) return kl.line().GetString(t, 0);
  }
  return CString();
}

}  // namespace

void ZAdapterEtabs8::ProcessLoadPatterns(ZComItemList* lines) {
  CBMLoadCaseList* cases = pMgrGeometry->GetLoadCaseList();
  if (!cases) return;
  ForEachKeyedLine(lines, [&](const ZComItem&, CString& name, bm::reader::KeyedLine& kl) {
    // As for version 8 files, a second case of the same name is kept too.
    cases->AddLoadCase(name, MapWord(kLoadCaseTypes, kl.Word(bm::e2k::kType)),
                       kl.Number(bm::e2k::kSelfWeight));
    return true;
  });
}

void ZAdapterEtabs8::ProcessKeyedLoadCases(ZComItemList* lines) {
  // Version 9 load cases are static load cases with the keys of the later
  // load patterns. From version 10 on, a load case is an analysis case
  // (modal, linear static of patterns, response spectrum, ...), which the
  // model does not hold.
  if (FileVersion >= 10) {
    NotModelData(lines);
    return;
  }
  ProcessLoadPatterns(lines);
}

void ZAdapterEtabs8::ProcessKeyedAutoLoads(ZComItemList* lines) {
  CBMLoadCaseList* cases = pMgrGeometry->GetLoadCaseList();
  if (!cases) return;
  ForEachLine(lines, [&](const ZComItem& line) {
    if (line.IsQuoted(3) || !line.TokenIs(3, bm::e2k::kUserLoad)) {
      // A heading: user loads follow, or the loads are generated from a
      // code or coefficients. Neither has a place in the model (the user
      // loads themselves are read from their own lines).
      Report.CountNotModelData(CurrentKeyword);
      return;
    }
    // USERLOAD [SET n] "storey" "diaphragm" FX .. FY .. MZ .. XLOC .. YLOC ..
    int storey = 4;
    if (!line.IsQuoted(storey) && line.TokenIs(storey, bm::e2k::kLoadSet)) storey += 2;
    if (line.GetItemCount() < storey + 1) {
      Skip(bm::skip::kTooFewTokens);
      return;
    }
    CBMLoadCase* loadCase = cases->GetLoadCase(line.GetString(2, 0));
    if (!loadCase) {
      Skip(bm::skip::kLoadCaseNotFound);
      return;
    }
    bm::reader::KeyedLine kl(line, storey + 2);
    // Without a point of application the load acts at the diaphragm's
    // centre of mass, which a lateral load of the model cannot say.
    if (!kl.Has(bm::e2k::kXLoc) && !kl.Has(bm::e2k::kYLoc)) {
      Skip(bm::skip::kAtCentreOfMass);
      return;
    }
    double v[5];
    for (int k = 0; k < 5; ++k) v[k] = kl.Number(bm::e2k::kUserLoadKeys[k]);
    loadCase->AddWindItem(line.GetString(storey, 0), line.GetString(storey + 1, 0), v[0], v[1], v[2], v[3],
                          v[4]);
    kl.ReportUnused(Report, CurrentKeyword);
  });
}

void ZAdapterEtabs8::ProcessKeyedPointLoads(ZComItemList* lines) {
  CBMPointList* points = pMgrGeometry->get_pPointList();
  ForEachStoreyLine(lines, [&](const ZComItem& line, CBMLevel* level, bm::reader::KeyedLine& kl) {
    const CString type = kl.Word(bm::e2k::kType);
    if (type != kForceLoad) {
      Skip(bm::skip::kTypeNotRead);
      return false;
    }
    // The joint of the storey; a plan point without a joint there yet gets
    // one, as an assignment would. Without the point there is no joint.
    const CString name = line.GetString(2, 0);
    auto* joint = level->get_theCBMJointList()->ItemAs<CBMJoint>(name);
    if (!joint) {
      auto* point = FindOrSkip<CBMPoint>(points, name, bm::skip::kPointNotFound);
      if (!point) return false;
      joint = JointAt(level, point);
      if (!joint) return false;
    }
    double v[6];
    for (int k = 0; k < 6; ++k) {
      const char* key = kJointLoadKeys[k][0];
      const char* alias = kJointLoadKeys[k][1];
      v[k] = alias && !kl.Has(key) ? kl.Number(alias) : kl.Number(key);
    }
    joint->AddJointLoad(LoadCaseOf(kl), type, v[0], v[1], v[2], v[3], v[4], v[5]);
    return true;
  });
}

void ZAdapterEtabs8::ProcessKeyedLineLoads(ZComItemList* lines) {
  ForEachStoreyLine(lines, [&](const ZComItem& line, CBMLevel* level, bm::reader::KeyedLine& kl) {
    const CString type = kl.Word(bm::e2k::kType);
    const LineLoadForm* form = bm::reader::FindEntry(kLineLoadForms, type.view(), &LineLoadForm::type);
    // The type first: a skipped load makes no brace.
    if (!form) {
      Skip(bm::skip::kTypeNotRead);
      return false;
    }
    CBMLineElement* element = LoadedMember(level, line.GetString(2, 0));
    if (!element) return false;
    auto value = [&](const char* key) { return key ? kl.Number(key) : 0.0; };
    element->AddLineLoad(LoadCaseOf(kl), form->type, kl.Word(bm::e2k::kDir), value(form->rStart),
                         value(form->vStart), value(form->rEnd), value(form->vEnd));
    return true;
  });
}

void ZAdapterEtabs8::ProcessKeyedAreaLoads(ZComItemList* lines) {
  CBMAreaList* areas = pMgrGeometry->get_pAreaList();
  ForEachStoreyLine(lines, [&](const ZComItem& line, CBMLevel* level, bm::reader::KeyedLine& kl) {
    const CString type = kl.Word(bm::e2k::kType);
    // The model holds uniform area loads; a load set or any other type is
    // not taken.
    if (type != bm::e2k::kUniform) {
      Skip(bm::skip::kTypeNotRead);
      return false;
    }
    // The slab of the storey, else its wall (which keeps the load, although
    // the version 8 writer writes slab loads only).
    const CString name = line.GetString(2, 0);
    CBMShellElement* shell = level->get_theCBMSlabList()->ItemAs<CBMSlab>(name);
    if (!shell) shell = level->get_theCBMWallList()->ItemAs<CBMWall>(name);
    if (!shell) {
      Skip(areas && areas->ItemAs<CBMArea>(name) ? bm::skip::kMemberNotFound : bm::skip::kAreaNotFound);
      return false;
    }
    shell->AddAreaLoad(LoadCaseOf(kl), type, kl.Word(bm::e2k::kDir), kl.Number(bm::e2k::kFval));
    return true;
  });
}

void ZAdapterEtabs8::ProcessKeyedCombos(ZComItemList* groups) {
  CBMComponentList* combos = pMgrGeometry->Get_pLoadCombination();
  if (!combos) return;
  // The combinations made here, by name: runs of one combination's lines
  // that other lines interrupt still make one combination.
  std::unordered_map<std::string, CBMLoadCom*> made;
  for (int g = 1; g <= groups->GetCount(); ++g) {
    const ZComItemList* group = groups->GetComList(g);
    if (!group || group->GetCount() < 1) continue;
    CString name = group->GetComItem(1) ? group->GetComItem(1)->GetString(2, 0) : CString();
    if (name.IsEmpty()) {
      SkipAll(group, bm::skip::kEmptyName);
      continue;
    }
    CBMLoadCom*& combo = made[name.str()];
    if (!combo) {
      auto made = std::make_unique<CBMLoadCom>();
      made->set_Name(name);
      combo = combos->Adopt(std::move(made));  // the model's list owns it
    }
    for (int l = 1; l <= group->GetCount(); ++l) {
      const ZComItem* line = group->GetComItem(l);
      if (!line) continue;
      bm::reader::KeyedLine kl(*line, 3);
      if (kl.Has(bm::e2k::kType)) combo->set_sType(MapWord(kComboTypes, kl.Word(bm::e2k::kType)));
      for (const char* key : kComboNotModelKeys) kl.NotModelData(key);
      // Each SF closes the term of the pair right before it, whatever that
      // pair's key (a load case, an analysis case, another combination, a
      // response spectrum, ...): SF's value is token sf, its key sf - 1, the
      // term's name sf - 2.
      for (int sf : kl.FindAll(bm::e2k::kScaleFactor)) {
        if (kl.Take(sf - 2).empty()) {
          Skip(bm::skip::kIncompleteTerm);  // a factor without a term
          continue;
        }
        combo->AddLoadCaseItem(line->GetString(sf - 2, 0), line->GetDouble(sf, 0));
      }
      // A pair left over names a term without its factor.
      for (int left = kl.TakeRest(); left > 0; --left) Skip(bm::skip::kIncompleteTerm);
      kl.ReportUnused(Report, CurrentKeyword);
    }
  }
}
