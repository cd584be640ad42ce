// The ETABS 8 text writer: file frame, header, controls, storeys, diaphragm
// names, the fixed analysis options and the closing lines; the entity blocks
// come from the appenders of E2kText.h.
#include "etabs_writer/E2kWriter.h"

#include <utility>

#include "e2k_format/E2kKeywords.h"
#include "etabs_writer/E2kText.h"
#include "etabs_writer/MemberWalk.h"
#include "model/BuildingModule.h"

namespace bm {

using e2k::ForEach;
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
  ForEach<CBMLevel>(sys->get_pLevelList(), nullptr, [&](CBMLevel& level) {
    add(level.get_theCBMJointList());
    items += 2 * static_cast<size_t>(level.get_theCBMBeamList()->GetCount());
    add(level.get_theCBMColumnList());
    items += 2 * static_cast<size_t>(level.get_theCBMBraceList()->GetCount());
    add(level.get_theCBMWallList());
    items += 2 * static_cast<size_t>(level.get_theCBMSlabList()->GetCount());
  });
  return (size_t{4} << 10) + items * kPerItem;
}

void E2kWriter::WriteHeaderAndControls() {
  std::string& out = buffer_;
  // Block 1: header.
  Put(out, "%s\n\n", e2k::kHeadingFileSaved);
  // Block 2: program information.
  Put(out, "%s\n", e2k::kHeadingProgram);
  Put(out, " %s  \"ETABS\"  VERSION \"8.48\"\n\n", e2k::kProgram);
  // Block 3: controls with the unit words.
  CBMUnitSystem* units = module_.get_pUnitSystem();
  Put(out, "%s\n %s %q %q\n", e2k::kHeadingControls, e2k::kUnits,
      units ? units->get_csForceUnit() : CString(), units ? units->get_csLengthUnit() : CString());
  Put(out, "%s  \"ttl\"\n", e2k::kTitle1);
  Put(out, "%s  MERGETOL .001\n\n", e2k::kPreference);
}

void E2kWriter::WriteStories() {
  std::string& out = buffer_;
  CBMMgrSys* sys = module_.get_pMgrGeometry();
  // Block 4: storeys from the top (last level) down to the base.
  Put(out, "%s\n", e2k::kHeadingStories);
  if (CBMLevelList* levels = sys->get_pLevelList()) {
    for (int i = levels->GetCount(); i >= 1; --i) {
      CBMLevel* level = levels->ItemAs<CBMLevel>(i);
      if (!level) {
        ++report_.invalidItems;
      } else if (level->name() == e2k::kBaseLevel) {
        Put(out, " %s %q  ELEV %f \n", e2k::kStory, level->name(), level->get_EleHeight());
      } else {
        Put(out, " %s %q  HEIGHT %f \n", e2k::kStory, level->name(), level->get_Height());
      }
    }
  }
  out += '\n';
  // Block 5: model-wide diaphragm names.
  Put(out, "%s\n", e2k::kHeadingDiaphragms);
  ForEach<CBMDiaphragm>(sys->get_pDiaphragmList(), &report_,
                        [&](CBMDiaphragm& d) { e2k::AppendDiaphragm(out, d); });
  out += '\n';
  MaybeFlush();
}

