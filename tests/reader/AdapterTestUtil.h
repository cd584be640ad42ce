// Reader handler test helpers: read a text, print the model (Dump) and the report (Report).
#pragma once

#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/Files.h"

namespace bm::test {

template <typename T, typename F>
void Each(CBMComponentList* list, F fn) {
  for (int i = 1; list && i <= list->GetCount(); ++i)
    if (auto* x = dynamic_cast<T*>(list->GetItem(i))) fn(*x);
}
inline std::string Name(const CBMComponent* x) { return x ? x->get_Name().str() : "-"; }
template <typename... A>
std::string Cat(const A&... a) {
  std::ostringstream o;
  o.precision(10);
  ((o << a), ...);
  return o.str();
}
struct ReadModel {
  std::unique_ptr<CBuildingModule> module = std::make_unique<CBuildingModule>();
  ZAdapterEtabs8 adapter;
  bool ok = false;
  CBMMgrGeometry* geo() { return module->get_pMgrGeometry(); }
  bool ReadPath(const std::string& path, bool process = true) {
    adapter.SetBuildingModule(module.get());
    adapter.SetProcessGeometry(process);
    CString p = path.c_str();
    return ok = adapter.ReadFile(p);
  }
  const ReadReport& report() const { return adapter.GetReadReport(); }
  template <typename T = CBMComponent>
  T* In(CBMComponentList* list, const char* name) {
    return list ? dynamic_cast<T*>(list->GetItem(CString(name))) : nullptr;
  }
  CBMLevel* Level(const char* name) { return In<CBMLevel>(geo()->get_pLevelList(), name); }
  CBMFrameSection* Section(const char* name) { return geo()->get_pFrameSectionList()->GetFrameSection(name); }
  // A member of a storey, by the list getter of CBMLevel.
  template <typename T, typename List>
  T* On(const char* level, List* (CBMLevel::*list)(), const char* name) {
    return Level(level) ? In<T>((Level(level)->*list)(), name) : nullptr;
  }
  CBMBeam* Beam(const char* l, const char* n) { return On<CBMBeam>(l, &CBMLevel::get_theCBMBeamList, n); }
  CBMColumn* Column(const char* l, const char* n) {
    return On<CBMColumn>(l, &CBMLevel::get_theCBMColumnList, n);
  }
};

// The model a line per object (a storey's objects by their second word); `kinds` filters ("loaded").
inline std::string Dump(ReadModel& m, const std::string& kinds = "") {
  std::string o;
  CBMMgrGeometry* g = m.geo();
  auto row = [&](const char* title, CBMComponentList* items, auto show) {
    for (int i = 1; items && i <= items->GetCount(); ++i)
      o += (i > 1 ? " | " : std::string(title) + ": ") + show(items->GetItem(i)) +
           (i == items->GetCount() ? "\n" : "");
  };
  row("storeys", g->get_pLevelList(), [](CBMComponent* x) {
    auto* l = static_cast<CBMLevel*>(x);
    return Cat(Name(l), " ", l->get_Height(), "/", l->get_EleHeight());
  });
  row("diaphragms", g->get_pDiaphragmList(), [](CBMComponent* x) { return Name(x); });
  Each<CBMMaterial>(g->get_pMaterialList(), [&](CBMMaterial& x) {
    o += Cat("material ", Name(&x), ": ", x.get_Type().str(), "/", x.get_DesignType().str(), " M", x.get_M(),
             " W", x.get_W(), " E", x.get_E(), " U", x.get_U(), " A", x.get_A(), " FY", x.get_FY(), " FC",
             x.get_FC(), " FYS", x.get_FYS(), " FU", x.get_FU(), " P", x.get_Price(), "\n");
  });
  Each<CBMFrameSection>(g->get_pFrameSectionList(), [&](CBMFrameSection& x) {
    o += Cat("section ", Name(&x), ": ", x.get_Shape().str(), " of ", Name(x.get_pMaterial()), ":");
    int last = 19;
    while (last >= 0 && x.get_ParamItems(last) == 0) --last;
    for (int i = 0; i <= last; ++i) o += Cat(" ", x.get_ParamItems(i));
    o += "\n";
  });
  Each<CBMWallSlabDeckSection>(g->get_pWallSlabDeckSectionList(), [&](CBMWallSlabDeckSection& x) {
    o += Cat("shell ", Name(&x), ": ", x.get_PropType().str(), " ", x.get_ShellType().str(), "/",
             x.get_PlateType().str(), " of ", Name(x.get_pMaterial()), " TM", x.get_TM(), " TB", x.get_TB());
    if (!x.get_DeckType().IsEmpty())
      o += Cat(" ", x.get_DeckType().str(), " ", x.get_SlabDepth(), " rib ", x.get_RibDepth(), " ",
               x.get_RibWidth(), " ", x.get_RibSpacing(), " w", x.get_Weight(), " stud ", x.get_StuDia(), " ",
               x.get_StudHeight(), " ", x.get_StudStrength());
    o += "\n";
  });
  Each<CBMLink>(g->get_pLinkList(), [&](CBMLink& x) {
    o += Cat("link ", Name(&x), ": ", x.LinkType.str(), " ", x.DofU1, x.DofU2, x.DofU3, x.DofR1, x.DofR2,
             x.DofR3, "\n");
  });
  row("labels", g->get_pPierSpandrelList(), [](CBMComponent* x) {
    return (static_cast<CBMPierSpandrel*>(x)->IsSpandrel() ? "spandrel " : "pier ") + Name(x);
  });
  row("points", g->get_pPointList(), [](CBMComponent* x) {
    auto* p = static_cast<CBMPoint*>(x);
    return Cat(Name(p), " ", p->get_X(), ",", p->get_Y(),
               p->get_IsMidLevel() ? Cat(" mid ", p->get_Z()) : "");
  });
  row("lines", g->get_pLineList(), [](CBMComponent* x) {
    auto* l = static_cast<CBMLine*>(x);
    return Cat(Name(l), " ", l->GetType().str(), " ", l->GetPassStory(), " ", Name(l->get_pP1()),
               l->IsP1SameLevel() ? "=" : "-", Name(l->get_pP2()));
  });
  row("areas", g->get_pAreaList(), [](CBMComponent* x) {
    auto* a = static_cast<CBMArea*>(x);
    std::string s = Name(a) + " " + a->GetAreaType().str();
    for (int i = 1; i <= a->GetCount(); ++i) s += Cat(" ", Name(a->GetPoint(i)), a->GetPointStatus(i));
    return s;
  });
  Each<CBMLevel>(g->get_pLevelList(), [&](CBMLevel& level) {
    const std::string on = Name(&level) + " ";
    Each<CBMJoint>(level.get_theCBMJointList(), [&](CBMJoint& j) {
      o += on + "joint " + Name(&j) + ":";
      for (int f = 0; f < 6 && j.get_pRestraint(); ++f)
        o += Cat(f ? "" : " R", j.get_pRestraint()->get_bU(f));
      if (j.get_pDiaphragm()) o += " D" + Name(j.get_pDiaphragm());
      if (j.get_pLink()) o += " L" + Name(j.get_pLink());
      for (int f = 0; f < 6 && j.get_pJointSpring(); ++f)
        o += Cat(f ? "," : " S", j.get_pJointSpring()->get_dU(f));
      o += Cat(" c", j.get_theConnectList().GetCount(), "\n");
      Each<VectorLoad>(j.get_JointLoadList(), [&](VectorLoad& x) {
        auto* typed = dynamic_cast<CBMJointLoad*>(&x);
        o += Cat("  load ", x.get_Lc().str(), " F", x.get_FX(), ",", x.get_FY(), ",", x.get_FZ(), " M",
                 x.get_MX(), ",", x.get_MY(), ",", x.get_MZ(),
                 typed ? " " + std::string(typed->get_sType().str()) : "", "\n");
      });
    });
    const std::pair<const char*, CBMComponentList*> members[] = {{"beam", level.get_theCBMBeamList()},
                                                                 {"column", level.get_theCBMColumnList()},
                                                                 {"brace", level.get_theCBMBraceList()}};
    for (const auto& [kindName, items] : members) {
      const char* kind = kindName;  // a lambda may not capture a structured binding
      Each<CBMLineElement>(items, [&](CBMLineElement& e) {
        o += Cat(on, kind, " ", Name(&e), ": ", Name(e.get_pFrameSection()), " ang ", e.get_Angle(), " spc ",
                 e.get_MaxSpc(), " ends ", Name(e.get_pJointI()), "/", Name(e.get_pJointJ()));
        for (int f = 0; f < 12 && e.get_pLineRelease(); ++f)
          o += Cat(f ? "" : Cat(" rel", e.IsRelease(), " "), e.get_pLineRelease()->get_bRelease(f));
        if (CBMRigidZone* zone = e.get_pRigidZone())
          o += Cat(" zone ", zone->get_LenghthI(), "/", zone->get_LenghthJ());
        o += e.get_pLine() ? "\n" : " no line\n";
        Each<CBMLineLoad>(e.Get_LineLoadList(), [&](CBMLineLoad& x) {
          o += Cat("  load ", x.get_Lc().str(), " ", x.get_sType().str(), " ", x.get_sDir().str(), " u",
                   x.get_UniformV(), " ", x.get_VStart(), "@", x.get_RStart(), " ", x.get_VEnd(), "@",
                   x.get_REnd(), "\n");
        });
      });
    }
    const std::pair<const char*, CBMComponentList*> shells[] = {{"slab", level.get_theCBMSlabList()},
                                                                {"wall", level.get_theCBMWallList()}};
    for (const auto& [kindName, items] : shells) {
      const char* kind = kindName;  // a lambda may not capture a structured binding
      Each<CBMShellElement>(items, [&](CBMShellElement& e) {
        o += Cat(on, kind, " ", Name(&e), ": ", Name(e.get_pShellSection()), " on ", Name(e.get_pArea()),
                 " mesh ", e.get_MeshOption().str());
        if (auto* slab = dynamic_cast<CBMSlab*>(&e)) o += " D" + Name(slab->GetDiaphram());
        if (auto* wall = dynamic_cast<CBMWall*>(&e)) o += " label " + Name(wall->get_pPierSpandrel());
        o += "\n";
        Each<CBMAreaLoad>(e.get_SlabLoadList(), [&](CBMAreaLoad& x) {
          o += Cat("  load ", x.get_Lc().str(), " ", x.get_sDir().str(), " ", x.get_Value(), "\n");
        });
      });
    }
  });
  Each<CBMLoadCase>(g->GetLoadCaseList(), [&](CBMLoadCase& c) {
    o += Cat("case ", Name(&c), ": ", c.get_sType().str(), " ", c.get_fSelfW(), "\n");
    Each<CBMLoadWind>(c.GetWindList(), [&](CBMLoadWind& w) {
      o += Cat("  wind ", w.get_sLevel().str(), " ", w.get_sDiaph().str(), " F", w.get_Fx(), ",", w.get_Fy(),
               " M", w.get_Mz(), " at ", w.get_XLoc(), ",", w.get_YLoc(), "\n");
    });
  });
  Each<CBMLoadCom>(g->Get_pLoadCombination(), [&](CBMLoadCom& c) {
    o += Cat("combo ", Name(&c), ": ", c.get_sType().str());
    Each<CBMLoadComItem>(c.get_CombineList(), [&](CBMLoadComItem& t) {
      o += Cat(" ", t.get_CaseName().str(), "*", t.get_Factor());
    });
    o += "\n";
  });
  if (kinds.empty()) return o;
  std::vector<std::string> lines(1);
  for (char c : o) c == '\n' ? void(lines.emplace_back()) : lines.back().push_back(c);
  auto named = [&](const std::string& k) {
    return (" " + kinds + " ").find(" " + k + " ") != std::string::npos;
  };
  std::string out, first, second;
  bool keep = false;
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    std::istringstream(lines[i]) >> first >> second;
    const bool loaded = named("loaded") && lines[i + 1].rfind("  load", 0) == 0;
    if (lines[i][0] != ' ') keep = named(first.substr(0, first.find(':'))) || named(second) || loaded;
    if (keep) out += lines[i] + "\n";
  }
  return out;
}

