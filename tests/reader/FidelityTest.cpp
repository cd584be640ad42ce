// Fidelity on real files: for each corpus file, the model facts counted from
// its text by an independent scanner (reader/FileFacts.h) against what the
// model holds after reading it (the file's own model, without the processing
// passes), after an archive save and load, and after writing it as version 8
// text and reading that back. Each fact is a list of keys ("STOREY/LINE/
// SECTION/TYPE", ...), so a fact that is there in the same number but on
// another object, or of another type, counts as lost and invented.
//
// Prints the per-file table that docs/fidelity.md shows.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "reader/FileFacts.h"
#include "support/Files.h"

namespace {

using bm::test::FileText;
using bm::test::TextLine;
using Keys = std::vector<std::string>;

// ---- Keys on the file side ----------------------------------------------

std::string Join(std::initializer_list<std::string> parts) {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : "/") + p;
  return out;
}

// Distinct names (token 2) of the `keyword` lines that pass `keep`.
Keys Names(
    const FileText& f, const char* keyword,
    const std::function<bool(const TextLine&)>& keep = [](const TextLine&) { return true; }) {
  std::set<std::string> names;
  for (const TextLine& l : f.Lines(keyword)) {
    if (keep(l)) names.insert(l.At(1));
  }
  return Keys(names.begin(), names.end());
}

// Names of the frame sections that have a material or a shape: the
// auto-select lists (SHAPE "Auto Select ...") or the others, of which
// perhaps only those with a depth.
enum class Sections { kSections, kWithDepth, kAutoSelect };
Keys FrameSections(const FileText& f, Sections which) {
  std::set<std::string> defined, autos, deep;
  for (const TextLine& l : f.Lines("FRAMESECTION")) {
    const std::string* shape = l.Value("SHAPE");
    if (l.Value("MATERIAL") || shape) defined.insert(l.At(1));
    if (shape && shape->rfind("AUTO SELECT", 0) == 0) autos.insert(l.At(1));
    if (l.Number("D") > 0) deep.insert(l.At(1));
  }
  Keys out;
  for (const std::string& name : defined) {
    if ((which == Sections::kAutoSelect) != (autos.count(name) == 1)) continue;
    if (which != Sections::kWithDepth || deep.count(name)) out.push_back(name);
  }
  return out;
}

// One key per `keyword` line (storey/object[/value]) that passes `keep`;
// `value` (may be null) gives the last part. Distinct keys for assignments
// (the model holds one object per storey and name), every line for loads.
Keys PerStorey(const FileText& f, const char* keyword, const std::function<bool(const TextLine&)>& keep,
               const std::function<std::string(const TextLine&)>& value, bool distinct) {
  Keys out;
  for (const TextLine& l : f.Lines(keyword)) {
    if (!keep(l)) continue;
    const std::string v = value ? value(l) : std::string();
    out.push_back(v.empty() ? Join({l.At(2), l.At(1)}) : Join({l.At(2), l.At(1), v}));
  }
  if (distinct) {
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
  }
  return out;
}

// The load pattern a load line names ("?" when it names none).
std::string LoadPatternOf(const TextLine& l) { return l.Value("LC") ? *l.Value("LC") : std::string("?"); }

bool Named(const std::string* v) { return v && !v->empty() && *v != "NONE"; }
bool Diaphragm(const std::string* v) { return v && !v->empty() && *v != "DISCONNECTED"; }

// Load patterns: LOADPATTERN lines; in files before version 10 the LOADCASE
// lines, which later versions use for analysis cases.
Keys LoadPatterns(const FileText& f) { return Names(f, f.MajorVersion() < 10 ? "LOADCASE" : "LOADPATTERN"); }

// The term each factor of a COMBO line applies to: the value of the pair
// right before the SF key, whatever that pair's key.
Keys ComboTerms(const FileText& f) {
  Keys out;
  for (const TextLine& l : f.Lines("COMBO")) {
    for (size_t i = 4; i < l.tokens.size(); ++i) {
      if (!l.quoted[i] && l.tokens[i] == "SF" && !l.quoted[i - 2])
        out.push_back(Join({l.At(1), l.At(i - 1)}));
    }
  }
  return out;
}

// ---- Keys on the model side ---------------------------------------------

