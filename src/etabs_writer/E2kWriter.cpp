// The ETABS 8 text writer: file frame, header, controls, storeys, diaphragm
// names, the fixed analysis options and the closing lines; the entity blocks
// come from the appenders of E2kText.h.
#include "etabs_writer/E2kWriter.h"

#include <utility>

#include "e2k_format/E2kKeywords.h"
#include "etabs_writer/E2kText.h"
#include "model/BuildingModule.h"

namespace bm {

using e2k::Put;

E2kWriter::E2kWriter(CBuildingModule& module, Sink sink, size_t chunkSize)
    : module_(module), sink_(std::move(sink)), chunkSize_(chunkSize ? chunkSize : 1) {}

void E2kWriter::MaybeFlush() {
  if (sink_ && buffer_.size() >= chunkSize_) Flush();
}

void E2kWriter::Flush() {
  if (!sink_ || buffer_.empty()) return;
  sink_(buffer_);
  buffer_.clear();
}

namespace {

// The run-time class of T, for the kind test of ForEach.
template <typename T>
const CRuntimeClass* ClassOf();
#define BM_WRITER_CLASS_OF(T) \
  template <>                 \
  const CRuntimeClass* ClassOf<T>() { return RUNTIME_CLASS(T); }
BM_WRITER_CLASS_OF(CBMArea)
BM_WRITER_CLASS_OF(CBMDiaphragm)
BM_WRITER_CLASS_OF(CBMFrameSection)
BM_WRITER_CLASS_OF(CBMJoint)
BM_WRITER_CLASS_OF(CBMLevel)
BM_WRITER_CLASS_OF(CBMLine)
BM_WRITER_CLASS_OF(CBMLineElement)
BM_WRITER_CLASS_OF(CBMLink)
BM_WRITER_CLASS_OF(CBMLoadCase)
BM_WRITER_CLASS_OF(CBMMaterial)
BM_WRITER_CLASS_OF(CBMPierSpandrel)
BM_WRITER_CLASS_OF(CBMPoint)
BM_WRITER_CLASS_OF(CBMSlab)
BM_WRITER_CLASS_OF(CBMWall)
BM_WRITER_CLASS_OF(CBMWallSlabDeckSection)
#undef BM_WRITER_CLASS_OF

// Calls `fn(item)` for each member of `list` (1-based, first to last) that
// is a T; null entries and members of other classes are skipped and, when
// `report` is given, counted. Lists walked more than once pass the report
// on their first walk only, so that each entry is counted once.
template <typename T, typename List, typename Fn>
void ForEach(List* list, WriteReport* report, Fn&& fn) {
  if (!list) return;
  const int n = list->GetCount();
  for (int i = 1; i <= n; ++i) {
    CBMComponent* item = list->GetItem(i);
    if (!item || !item->IsKindOf(ClassOf<T>())) {
      if (report) ++report->invalidItems;
      continue;
    }
    fn(*static_cast<T*>(item));
  }
}

}  // namespace

void E2kWriter::Write() {
  buffer_.clear();
  report_ = WriteReport();
  // With a sink, one chunk plus the largest item fits without growing;
  // without one, a guess from the list sizes saves most regrowth.
  buffer_.reserve(sink_ ? chunkSize_ + (size_t{64} << 10) : EstimateSize());
  WriteHeaderAndControls();
  WriteStories();
  WriteDefinitions();
  WriteConnectivities();
  WriteAssignments();
  WriteLoads();
  WriteClosing();
  Flush();
}

size_t E2kWriter::EstimateSize() {
  // About 160 bytes per object line and per load line it usually carries.
  constexpr size_t kPerItem = 160;
  CBMMgrSys* sys = module_.get_pMgrGeometry();
  size_t items = 0;
  auto add = [&items](CBMComponentList* list) {
    if (list) items += static_cast<size_t>(list->GetCount());
  };
  add(sys->get_pPointList());
  add(sys->get_pLineList());
  add(sys->get_pAreaList());
  if (CBMLevelList* levels = sys->get_pLevelList()) {
    for (int i = 1; i <= levels->GetCount(); ++i) {
      CBMComponent* item = levels->GetItem(i);
      if (!item || !item->IsKindOf(RUNTIME_CLASS(CBMLevel))) continue;
      CBMLevel* level = static_cast<CBMLevel*>(item);
      add(level->get_theCBMJointList());
      items += 2 * static_cast<size_t>(level->get_theCBMBeamList()->GetCount());
      add(level->get_theCBMColumnList());
      items += 2 * static_cast<size_t>(level->get_theCBMBraceList()->GetCount());
      add(level->get_theCBMWallList());
      items += 2 * static_cast<size_t>(level->get_theCBMSlabList()->GetCount());
    }
  }
  return (size_t{4} << 10) + items * kPerItem;
}

void E2kWriter::WriteHeaderAndControls() {
  std::string& out = buffer_;
  // Block 1: header.
  Put(out, "$  File saved by Vorlan \n\n");
  // Block 2: program information.
  Put(out, "$PROGRAM INFORMATION\n");
  Put(out, " PROGRAM  \"ETABS\"  VERSION \"8.48\"\n\n");
  // Block 3: controls with the unit words.
  Put(out, "$CONTROLS \n UNITS ");
  CBMUnitSystem* units = module_.get_pUnitSystem();
  e2k::PutQuoted(out, units ? units->get_csForceUnit() : CString());
  out += ' ';
  e2k::PutQuoted(out, units ? units->get_csLengthUnit() : CString());
  out += '\n';
  Put(out, "TITLE1  \"ttl\"\n");
  Put(out, "PREFERENCE  MERGETOL .001\n\n");
}

void E2kWriter::WriteStories() {
  std::string& out = buffer_;
  CBMMgrSys* sys = module_.get_pMgrGeometry();
  // Block 4: storeys from the top (last level) down to the base.
  Put(out, "$STORIES--IN SEQUENCE FROM TOP\n");
  if (CBMLevelList* levels = sys->get_pLevelList()) {
    for (int i = levels->GetCount(); i >= 1; --i) {
      CBMLevel* level = static_cast<CBMLevel*>(levels->GetItem(i));
      if (!level || !level->IsKindOf(RUNTIME_CLASS(CBMLevel))) {
        ++report_.invalidItems;
        continue;
      }
      Put(out, " STORY ");
      e2k::PutQuoted(out, level->name());
      if (level->name() == e2k::kBaseLevel) {
        Put(out, "  ELEV ");
        e2k::PutF(out, level->get_EleHeight());
      } else {
        Put(out, "  HEIGHT ");
        e2k::PutF(out, level->get_Height());
      }
      Put(out, " \n");
    }
  }
  out += '\n';
  // Block 5: model-wide diaphragm names.
  Put(out, "$ DIAPHRAGM NAMES\n");
  ForEach<CBMDiaphragm>(sys->get_pDiaphragmList(), &report_,
                        [&](CBMDiaphragm& d) { e2k::AppendDiaphragm(out, d); });
  out += '\n';
  MaybeFlush();
}

void E2kWriter::WriteDefinitions() {
  std::string& out = buffer_;
  CBMMgrSys* sys = module_.get_pMgrGeometry();
  // Block 6.
  Put(out, "$ MATERIAL PROPERTIES\n");
  ForEach<CBMMaterial>(sys->get_pMaterialList(), &report_, [&](CBMMaterial& m) {
    e2k::AppendMaterial(out, m);
    MaybeFlush();
  });
  out += '\n';
  // Block 7.
  Put(out, "$ FRAME SECTIONS\n");
  ForEach<CBMFrameSection>(sys->get_pFrameSectionList(), &report_, [&](CBMFrameSection& s) {
    e2k::AppendFrameSection(out, s, &report_);
    MaybeFlush();
  });
  out += '\n';
  // Block 8.
  Put(out, "$ WALL/SLAB/DECK PROPERTIES \n");
  ForEach<CBMWallSlabDeckSection>(sys->get_pWallSlabDeckSectionList(), &report_,
                                  [&](CBMWallSlabDeckSection& s) {
                                    e2k::AppendShellSection(out, s, &report_);
                                    MaybeFlush();
                                  });
  out += '\n';
  // Block 9.
  Put(out, "$ LINK PROPERTIES\n");
  ForEach<CBMLink>(sys->get_pLinkList(), &report_, [&](CBMLink& l) {
    e2k::AppendLink(out, l);
    MaybeFlush();
  });
  out += '\n';
  // Block 10.
  Put(out, "$ PIER/SPANDREL NAMES\n");
  ForEach<CBMPierSpandrel>(sys->get_pPierSpandrelList(), &report_, [&](CBMPierSpandrel& p) {
    e2k::AppendPierSpandrel(out, p);
    MaybeFlush();
  });
  out += '\n';
}

void E2kWriter::WriteConnectivities() {
  std::string& out = buffer_;
  CBMMgrSys* sys = module_.get_pMgrGeometry();
  // Block 11.
  Put(out, "$ POINT COORDINATES\n");
  ForEach<CBMPoint>(sys->get_pPointList(), &report_, [&](CBMPoint& p) {
    e2k::AppendPoint(out, p);
    MaybeFlush();
  });
  out += '\n';
  // Block 12.
  Put(out, "$ LINE CONNECTIVITIES\n");
  ForEach<CBMLine>(sys->get_pLineList(), &report_, [&](CBMLine& l) {
    e2k::AppendLine(out, l, &report_);
    MaybeFlush();
  });
  out += '\n';
  // Block 13.
  Put(out, "$ Area CONNECTIVITIES\n");
  ForEach<CBMArea>(sys->get_pAreaList(), &report_, [&](CBMArea& a) {
    e2k::AppendArea(out, a, &report_);
    MaybeFlush();
  });
  out += '\n';
}

void E2kWriter::WriteAssignments() {
  std::string& out = buffer_;
  CBMLevelList* levels = module_.get_pMgrGeometry()->get_pLevelList();
  // Block 14: per level, its joints.
  Put(out, "$ Point Assignment\n");
  ForEach<CBMLevel>(levels, nullptr, [&](CBMLevel& level) {
    ForEach<CBMJoint>(level.get_theCBMJointList(), &report_, [&](CBMJoint& j) {
      e2k::AppendPointAssign(out, j, level.name(), &report_);
      MaybeFlush();
    });
  });
  out += '\n';
  // Block 15: every level's beams, then every level's columns, then every
  // level's braces.
  Put(out, "$ Line Assignment\n");
  auto lineAssign = [&](CBMLevel& level, CBMComponentList* list) {
    ForEach<CBMLineElement>(list, &report_, [&](CBMLineElement& e) {
      e2k::AppendLineAssign(out, e, level.name(), &report_);
      MaybeFlush();
    });
  };
  ForEach<CBMLevel>(levels, nullptr, [&](CBMLevel& l) { lineAssign(l, l.get_theCBMBeamList()); });
  ForEach<CBMLevel>(levels, nullptr, [&](CBMLevel& l) { lineAssign(l, l.get_theCBMColumnList()); });
  ForEach<CBMLevel>(levels, nullptr, [&](CBMLevel& l) { lineAssign(l, l.get_theCBMBraceList()); });
  out += '\n';
  // Block 16: every level's walls, then every level's slabs.
  Put(out, "$ AREA ASSIGNS\n");
  ForEach<CBMLevel>(levels, nullptr, [&](CBMLevel& level) {
    ForEach<CBMWall>(level.get_theCBMWallList(), &report_, [&](CBMWall& w) {
      e2k::AppendWallAssign(out, w, level.name(), &report_);
      MaybeFlush();
    });
  });
  ForEach<CBMLevel>(levels, nullptr, [&](CBMLevel& level) {
    ForEach<CBMSlab>(level.get_theCBMSlabList(), &report_, [&](CBMSlab& s) {
      e2k::AppendSlabAssign(out, s, level.name(), &report_);
      MaybeFlush();
    });
  });
  out += '\n';
}

void E2kWriter::WriteLoads() {
  std::string& out = buffer_;
  CBMMgrSys* sys = module_.get_pMgrGeometry();
  CBMLevelList* levels = sys->get_pLevelList();
  // Block 17: every case's LOADCASE line, then every case's wind lines.
  Put(out, "$ LOAD CASE \n");
  CBMLoadCaseList* cases = sys->GetLoadCaseList();
  ForEach<CBMLoadCase>(cases, &report_, [&](CBMLoadCase& c) { e2k::AppendLoadCase(out, c); });
  ForEach<CBMLoadCase>(cases, nullptr, [&](CBMLoadCase& c) {
    e2k::AppendLoadCaseWinds(out, c, &report_);
    MaybeFlush();
  });
  out += '\n';
  // Block 18: per level, its joints' loads.
  Put(out, "$ POINT OBJECT LOADS\n");
  ForEach<CBMLevel>(levels, nullptr, [&](CBMLevel& level) {
    ForEach<CBMJoint>(level.get_theCBMJointList(), nullptr, [&](CBMJoint& j) {
      e2k::AppendJointLoads(out, j, level.name(), &report_);
      MaybeFlush();
    });
  });
  out += '\n';
  // Block 19: per level, its beams' then its braces' loads (columns are not
  // written).
  Put(out, "$ $ LINE OBJECT LOADS\n");
  ForEach<CBMLevel>(levels, nullptr, [&](CBMLevel& level) {
    auto loads = [&](CBMLineElement& e) {
      e2k::AppendLineElementLoads(out, e, level.name(), &report_);
      MaybeFlush();
    };
    ForEach<CBMLineElement>(level.get_theCBMBeamList(), nullptr, loads);
    ForEach<CBMLineElement>(level.get_theCBMBraceList(), nullptr, loads);
  });
  out += '\n';
  // Block 20: per level, its slabs' area loads (walls' are not written).
  Put(out, "$ AREA OBJECT LOADS\n");
  ForEach<CBMLevel>(levels, nullptr, [&](CBMLevel& level) {
    ForEach<CBMSlab>(level.get_theCBMSlabList(), nullptr, [&](CBMSlab& s) {
      e2k::AppendShellLoads(out, s, level.name(), &report_);
      MaybeFlush();
    });
  });
  out += '\n';
}

void E2kWriter::WriteClosing() {
  std::string& out = buffer_;
  // Block 21: fixed analysis options; the model's analysis-option object has
  // its own text (CBMAnalysisOption::GetETABSString) and is not consulted.
  Put(out, "$ ANALYSIS OPTIONS\n");
  Put(out, "ACTIVEDOF \"UX UY UZ RX RY RZ\" \n");
  Put(out,
      "DYNAMICS  MODES 3  MODETYPE \"EIGEN\"  TOL .0000001\n"
      "MASSOPTIONS  GRAVITY 9.80665  SOURCE \"MASS\"  LATERALONLY \"YES\"    STORYLEVELONLY \"YES\"\n");
  out += '\n';
  // Block 22: closing lines; the file ends without a line end.
  Put(out, "$ LOG\n");
  Put(out, "STARTCOMMENTS \n");
  Put(out, " ENDCOMMENTS  \n END\n$End of Model file!");
}

std::string GenerateETABS8Text(CBuildingModule& module, WriteReport* report) {
  E2kWriter writer(module, nullptr);
  writer.Write();
  if (report) *report = writer.report();
  return writer.TakeText();
}

}  // namespace bm