// Reads `body` after the written header into `model` (which may already hold data).
inline void ReadInto(ReadModel& model, const std::string& body) {
  TempDir dir;
  model.ok = model.ReadPath(dir.Write("model.e2k", "$  File saved by Vorlan \n\n" + body),
                            model.adapter.GetProcessGeometry());
}

// Reads `body` (with processing passes, or as the file's own model).
inline std::unique_ptr<ReadModel> Read(const std::string& body, bool process = true,
                                       std::unique_ptr<ReadModel> model = std::make_unique<ReadModel>()) {
  model->adapter.SetProcessGeometry(process);
  ReadInto(*model, body);
  EXPECT_TRUE(model->ok);
  return model;
}

// `body` after a later file's PROGRAM line of `version` and its UNITS line.
inline std::string Later(const std::string& body, const char* version = "20.2.0",
                         const char* units = "\"KN\"  \"M\"  \"C\"") {
  return std::string("$ PROGRAM INFORMATION\n  PROGRAM  \"ETABS\"  VERSION \"") + version +
         "\"\n\n  UNITS  " + units + "\n\n" + body;
}

// The report (PROGRAM's left out): "KEYWORD: kind reason xN | ...", kind m model data, n not, k key.
inline std::string Report(const ReadReport& r) {
  std::string out;
  for (const auto& [keyword, reasons] : r.Skipped()) {
    std::string line;
    for (const auto& [reason, e] : reasons)
      line += Cat(line.empty() ? ": " : " | ", "mnk"[static_cast<int>(e.kind)], " ", reason, " x", e.lines);
    if (keyword != "PROGRAM" && !line.empty()) out += keyword + line + "\n";
  }
  return out;
}

