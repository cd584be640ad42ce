// Corpus facts counted by an own scanner against read, archive and version 8 text models.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <set>

#include "reader/AdapterTestUtil.h"

namespace {

namespace fs = std::filesystem;
using Keys = std::vector<std::string>;
using M = CBuildingModule;
using bm::test::Each;
std::string Upper(std::string s) {
  for (char& c : s) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return s;
}
std::string Upper(const CString& s) { return Upper(std::string(s.str())); }

// The scanner: upper-cased tokens, a quoted run one token (a word glued after it another).
struct TextLine {
  std::vector<std::string> tokens;
  std::vector<bool> quoted;
  std::string At(size_t i) const { return i < tokens.size() ? tokens[i] : ""; }
  // The value after the first unquoted `key` from token 2 on; null if none.
  const std::string* Value(const std::string& key) const {
    for (size_t i = 2; i + 1 < tokens.size(); ++i)
      if (!quoted[i] && tokens[i] == key) return &tokens[i + 1];
    return nullptr;
  }
  double Number(const std::string& key) const {
    return Value(key) ? std::strtod(Value(key)->c_str(), nullptr) : 0;
  }
};
TextLine SplitLine(const std::string& text) {
  TextLine line;
  std::string word;
  auto put = [&](const std::string& w, bool q) { line.tokens.push_back(Upper(w)), line.quoted.push_back(q); };
  for (size_t i = 0; i <= text.size(); ++i) {
    const char c = i < text.size() ? text[i] : ' ';
    if (c != ' ' && c != '\t' && c != '\r' && c != '"') {
      word += c;
      continue;
    }
    if (!word.empty()) put(word, false);
    word.clear();
    if (c != '"') continue;
    const size_t end = std::min(text.find('"', i + 1), text.size());
    put(text.substr(i + 1, end - i - 1), true);
    i = end;
  }
  return line;
}

// Data lines by keyword; comments ($ ...) and the STARTCOMMENTS log left out.
struct FileText {
  std::map<std::string, std::vector<TextLine>> byKeyword;
  std::map<std::string, std::string> types;  // "LINE name" and "AREA name" -> type word
  int version = 8;                           // major version of the PROGRAM line
  explicit FileText(const std::string& bytes) {
    std::istringstream in(bytes);
    bool log = false;
    for (std::string text; std::getline(in, text);) {
      TextLine l = SplitLine(text);
      if (l.tokens.empty() || l.tokens[0][0] == '$') continue;
      log = (log || l.tokens[0] == "STARTCOMMENTS") && l.tokens[0] != "ENDCOMMENTS";
      if (log) continue;
      if (l.tokens[0] == "PROGRAM" && l.Value("VERSION")) version = std::atoi(l.Value("VERSION")->c_str());
      if (l.tokens[0] == "LINE" || l.tokens[0] == "AREA") types[l.tokens[0] + " " + l.At(1)] = l.At(2);
      byKeyword[l.tokens[0]].push_back(std::move(l));
    }
  }
  const std::vector<TextLine>& Lines(const std::string& keyword) const {
    static const std::vector<TextLine> kEmpty;
    return byKeyword.count(keyword) ? byKeyword.at(keyword) : kEmpty;
  }
  std::string Type(const std::string& keyword, const std::string& name) const {
    return types.count(keyword + " " + name) ? types.at(keyword + " " + name) : "";
  }
};
using Line = const TextLine&;
using Keep = std::function<bool(const FileText&, Line)>;
using FileKeys = std::function<Keys(const FileText&)>;
using Value = std::function<std::string(const FileText&, Line)>;
const Keep kAll = [](const FileText&, Line) { return true; };

// Distinct names (token 2) of the `keyword` lines that pass `keep`.
FileKeys NamesOf(const std::string& keyword, const Keep& keep = kAll) {
  return [=](const FileText& f) {
    std::set<std::string> names;
    for (Line l : f.Lines(keyword))
      if (keep(f, l)) names.insert(l.At(1));
    return Keys(names.begin(), names.end());
  };
}

// Frame sections with a material or shape: auto-select lists or the others (perhaps with a depth).
FileKeys FrameSections(bool autoSelect, bool withDepth) {
  return [=](const FileText& f) {
    std::set<std::string> defined, autos, deep;
    for (Line l : f.Lines("FRAMESECTION")) {
      const std::string* shape = l.Value("SHAPE");
      if (l.Value("MATERIAL") || shape) defined.insert(l.At(1));
      if (shape && shape->rfind("AUTO SELECT", 0) == 0) autos.insert(l.At(1));
      if (l.Number("D") > 0) deep.insert(l.At(1));
    }
    Keys out;
    for (const std::string& name : defined)
      if (autoSelect == (autos.count(name) == 1) && (!withDepth || deep.count(name))) out.push_back(name);
    return out;
  };
}

// Keys storey/object[/value] per passing line: distinct for assignments, every line for loads.
FileKeys PerStorey(const std::string& keyword, const Keep& keep, const Value& value, bool loads = false) {
  return [=](const FileText& f) {
    Keys out;
    for (Line l : f.Lines(keyword)) {
      if (!keep(f, l)) continue;
      const std::string v = loads ? (l.Value("LC") ? *l.Value("LC") : "?") : value ? value(f, l) : "";
      out.push_back(l.At(2) + "/" + l.At(1) + (v.empty() ? "" : "/" + v));
    }
    std::sort(out.begin(), out.end());
    if (!loads) out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
  };
}
bool Named(const std::string* v) { return v && !v->empty() && *v != "NONE"; }
bool Diaphragm(const std::string* v) { return v && !v->empty() && *v != "DISCONNECTED"; }
Value ValueOf(const char* key) {
  return [key](const FileText&, Line l) { return *l.Value(key); };
}
// The area of an AREAASSIGN or AREALOAD line is a FLOOR (or a PANEL).
bool OnArea(const FileText& f, Line l, bool floor, bool panel) {
  const std::string type = f.Type("AREA", l.At(1));
  return (floor && type == "FLOOR") || (panel && type == "PANEL");
}
using ModelKeys = std::function<Keys(M&)>;

// The model-wide list of the objects of a keyword.
CBMComponentList* ListOf(M& m, const std::string& keyword) {
  CBMMgrGeometry* g = m.get_pMgrGeometry();
  const std::map<std::string, CBMComponentList*> lists = {
      {"STORY", g->get_pLevelList()},       {"DIAPHRAGM", g->get_pDiaphragmList()},
      {"MATERIAL", g->get_pMaterialList()}, {"FRAMESECTION", g->get_pFrameSectionList()},
      {"POINT", g->get_pPointList()},       {"SHELLPROP", g->get_pWallSlabDeckSectionList()},
      {"LINE", g->get_pLineList()},         {"AREA", g->get_pAreaList()},
      {"LOADCASE", g->GetLoadCaseList()},   {"COMBO", g->Get_pLoadCombination()}};
  return lists.at(keyword);
}

// The keys `fn` gives for each object of type T in the list of `keyword`.
template <typename T>
ModelKeys In(const std::string& keyword, const std::function<Keys(T&)>& fn) {
  return [=](M& m) {
    Keys out;
    Each<T>(ListOf(m, keyword), [&](T& x) {
      for (const std::string& k : fn(x)) out.push_back(k);
    });
    return out;
  };
}
template <typename T>
ModelKeys NamesIn(
    const std::string& keyword, const std::function<bool(T&)>& keep = [](T&) { return true; }) {
  return In<T>(keyword, [=](T& x) { return keep(x) ? Keys{Upper(x.name())} : Keys{}; });
}

// Keys storey/name[/value] of objects T on storeys; `type` is the file's word for their list.
template <typename T>
ModelKeys OnStoreys(const std::function<Keys(T&, const std::string& type)>& fn) {
  return [=](M& m) {
    Keys out;
    Each<CBMLevel>(ListOf(m, "STORY"), [&](CBMLevel& l) {
      const std::pair<CBMComponentList*, const char*> lists[] = {
          {l.get_theCBMJointList(), "JOINT"},   {l.get_theCBMBeamList(), "BEAM"},
          {l.get_theCBMColumnList(), "COLUMN"}, {l.get_theCBMBraceList(), "BRACE"},
          {l.get_theCBMSlabList(), "FLOOR"},    {l.get_theCBMWallList(), "PANEL"}};
      for (const auto& [list, listType] : lists) {
        const char* type = listType;  // a lambda may not capture a structured binding
        Each<T>(list, [&](T& x) {
          for (const std::string& v : fn(x, type))
            out.push_back(Upper(l.name()) + "/" + Upper(x.name()) + (v.empty() ? "" : "/" + v));
        });
      }
    });
    return out;
  };
}
Keys If(bool b) { return b ? Keys{""} : Keys{}; }
Keys NameOf(const CBMComponent* x, const std::string& suffix = "") {
  return x ? Keys{Upper(x->name()) + suffix} : Keys{};
}
template <typename T, typename L>
Keys CasesOf(L* loads) {
  Keys k;
  Each<T>(loads, [&](T& x) { k.push_back(Upper(x.get_Lc())); });
  return k;
}
bool IsAutoSelect(CBMFrameSection& x) {
  std::string letters;
  for (char c : Upper(x.get_Shape()))
    if (c != ' ') letters += c;
  return letters.rfind("AUTOSELECT", 0) == 0;
}
struct Fact {
  std::string name;
  FileKeys file;
  ModelKeys model;
  bool inText = true;  // the version 8 text keeps it (it has no combinations)
};
const std::vector<Fact>& Facts() {
  using F = const FileText&;
  using Section = CBMFrameSection;
  using Shell = CBMShellElement;
  using Shells = CBMWallSlabDeckSection;
  using Member = CBMLineElement;
  auto lineOf = [](const std::string& type) {
    const std::string word = Upper(type);
    return Fact{type + " lines", NamesOf("LINE", [=](F, Line l) { return l.At(2) == word; }),
                NamesIn<CBMLine>("LINE", [=](CBMLine& x) { return Upper(x.GetType()) == word; })};
  };
  static const std::vector<Fact> facts = {
      {"storeys", NamesOf("STORY"), NamesIn<CBMLevel>("STORY")},
      {"diaphragms", NamesOf("DIAPHRAGM", [](F, Line l) { return l.At(1) != "DISCONNECTED"; }),
       NamesIn<CBMDiaphragm>("DIAPHRAGM")},
      {"materials", NamesOf("MATERIAL"), NamesIn<CBMMaterial>("MATERIAL")},
      {"materials with E", NamesOf("MATERIAL", [](F, Line l) { return l.Number("E") > 0; }),
       NamesIn<CBMMaterial>("MATERIAL", [](CBMMaterial& x) { return x.get_E() > 0; })},
      {"frame sections", FrameSections(false, false),
       NamesIn<Section>("FRAMESECTION", [](Section& x) { return !IsAutoSelect(x); })},
      {"frame sections with D", FrameSections(false, true),
       NamesIn<Section>("FRAMESECTION", [](Section& x) { return !IsAutoSelect(x) && x.GetD() > 0; })},
      {"auto-select lists", FrameSections(true, false), NamesIn<Section>("FRAMESECTION", IsAutoSelect)},
      {"shell sections", NamesOf("SHELLPROP"), NamesIn<Shells>("SHELLPROP")},
      {"shell sections with thickness",
       NamesOf("SHELLPROP",
               [](F, Line l) {
                 return l.Number("SLABTHICKNESS") > 0 || l.Number("WALLTHICKNESS") > 0 || l.Number("TM") > 0;
               }),
       NamesIn<Shells>("SHELLPROP", [](Shells& x) { return x.get_TM() > 0; })},
      {"points", NamesOf("POINT"), NamesIn<CBMPoint>("POINT")},
      lineOf("beam"),
      lineOf("column"),
      lineOf("brace"),
      {"areas (type/name)",
       [](F f) {
         std::set<std::string> keys;
         for (Line l : f.Lines("AREA")) keys.insert(l.At(2) + "/" + l.At(1));
         return Keys(keys.begin(), keys.end());
       },
       In<CBMArea>("AREA", [](CBMArea& a) { return Keys{Upper(a.areaType()) + "/" + Upper(a.name())}; })},
      {"restraints",
       PerStorey(
           "POINTASSIGN", [](F, Line l) { return l.Value("RESTRAINT"); }, nullptr),
       OnStoreys<CBMJoint>([](CBMJoint& j, auto&) { return If(j.get_pRestraint()); })},
      {"joint diaphragms",
       PerStorey(
           "POINTASSIGN", [](F, Line l) { return Diaphragm(l.Value("DIAPH")); }, ValueOf("DIAPH")),
       OnStoreys<CBMJoint>([](CBMJoint& j, auto&) { return NameOf(j.get_pDiaphragm()); })},
      {"area diaphragms",
       PerStorey(
           "AREAASSIGN", [](F f, Line l) { return OnArea(f, l, true, false) && Diaphragm(l.Value("DIAPH")); },
           ValueOf("DIAPH")),
       OnStoreys<CBMSlab>(
           [](CBMSlab& x, auto& type) { return type == "FLOOR" ? NameOf(x.GetDiaphram()) : Keys{}; })},
      {"member sections",
       PerStorey(
           "LINEASSIGN", [](F, Line l) { return Named(l.Value("SECTION")); },
           [](F f, Line l) { return *l.Value("SECTION") + "/" + f.Type("LINE", l.At(1)); }),
       OnStoreys<Member>([](Member& e, auto& type) { return NameOf(e.get_pFrameSection(), "/" + type); })},
      {"member angles",
       PerStorey(
           "LINEASSIGN", [](F, Line l) { return l.Number("ANG") != 0; }, nullptr),
       OnStoreys<Member>([](Member& e, auto&) { return If(e.get_Angle() != 0); })},
      {"member releases",
       PerStorey(
           "LINEASSIGN", [](F, Line l) { return l.Value("RELEASE"); }, nullptr),
       OnStoreys<Member>([](Member& e, auto&) { return If(e.IsRelease() || e.get_pLineRelease()); })},
      {"area sections",
       PerStorey(
           "AREAASSIGN", [](F f, Line l) { return OnArea(f, l, true, true) && Named(l.Value("SECTION")); },
           [](F f, Line l) { return *l.Value("SECTION") + "/" + f.Type("AREA", l.At(1)); }),
       OnStoreys<Shell>([](Shell& e, auto& type) { return NameOf(e.get_pShellSection(), "/" + type); })},
      {"wall piers",
       PerStorey(
           "AREAASSIGN", [](F f, Line l) { return OnArea(f, l, false, true) && Named(l.Value("PIER")); },
           ValueOf("PIER")),
       OnStoreys<CBMWall>([](CBMWall& w, auto& type) {
         CBMPierSpandrel* label = w.get_pPierSpandrel();
         return type == "PANEL" && label && !label->IsSpandrel() ? NameOf(label) : Keys{};
       })},
      // Load patterns: LOADCASE lines before version 10 (analysis cases later).
      {"load patterns", [](F f) { return NamesOf(f.version < 10 ? "LOADCASE" : "LOADPATTERN")(f); },
       NamesIn<CBMLoadCase>("LOADCASE")},
      {"point loads", PerStorey("POINTLOAD", kAll, nullptr, true),
       OnStoreys<CBMJoint>(
           [](CBMJoint& j, auto&) { return CasesOf<bm::VectorLoad>(j.get_JointLoadList()); })},
      {"line loads",
       PerStorey(
           "LINELOAD",
           [](F, Line l) {
             const std::string* type = l.Value("TYPE");
             return type && (*type == "UNIFF" || *type == "TRAPF" || *type == "POINTF");
           },
           nullptr, true),
       OnStoreys<Member>([](Member& e, auto&) { return CasesOf<CBMLineLoad>(e.Get_LineLoadList()); })},
      {"area loads",
       PerStorey(
           "AREALOAD",
           [](F f, Line l) {
             return l.Value("TYPE") && *l.Value("TYPE") == "UNIFF" && OnArea(f, l, true, true);
           },
           nullptr, true),
       OnStoreys<Shell>([](Shell& e, auto&) { return CasesOf<CBMAreaLoad>(e.get_SlabLoadList()); })},
      // The term of each factor: the value of the pair right before SF.
      {"combination terms",
       [](F f) {
         Keys out;
         for (Line l : f.Lines("COMBO"))
           for (size_t i = 4; i < l.tokens.size(); ++i)
             if (!l.quoted[i] && l.tokens[i] == "SF" && !l.quoted[i - 2])
               out.push_back(l.At(1) + "/" + l.At(i - 1));
         return out;
       },
       In<CBMLoadCom>("COMBO",
                      [](CBMLoadCom& c) {
                        Keys keys;
                        Each<CBMLoadComItem>(c.get_CombineList(), [&](CBMLoadComItem& t) {
                          keys.push_back(Upper(c.name()) + "/" + Upper(t.get_CaseName()));
                        });
                        return keys;
                      }),
       false},
  };
  return facts;
}
// The file's keys the model lacks, and the model's keys the file lacks.
std::pair<Keys, Keys> Compare(Keys file, Keys model) {
  std::sort(file.begin(), file.end());
  std::sort(model.begin(), model.end());
  std::pair<Keys, Keys> m;
  std::set_difference(file.begin(), file.end(), model.begin(), model.end(), std::back_inserter(m.first));
  std::set_difference(model.begin(), model.end(), file.begin(), file.end(), std::back_inserter(m.second));
  return m;
}
enum Stage { kRead, kArchive, kText, kStages };
constexpr const char* kStageNames[] = {"read", "archive", "text"};
std::unique_ptr<M> ReadOwnModel(const std::string& path) {
  bm::test::ReadModel m;
  return m.ReadPath(path, false) ? std::move(m.module) : nullptr;
}

std::vector<fs::path> CorpusFiles() {
  std::vector<fs::path> files;
  if (fs::is_directory(fs::path(BM_CORPUS_DIR) / "e2k"))
    for (const auto& entry : fs::directory_iterator(fs::path(BM_CORPUS_DIR) / "e2k"))
      if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(Fidelity, CorpusFactsSurviveReadArchiveAndVersion8Text) {
  const std::vector<fs::path> files = CorpusFiles();
  if (files.empty()) GTEST_SKIP() << "no corpus at " << BM_CORPUS_DIR;
  bm::test::TempDir temp;
  const CString archive = temp.File("model.bma").c_str(), e2k = temp.File("model.e2k").c_str();
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    const FileText text(bm::test::ReadFile(file.string()));
    // The file's own model, its archive loaded again, its version 8 text read again.
    std::unique_ptr<M> models[kStages] = {ReadOwnModel(file.string()), std::make_unique<M>()};
    ASSERT_TRUE(models[kRead]);
    if (!models[kRead]->ReadSaveFile(archive, 0) || !models[kArchive]->ReadSaveFile(archive, 1))
      models[kArchive].reset();
    if (models[kRead]->GenerateETABS8TxtFile(e2k)) models[kText] = ReadOwnModel(e2k.str());
    long expected[kStages] = {}, kept[kStages] = {};
    for (int s = 0; s < kStages; ++s) EXPECT_TRUE(models[s]) << kStageNames[s] << " failed";
    for (const Fact& fact : Facts()) {
      const Keys fileKeys = fact.file(text);
      const int want = static_cast<int>(fileKeys.size());
      for (int s = 0; s < kStages; ++s) {
        if (!models[s] || (s == kText && !fact.inText)) continue;
        const auto [lost, invented] = Compare(fileKeys, fact.model(*models[s]));
        expected[s] += want;
        kept[s] += want - static_cast<long>(lost.size());
        // The own model and archive keep each fact; the text is held to the file's total below.
        EXPECT_TRUE(s == kText || 100 * (want - static_cast<int>(lost.size())) >= 99 * want)
            << kStageNames[s] << ": " << fact.name << " lost " << lost.size() << ", first " << lost[0];
        EXPECT_TRUE(invented.empty()) << kStageNames[s] << ": " << fact.name << " invented " << invented[0];
      }
    }
    for (int s = 0; s < kStages; ++s)
      EXPECT_GE(100 * kept[s], 99 * expected[s])
          << kStageNames[s] << ": " << kept[s] << " of " << expected[s];
  }
}

// Each file read with the passes keeps its text's counts, section materials and definitions.
TEST(Corpus, EveryFileReadsWithTheCountsOfItsText) {
  const std::vector<fs::path> files = CorpusFiles();
  if (files.empty()) GTEST_SKIP() << "no corpus at " << BM_CORPUS_DIR;
  const std::set<std::string> definitions = {"STORY",        "DIAPHRAGM",   "MATERIAL",
                                             "FRAMESECTION", "SHELLPROP",   "GRID",
                                             "AUTOSECTION",  "POINTSPRING", "LINKPROP"};
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    const FileText text(bm::test::ReadFile(file.string()));
    bm::test::ReadModel read;
    ASSERT_TRUE(read.ReadPath(file.string()));
    for (const char* keyword : {"STORY", "POINT", "AREA"})
      EXPECT_EQ(ListOf(*read.module, keyword)->GetCount(), int(NamesOf(keyword)(text).size())) << keyword;
    EXPECT_EQ(ListOf(*read.module, "LINE")->GetCount(), static_cast<int>(text.Lines("LINE").size()));
    Each<CBMFrameSection>(ListOf(*read.module, "FRAMESECTION"), [](CBMFrameSection& x) {
      EXPECT_TRUE(x.get_Shape() == bm::e2k::kShapeAutoSelect || x.get_pMaterial()) << x.name();
    });
    for (const auto& [keyword, reasons] : read.report().Skipped())
      for (const auto& [reason, counted] : reasons)
        EXPECT_TRUE(!definitions.count(keyword) || counted.kind == bm::ReadReport::Kind::kNotModelData)
            << keyword << ": " << reason;
  }
}

}  // namespace