std::string Upper(const CString& s) {
  std::string out = s.str();
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

template <typename T, typename F>
void Each(const CBMComponentList* list, F fn) {
  for (int i = 1; list && i <= list->GetCount(); ++i) {
    if (auto* item = dynamic_cast<T*>(list->GetItem(i))) fn(*item);
  }
}

template <typename T>
Keys ModelNames(
    const CBMComponentList* list, const std::function<bool(T&)>& keep = [](T&) { return true; }) {
  Keys out;
  Each<T>(list, [&](T& item) {
    if (keep(item)) out.push_back(Upper(item.name()));
  });
  return out;
}

// fn(storey name, level) for every storey.
template <typename F>
void EachStorey(CBuildingModule& m, F fn) {
  Each<CBMLevel>(m.get_pMgrGeometry()->get_pLevelList(), [&](CBMLevel& l) { fn(Upper(l.name()), l); });
}

// fn(storey, member, type) for every beam, column and brace; the type is
// the file's word for the list the member is in.
template <typename F>
void EachMember(CBuildingModule& m, F fn) {
  EachStorey(m, [&](const std::string& s, CBMLevel& l) {
    Each<CBMLineElement>(l.get_theCBMBeamList(), [&](CBMLineElement& e) { fn(s, e, "BEAM"); });
    Each<CBMLineElement>(l.get_theCBMColumnList(), [&](CBMLineElement& e) { fn(s, e, "COLUMN"); });
    Each<CBMLineElement>(l.get_theCBMBraceList(), [&](CBMLineElement& e) { fn(s, e, "BRACE"); });
  });
}

// fn(storey, shell, type) for every slab (FLOOR) and wall (PANEL).
template <typename F>
void EachShell(CBuildingModule& m, F fn) {
  EachStorey(m, [&](const std::string& s, CBMLevel& l) {
    Each<CBMShellElement>(l.get_theCBMSlabList(), [&](CBMShellElement& e) { fn(s, e, "FLOOR"); });
    Each<CBMShellElement>(l.get_theCBMWallList(), [&](CBMShellElement& e) { fn(s, e, "PANEL"); });
  });
}

template <typename F>
void EachJoint(CBuildingModule& m, F fn) {
  EachStorey(m, [&](const std::string& s, CBMLevel& l) {
    Each<CBMJoint>(l.get_theCBMJointList(), [&](CBMJoint& j) { fn(s, j); });
  });
}

// The model's word for an auto-select list, whatever its spacing or case.
bool IsAutoSelect(const CString& shape) {
  std::string letters;
  for (char c : Upper(shape)) {
    if (c != ' ') letters += c;
  }
  return letters.rfind("AUTOSELECT", 0) == 0;
}

// ---- The facts ----------------------------------------------------------

struct Fact {
  const char* name;
  std::function<Keys(const FileText&)> file;
  std::function<Keys(CBuildingModule&)> model;
  // Whether the version 8 text keeps it (the writer writes no combinations).
  bool inText = true;
};

const std::vector<Fact>& Facts() {
  using M = CBuildingModule;
  static const std::vector<Fact> facts = {
      {"storeys", [](const FileText& f) { return Names(f, "STORY"); },
       [](M& m) { return ModelNames<CBMLevel>(m.get_pMgrGeometry()->get_pLevelList()); }},
      {"diaphragms",
       [](const FileText& f) {
         return Names(f, "DIAPHRAGM", [](const TextLine& l) { return l.At(1) != "DISCONNECTED"; });
       },
       [](M& m) { return ModelNames<CBMDiaphragm>(m.get_pMgrGeometry()->get_pDiaphragmList()); }},
      {"materials", [](const FileText& f) { return Names(f, "MATERIAL"); },
       [](M& m) { return ModelNames<CBMMaterial>(m.get_pMgrGeometry()->get_pMaterialList()); }},
      {"materials with E",
       [](const FileText& f) {
         std::set<std::string> named;
         for (const TextLine& l : f.Lines("MATERIAL")) {
           if (l.Number("E") > 0) named.insert(l.At(1));
         }
         return Keys(named.begin(), named.end());
       },
       [](M& m) {
         return ModelNames<CBMMaterial>(m.get_pMgrGeometry()->get_pMaterialList(),
                                        [](CBMMaterial& x) { return x.get_E() > 0; });
       }},
      {"frame sections", [](const FileText& f) { return FrameSections(f, Sections::kSections); },
       [](M& m) {
         return ModelNames<CBMFrameSection>(m.get_pMgrGeometry()->get_pFrameSectionList(),
                                            [](CBMFrameSection& x) { return !IsAutoSelect(x.get_Shape()); });
       }},
      {"frame sections with D", [](const FileText& f) { return FrameSections(f, Sections::kWithDepth); },
       [](M& m) {
         return ModelNames<CBMFrameSection>(
             m.get_pMgrGeometry()->get_pFrameSectionList(),
             [](CBMFrameSection& x) { return !IsAutoSelect(x.get_Shape()) && x.GetD() > 0; });
       }},
      {"auto-select lists", [](const FileText& f) { return FrameSections(f, Sections::kAutoSelect); },
       [](M& m) {
         return ModelNames<CBMFrameSection>(m.get_pMgrGeometry()->get_pFrameSectionList(),
                                            [](CBMFrameSection& x) { return IsAutoSelect(x.get_Shape()); });
       }},
      {"shell sections", [](const FileText& f) { return Names(f, "SHELLPROP"); },
       [](M& m) {
         return ModelNames<CBMWallSlabDeckSection>(m.get_pMgrGeometry()->get_pWallSlabDeckSectionList());
       }},
      {"shell sections with thickness",
       [](const FileText& f) {
         return Names(f, "SHELLPROP", [](const TextLine& l) {
           return l.Number("SLABTHICKNESS") > 0 || l.Number("WALLTHICKNESS") > 0 || l.Number("TM") > 0;
         });
       },
       [](M& m) {
         return ModelNames<CBMWallSlabDeckSection>(m.get_pMgrGeometry()->get_pWallSlabDeckSectionList(),
                                                   [](CBMWallSlabDeckSection& x) { return x.get_TM() > 0; });
       }},
      {"points", [](const FileText& f) { return Names(f, "POINT"); },
       [](M& m) { return ModelNames<CBMPoint>(m.get_pMgrGeometry()->get_pPointList()); }},
      {"beam lines",
       [](const FileText& f) {
         return Names(f, "LINE", [](const TextLine& l) { return l.At(2) == "BEAM"; });
       },
       [](M& m) {
         return ModelNames<CBMLine>(m.get_pMgrGeometry()->get_pLineList(),
                                    [](CBMLine& x) { return Upper(x.GetType()) == "BEAM"; });
       }},
      {"column lines",
       [](const FileText& f) {
         return Names(f, "LINE", [](const TextLine& l) { return l.At(2) == "COLUMN"; });
       },
       [](M& m) {
         return ModelNames<CBMLine>(m.get_pMgrGeometry()->get_pLineList(),
                                    [](CBMLine& x) { return Upper(x.GetType()) == "COLUMN"; });
       }},
      {"brace lines",
       [](const FileText& f) {
         return Names(f, "LINE", [](const TextLine& l) { return l.At(2) == "BRACE"; });
       },
       [](M& m) {
         return ModelNames<CBMLine>(m.get_pMgrGeometry()->get_pLineList(),
                                    [](CBMLine& x) { return Upper(x.GetType()) == "BRACE"; });
       }},
      {"areas (type/name)",
       [](const FileText& f) {
         std::set<std::string> keys;
         for (const TextLine& l : f.Lines("AREA")) keys.insert(Join({l.At(2), l.At(1)}));
         return Keys(keys.begin(), keys.end());
       },
       [](M& m) {
         Keys keys;
         Each<CBMArea>(m.get_pMgrGeometry()->get_pAreaList(), [&](CBMArea& a) {
           keys.push_back(Join({Upper(a.areaType()), Upper(a.name())}));
         });
         return keys;
       }},
      {"restraints",
       [](const FileText& f) {
         return PerStorey(
             f, "POINTASSIGN", [](const TextLine& l) { return l.Value("RESTRAINT") != nullptr; }, nullptr,
             true);
       },
       [](M& m) {
         Keys keys;
         EachJoint(m, [&](const std::string& s, CBMJoint& j) {
           if (j.get_pRestraint()) keys.push_back(Join({s, Upper(j.name())}));
         });
         return keys;
       }},
      {"joint diaphragms",
       [](const FileText& f) {
         return PerStorey(
             f, "POINTASSIGN", [](const TextLine& l) { return Diaphragm(l.Value("DIAPH")); },
             [](const TextLine& l) { return *l.Value("DIAPH"); }, true);
       },
       [](M& m) {
         Keys keys;
         EachJoint(m, [&](const std::string& s, CBMJoint& j) {
           if (j.get_pDiaphragm())
             keys.push_back(Join({s, Upper(j.name()), Upper(j.get_pDiaphragm()->name())}));
         });
         return keys;
       }},
      {"area diaphragms",
       [](const FileText& f) {
         return PerStorey(
             f, "AREAASSIGN",
             [&f](const TextLine& l) {
               return f.AreaType(l.At(1)) == "FLOOR" && Diaphragm(l.Value("DIAPH"));
             },
             [](const TextLine& l) { return *l.Value("DIAPH"); }, true);
       },
       [](M& m) {
         Keys keys;
         EachStorey(m, [&](const std::string& s, CBMLevel& l) {
           Each<CBMSlab>(l.get_theCBMSlabList(), [&](CBMSlab& x) {
             if (x.GetDiaphram()) keys.push_back(Join({s, Upper(x.name()), Upper(x.GetDiaphram()->name())}));
           });
         });
         return keys;
       }},
      {"member sections",
       [](const FileText& f) {
         return PerStorey(
             f, "LINEASSIGN", [](const TextLine& l) { return Named(l.Value("SECTION")); },
             [&f](const TextLine& l) {
               return Join({*l.Value("SECTION"), f.LineType(l.At(1))});
             },
             true);
       },
       [](M& m) {
         Keys keys;
         EachMember(m, [&](const std::string& s, CBMLineElement& e, const char* type) {
           if (e.get_pFrameSection())
             keys.push_back(Join({s, Upper(e.name()), Upper(e.get_pFrameSection()->name()), type}));
         });
         return keys;
       }},
      {"member angles",
       [](const FileText& f) {
         return PerStorey(
             f, "LINEASSIGN", [](const TextLine& l) { return l.Number("ANG") != 0; }, nullptr, true);
       },
       [](M& m) {
         Keys keys;
         EachMember(m, [&](const std::string& s, CBMLineElement& e, const char*) {
           if (e.get_Angle() != 0) keys.push_back(Join({s, Upper(e.name())}));
         });
         return keys;
       }},
      {"member releases",
       [](const FileText& f) {
         return PerStorey(
             f, "LINEASSIGN", [](const TextLine& l) { return l.Value("RELEASE") != nullptr; }, nullptr, true);
       },
       [](M& m) {
         Keys keys;
         EachMember(m, [&](const std::string& s, CBMLineElement& e, const char*) {
           if (e.IsRelease() || e.get_pLineRelease()) keys.push_back(Join({s, Upper(e.name())}));
         });
         return keys;
       }},
      {"area sections",
       [](const FileText& f) {
         return PerStorey(
             f, "AREAASSIGN",
             [&f](const TextLine& l) {
               const std::string& type = f.AreaType(l.At(1));
               return (type == "FLOOR" || type == "PANEL") && Named(l.Value("SECTION"));
             },
             [&f](const TextLine& l) {
               return Join({*l.Value("SECTION"), f.AreaType(l.At(1))});
             },
             true);
       },
       [](M& m) {
         Keys keys;
         EachShell(m, [&](const std::string& s, CBMShellElement& e, const char* type) {
           if (e.get_pShellSection())
             keys.push_back(Join({s, Upper(e.name()), Upper(e.get_pShellSection()->name()), type}));
         });
         return keys;
       }},
      {"wall piers",
       [](const FileText& f) {
         return PerStorey(
             f, "AREAASSIGN",
             [&f](const TextLine& l) { return f.AreaType(l.At(1)) == "PANEL" && Named(l.Value("PIER")); },
             [](const TextLine& l) { return *l.Value("PIER"); }, true);
       },
       [](M& m) {
         Keys keys;
         EachStorey(m, [&](const std::string& s, CBMLevel& l) {
           Each<CBMWall>(l.get_theCBMWallList(), [&](CBMWall& w) {
             CBMPierSpandrel* label = w.get_pPierSpandrel();
             if (label && !label->IsSpandrel())
               keys.push_back(Join({s, Upper(w.name()), Upper(label->name())}));
           });
         });
         return keys;
       }},
      {"load patterns", LoadPatterns,
       [](M& m) { return ModelNames<CBMLoadCase>(m.get_pMgrGeometry()->GetLoadCaseList()); }},
      {"point loads",
       [](const FileText& f) {
         return PerStorey(
             f, "POINTLOAD", [](const TextLine&) { return true; }, LoadPatternOf, false);
       },
       [](M& m) {
         Keys keys;
         EachJoint(m, [&](const std::string& s, CBMJoint& j) {
           Each<bm::VectorLoad>(j.get_JointLoadList(), [&](bm::VectorLoad& x) {
             keys.push_back(Join({s, Upper(j.name()), Upper(x.get_Lc())}));
           });
         });
         return keys;
       }},
      {"line loads",
       [](const FileText& f) {
         return PerStorey(
             f, "LINELOAD",
             [](const TextLine& l) {
               const std::string* type = l.Value("TYPE");
               return type && (*type == "UNIFF" || *type == "TRAPF" || *type == "POINTF");
             },
             LoadPatternOf, false);
       },
       [](M& m) {
         Keys keys;
         EachMember(m, [&](const std::string& s, CBMLineElement& e, const char*) {
           Each<CBMLineLoad>(e.Get_LineLoadList(), [&](CBMLineLoad& x) {
             keys.push_back(Join({s, Upper(e.name()), Upper(x.get_Lc())}));
           });
         });
         return keys;
       }},
      {"area loads",
       [](const FileText& f) {
         return PerStorey(
             f, "AREALOAD",
             [&f](const TextLine& l) {
               const std::string* type = l.Value("TYPE");
               const std::string& area = f.AreaType(l.At(1));
               return type && *type == "UNIFF" && (area == "FLOOR" || area == "PANEL");
             },
             LoadPatternOf, false);
       },
       [](M& m) {
         Keys keys;
         EachShell(m, [&](const std::string& s, CBMShellElement& e, const char*) {
           Each<CBMAreaLoad>(e.get_SlabLoadList(), [&](CBMAreaLoad& x) {
             keys.push_back(Join({s, Upper(e.name()), Upper(x.get_Lc())}));
           });
         });
         return keys;
       }},
      {"combination terms", ComboTerms,
       [](M& m) {
         Keys keys;
         Each<CBMLoadCom>(m.get_pMgrGeometry()->Get_pLoadCombination(), [&](CBMLoadCom& c) {
           Each<CBMLoadComItem>(c.get_CombineList(), [&](CBMLoadComItem& t) {
             keys.push_back(Join({Upper(c.name()), Upper(t.get_CaseName())}));
           });
         });
         return keys;
       },
       false},
  };
  return facts;
}

// ---- The scanner itself ---------------------------------------------------

// The file side of the table is only as good as its scanner: quoted names
// with spaces, words glued after a closing quote, keys that are never names
// or quoted values, the comment log left out, and the facts a small text
// gives, counted by hand.
TEST(Fidelity, ScannerCountsTheFactsOfASmallText) {
  const TextLine glued =
      bm::test::SplitLine("  LINEASSIGN \"B 1\" \"Story1\" RELEASE \"TI M2I\"LENGTHOFFI 0.2\r");
  ASSERT_EQ(glued.tokens.size(), 7u);
  EXPECT_EQ(glued.At(1), "B 1");
  EXPECT_EQ(glued.At(4), "TI M2I");
  EXPECT_EQ(glued.At(5), "LENGTHOFFI");
  ASSERT_NE(glued.Value("LENGTHOFFI"), nullptr);
  EXPECT_DOUBLE_EQ(glued.Number("LENGTHOFFI"), 0.2);
  // A quoted word is a value, never a key; the name is never a key.
  EXPECT_EQ(bm::test::SplitLine("COMBO \"SF\" LOAD \"SF\" SF 2").Number("SF"), 2.0);
  EXPECT_EQ(bm::test::SplitLine("MATERIAL \"E\" TYPE \"E\"").Value("E"), nullptr);

  const FileText f(
      "$ PROGRAM INFORMATION\n"
      "  PROGRAM  \"X\"  VERSION \"9.7.3\"\r\n"
      "  STORY \"S2\"  HEIGHT 3\n  STORY \"S1\"  HEIGHT 3\n  STORY \"BASE\"  ELEV 0\n"
      "  DIAPHRAGM \"D1\"  TYPE RIGID\n  DIAPHRAGM \"DISCONNECTED\"  TYPE RIGID\n"
      "  MATERIAL  \"STEEL\"  M 7.8  W 76.9  TYPE \"ISOTROPIC\"  E 2E+08  U 0.3\n"
      "  MATERIAL  \"STEEL\"  DESIGNTYPE \"STEEL\"  FY 3E+05\n"
      "  MATERIAL  \"SOFT\"  TYPE \"Other\"  E 0\n"
      "  FRAMESECTION  \"COL\"  MATERIAL \"STEEL\"  SHAPE \"Rectangular\"  D 0.5  B 0.4\n"
      "  FRAMESECTION  \"COL\"  JMOD 1\n  FRAMESECTION  \"ORPHAN\"  JMOD 1\n"
      "  FRAMESECTION  \"A-LIST\"  SHAPE \"Auto Select List\"\n"
      "  POINT \"1\"  0 0\n  POINT \"2\"  6 0\n"
      "  LINE \"C1\"  COLUMN \"1\"  \"1\"  1\n  LINE \"B1\"  BEAM \"1\"  \"2\"  0\n"
      "  AREA \"F1\"  FLOOR  3  \"1\"  \"2\"  \"1\"  0  0  0\n"
      "  POINTASSIGN  \"1\"  \"BASE\"  RESTRAINT \"UX UY UZ\"\n"
      "  POINTASSIGN  \"2\"  \"S1\"  DIAPH \"DISCONNECTED\"\n"
      "  LINEASSIGN  \"C1\"  \"S1\"  SECTION \"COL\"  ANG 90\n"
      "  LINEASSIGN  \"C1\"  \"S1\"  SPRINGK2 6000\n"
      "  LINEASSIGN  \"B1\"  \"S2\"  SECTION \"NONE\"\n"
      "  AREAASSIGN  \"F1\"  \"S1\"  SECTION \"SLAB\"  DIAPH \"D1\"\n"
      "  LOADCASE \"DEAD\"  TYPE  \"DEAD\"  SELFWEIGHT  1\n"
      "  AREALOAD  \"F1\"  \"S1\"  TYPE \"UNIFF\"  DIR \"GRAV\"  LC \"DEAD\"  FVAL 1\n"
      "  AREALOAD  \"F1\"  \"S1\"  TYPE \"UNIFF\"  DIR \"GRAV\"  LC \"DEAD\"  FVAL 2\n"
      "  COMBO \"C1\"  TYPE \"ADD\"\n  COMBO \"C1\"  LOAD \"DEAD\"  SF 1.4\n"
      "  COMBO \"C2\"  COMBO \"C1\"  SF 1\n"
      "  STARTCOMMENTS\n  STORY \"LOGGED\"  HEIGHT 1\n  ENDCOMMENTS\n");
  EXPECT_EQ(f.MajorVersion(), 9);
  EXPECT_EQ(f.LineType("C1"), "COLUMN");
  EXPECT_EQ(f.AreaType("F1"), "FLOOR");
  auto keys = [&](const char* fact) {
    for (const Fact& x : Facts()) {
      if (std::string(x.name) == fact) return x.file(f);
    }
    ADD_FAILURE() << "no fact " << fact;
    return Keys();
  };
  EXPECT_EQ(keys("storeys"), (Keys{"BASE", "S1", "S2"}));
  EXPECT_EQ(keys("diaphragms"), (Keys{"D1"}));
  EXPECT_EQ(keys("materials"), (Keys{"SOFT", "STEEL"}));
  EXPECT_EQ(keys("materials with E"), (Keys{"STEEL"}));
  EXPECT_EQ(keys("frame sections"), (Keys{"COL"}));
  EXPECT_EQ(keys("frame sections with D"), (Keys{"COL"}));
  EXPECT_EQ(keys("auto-select lists"), (Keys{"A-LIST"}));
  EXPECT_EQ(keys("beam lines"), (Keys{"B1"}));
  EXPECT_EQ(keys("column lines"), (Keys{"C1"}));
  EXPECT_EQ(keys("areas (type/name)"), (Keys{"FLOOR/F1"}));
  EXPECT_EQ(keys("restraints"), (Keys{"BASE/1"}));
  EXPECT_TRUE(keys("joint diaphragms").empty());
  EXPECT_EQ(keys("area diaphragms"), (Keys{"S1/F1/D1"}));
  EXPECT_EQ(keys("member sections"), (Keys{"S1/C1/COL/COLUMN"}));
  EXPECT_EQ(keys("member angles"), (Keys{"S1/C1"}));
  EXPECT_EQ(keys("area sections"), (Keys{"S1/F1/SLAB/FLOOR"}));
  EXPECT_EQ(keys("load patterns"), (Keys{"DEAD"}));
  EXPECT_EQ(keys("area loads"), (Keys{"S1/F1/DEAD", "S1/F1/DEAD"}));
  EXPECT_EQ(keys("combination terms"), (Keys{"C1/DEAD", "C2/C1"}));
}

// ---- Comparing ----------------------------------------------------------

// The keys of `model` that match keys of `file` (as multisets), and the
// keys on each side without a match.
struct Match {
  int kept = 0;
  Keys lost;
  Keys invented;
};

Match Compare(Keys file, Keys model) {
  std::sort(file.begin(), file.end());
  std::sort(model.begin(), model.end());
  Match m;
  std::set_difference(file.begin(), file.end(), model.begin(), model.end(), std::back_inserter(m.lost));
  std::set_difference(model.begin(), model.end(), file.begin(), file.end(), std::back_inserter(m.invented));
  m.kept = static_cast<int>(file.size() - m.lost.size());
  return m;
}

// The stages of a file's model: read, archived and loaded, written as
// version 8 text and read back.
enum Stage { kRead, kArchive, kText, kStages };
constexpr const char* kStageNames[] = {"read", "archive", "text"};

std::unique_ptr<CBuildingModule> ReadModel(const std::string& path) {
  auto module = std::make_unique<CBuildingModule>();
  ZAdapterEtabs8 adapter;
  adapter.SetBuildingModule(module.get());
  adapter.SetProcessGeometry(false);
  CString p = path.c_str();
  if (!adapter.ReadFile(p)) return nullptr;
  return module;
}

// The three models of `path` (null where a step failed).
std::vector<std::unique_ptr<CBuildingModule>> Stages(const std::string& path, const bm::test::TempDir& temp) {
  std::vector<std::unique_ptr<CBuildingModule>> out(kStages);
  out[kRead] = ReadModel(path);
  if (!out[kRead]) return out;
  const std::string archive = temp.File("model.bma");
  if (out[kRead]->ReadSaveFile(CString(archive.c_str()), 0)) {
    out[kArchive] = std::make_unique<CBuildingModule>();
    if (!out[kArchive]->ReadSaveFile(CString(archive.c_str()), 1)) out[kArchive].reset();
  }
  const std::string text = temp.File("model.e2k");
  if (out[kRead]->GenerateETABS8TxtFile(CString(text.c_str()))) out[kText] = ReadModel(text);
  return out;
}

std::string Examples(const Keys& keys) {
  std::string out;
  for (size_t i = 0; i < keys.size() && i < 3; ++i) out += (i ? ", " : "") + keys[i];
  if (keys.size() > 3) out += ", ...";
  return out;
}

std::string Percent(long kept, long expected) {
  std::ostringstream s;
  s.setf(std::ios::fixed);
  s.precision(1);
  s << (expected ? 100.0 * static_cast<double>(kept) / static_cast<double>(expected) : 100.0) << "%";
  return s.str();
}

// Per fact: expected, kept at each stage, invented at each stage.
struct Row {
  int expected = 0;
  int kept[kStages] = {0, 0, 0};
  int invented[kStages] = {0, 0, 0};
};

// The tables of docs/fidelity.md: per file the facts kept at each stage,
// per fact and file the expected number (with the kept and invented numbers
// where a stage falls short), and the shortfalls with example keys.
std::string Tables(const std::vector<Fact>& facts, const std::vector<std::vector<Row>>& table,
                   const std::vector<std::string>& summary, const std::string& shortfalls) {
  const size_t files = summary.size();
  std::ostringstream out;
  out << "\n| # | file | read | archive | text |\n|---|---|---|---|---|\n";
  for (const std::string& line : summary) out << line << "\n";
  out << "\n| fact |";
  for (size_t fi = 0; fi < files; ++fi) out << " " << fi + 1 << " |";
  out << "\n|---|";
  for (size_t fi = 0; fi < files; ++fi) out << "---|";
  out << "\n";
  for (size_t k = 0; k < facts.size(); ++k) {
    out << "| " << facts[k].name << " |";
    for (size_t fi = 0; fi < files; ++fi) {
      const Row& r = table[k][fi];
      const bool text = facts[k].inText;
      const bool whole = r.kept[kRead] == r.expected && r.kept[kArchive] == r.expected &&
                         (!text || r.kept[kText] == r.expected);
      out << " " << r.expected;
      if (!whole) {
        out << " r" << r.kept[kRead] << " a" << r.kept[kArchive]
            << (text ? " t" + std::to_string(r.kept[kText]) : std::string(" t-"));
      }
      if (r.invented[kRead] + r.invented[kArchive] + r.invented[kText] > 0) {
        out << " +" << r.invented[kRead] << "/" << r.invented[kArchive] << "/" << r.invented[kText];
      }
      out << " |";
    }
    out << "\n";
  }
  if (shortfalls.empty()) {
    out << "\nNo shortfalls: every stage keeps every fact and invents none.\n";
  } else {
    out << "\n| file | stage | fact | lost | invented |\n|---|---|---|---|---|\n" << shortfalls;
  }
  return out.str();
}

TEST(Fidelity, CorpusFactsSurviveReadArchiveAndVersion8Text) {
  const std::filesystem::path dir = std::filesystem::path(BM_CORPUS_DIR) / "e2k";
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no corpus at " << dir;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty());

  const std::vector<Fact>& facts = Facts();
  // table[fact][file]
  std::vector<std::vector<Row>> table(facts.size(), std::vector<Row>(files.size()));
  std::ostringstream shortfalls;
  std::vector<std::string> summary;
  bm::test::TempDir temp;
  for (size_t fi = 0; fi < files.size(); ++fi) {
    const std::string name = files[fi].filename().string();
    SCOPED_TRACE(name);
    std::ifstream in(files[fi], std::ios::binary);
    const FileText text(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    auto models = Stages(files[fi].string(), temp);
    for (int s = 0; s < kStages; ++s)
      EXPECT_TRUE(models[static_cast<size_t>(s)]) << kStageNames[s] << " failed";
    long expected[kStages] = {0, 0, 0};
    long kept[kStages] = {0, 0, 0};
    for (size_t k = 0; k < facts.size(); ++k) {
      const Fact& fact = facts[k];
      const Keys fileKeys = fact.file(text);
      Row& row = table[k][fi];
      row.expected = static_cast<int>(fileKeys.size());
      for (int s = 0; s < kStages; ++s) {
        if (!models[static_cast<size_t>(s)] || (s == kText && !fact.inText)) continue;
        const Match m = Compare(fileKeys, fact.model(*models[static_cast<size_t>(s)]));
        row.kept[s] = m.kept;
        row.invented[s] = static_cast<int>(m.invented.size());
        expected[s] += row.expected;
        kept[s] += m.kept;
        // The file's own model and its archive keep each fact; the text
        // round trip is held to the file's total below.
        if (s != kText) {
          EXPECT_GE(100 * m.kept, 99 * row.expected)
              << kStageNames[s] << ": " << fact.name << " kept " << m.kept << " of " << row.expected;
        }
        // Nothing invented: no model fact without its line in the file.
        EXPECT_TRUE(m.invented.empty()) << kStageNames[s] << ": " << fact.name << " invented "
                                        << m.invented.size() << ": " << Examples(m.invented);
        if (!m.lost.empty() || !m.invented.empty()) {
          shortfalls << "| " << name << " | " << kStageNames[s] << " | " << fact.name << " | ";
          if (!m.lost.empty())
            shortfalls << m.lost.size() << " of " << row.expected << ": " << Examples(m.lost);
          shortfalls << " | ";
          if (!m.invented.empty()) shortfalls << m.invented.size() << ": " << Examples(m.invented);
          shortfalls << " |\n";
        }
      }
    }
    std::string line = "| " + std::to_string(fi + 1) + " | " + name;
    for (int s = 0; s < kStages; ++s) {
      line += " | " + std::to_string(kept[s]) + "/" + std::to_string(expected[s]) + " " +
              Percent(kept[s], expected[s]);
      EXPECT_GE(100 * kept[s], 99 * expected[s])
          << kStageNames[s] << ": " << kept[s] << " of " << expected[s] << " facts kept";
    }
    summary.push_back(line + " |");
  }

  std::cout << Tables(facts, table, summary, shortfalls.str());
}

}  // namespace