// Storeys BASE (0), STORY1 (3.2), STORY2 (3); points 1 (0,0), 2 (6,0), 3 (6,5), 4 (0,5).
inline std::string Frame() {
  return R"( STORY "STORY2"  HEIGHT 3.000000
 STORY "STORY1"  HEIGHT 3.200000
 STORY "BASE"  ELEV 0.000000

POINT "1"  0 0
POINT "2"  6 0
POINT "3"  6 5
POINT "4"  0 5

)";
}

// Frame() with beam B1, column C1, slab F1 and wall W1 on STORY1, line BR.
inline std::string Version8Frame() {
  return Frame() + R"( MATERIAL "S" M 1

FRAMESECTION  "W"  MATERIAL "S"  SHAPE "Circle" D 1

 SHELLPROP "SL" PROPTYPE "SLAB"
 SHELLPROP "WL" PROPTYPE "WALL"

 LINE  "B1"  BEAM  "1"  "2"  0
 LINE  "C1"  COLUMN  "3"  "3"  1
 LINE  "BR"  BRACE  "1"  "3"  1

AREA "F1"  FLOOR  4 "1" "2" "3" "4" 0 0 0 0
AREA "W1"  PANEL  4 "1" "2" "2" "1" 1 1 0 0

 POINTASSIGN  "1"  "STORY1" RESTRAINT "UX"

 LINEASSIGN  "B1"  "STORY1" SECTION "W"  ANG 0
 LINEASSIGN  "C1"  "STORY1" SECTION "W"  ANG 0

 AREAASSIGN    "F1"  "STORY1"  SECTION "SL"  OBJMESHTYPE "DEFAULT"
 AREAASSIGN    "W1"  "STORY1"  SECTION "WL"  OBJMESHTYPE "DEFAULT"

)";
}

}  // namespace bm::test