void E2kWriter::WriteDefinitions() {
  std::string& out = buffer_;
  CBMMgrSys* sys = module_.get_pMgrGeometry();
  // Block 6.
  Put(out, "%s\n", e2k::kHeadingMaterials);
  ForEach<CBMMaterial>(sys->get_pMaterialList(), &report_, [&](CBMMaterial& m) {
    e2k::AppendMaterial(out, m);
    MaybeFlush();
  });
  out += '\n';
  // Block 7.
  Put(out, "%s\n", e2k::kHeadingFrameSections);
  ForEach<CBMFrameSection>(sys->get_pFrameSectionList(), &report_, [&](CBMFrameSection& s) {
    e2k::AppendFrameSection(out, s, &report_);
    MaybeFlush();
  });
  out += '\n';
  // Block 8.
  Put(out, "%s\n", e2k::kHeadingShellProps);
  ForEach<CBMWallSlabDeckSection>(sys->get_pWallSlabDeckSectionList(), &report_,
                                  [&](CBMWallSlabDeckSection& s) {
                                    e2k::AppendShellSection(out, s, &report_);
                                    MaybeFlush();
                                  });
  out += '\n';
  // Block 9.
  Put(out, "%s\n", e2k::kHeadingLinkProps);
  ForEach<CBMLink>(sys->get_pLinkList(), &report_, [&](CBMLink& l) {
    e2k::AppendLink(out, l);
    MaybeFlush();
  });
  out += '\n';
  // Block 10.
  Put(out, "%s\n", e2k::kHeadingPierSpandrel);
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
  Put(out, "%s\n", e2k::kHeadingPoints);
  ForEach<CBMPoint>(sys->get_pPointList(), &report_, [&](CBMPoint& p) {
    e2k::AppendPoint(out, p);
    MaybeFlush();
  });
  out += '\n';
  // Block 12.
  Put(out, "%s\n", e2k::kHeadingLines);
  ForEach<CBMLine>(sys->get_pLineList(), &report_, [&](CBMLine& l) {
    e2k::AppendLine(out, l, &report_);
    MaybeFlush();
  });
  out += '\n';
  // Block 13.
  Put(out, "%s\n", e2k::kHeadingAreas);
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
  Put(out, "%s\n", e2k::kHeadingPointAssigns);
  ForEach<CBMLevel>(levels, nullptr, [&](CBMLevel& level) {
    ForEach<CBMJoint>(level.get_theCBMJointList(), &report_, [&](CBMJoint& j) {
      e2k::AppendPointAssign(out, j, level.name(), &report_);
      MaybeFlush();
    });
  });
  out += '\n';
  // Block 15: every level's beams, then every level's columns, then every
  // level's braces.
  Put(out, "%s\n", e2k::kHeadingLineAssigns);
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
  Put(out, "%s\n", e2k::kHeadingAreaAssigns);
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
  Put(out, "%s\n", e2k::kHeadingLoadCases);
  CBMLoadCaseList* cases = sys->GetLoadCaseList();
  ForEach<CBMLoadCase>(cases, &report_, [&](CBMLoadCase& c) { e2k::AppendLoadCase(out, c); });
  ForEach<CBMLoadCase>(cases, nullptr, [&](CBMLoadCase& c) {
    e2k::AppendLoadCaseWinds(out, c, &report_);
    MaybeFlush();
  });
  out += '\n';
  // Block 18: per level, its joints' loads.
  Put(out, "%s\n", e2k::kHeadingPointLoads);
  ForEach<CBMLevel>(levels, nullptr, [&](CBMLevel& level) {
    ForEach<CBMJoint>(level.get_theCBMJointList(), nullptr, [&](CBMJoint& j) {
      e2k::AppendJointLoads(out, j, level.name(), &report_);
      MaybeFlush();
    });
  });
  out += '\n';
  // Block 19: per level, its beams' then its braces' loads (columns are not
  // written).
  Put(out, "%s\n", e2k::kHeadingLineLoads);
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
  Put(out, "%s\n", e2k::kHeadingAreaLoads);
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
  Put(out, "%s\n", e2k::kHeadingAnalysisOptions);
  Put(out, "%s \"UX UY UZ RX RY RZ\" \n", e2k::kActiveDof);
  Put(out, "%s  MODES 3  MODETYPE \"EIGEN\"  TOL .0000001\n", e2k::kDynamics);
  Put(out, "%s  GRAVITY 9.80665  SOURCE \"MASS\"  LATERALONLY \"YES\"    STORYLEVELONLY \"YES\"\n\n",
      e2k::kMassOptions);
  // Block 22: closing lines; the file ends without a line end.
  Put(out, "%s\n", e2k::kHeadingLog);
  Put(out, "%s \n %s  \n %s\n%s", e2k::kStartComments, e2k::kEndComments, e2k::kEnd, e2k::kEndOfModel);
}

std::string GenerateETABS8Text(CBuildingModule& module, WriteReport* report) {
  E2kWriter writer(module, nullptr);
  writer.Write();
  if (report) *report = writer.report();
  return writer.TakeText();
}

}  // namespace bm
