// Text of the load blocks (load cases and wind, point, line and area loads)
// and of the combination and analysis-option lines that a host may write.
#include "etabs_writer/E2kText.h"

#include "e2k_format/E2kKeywords.h"
#include "etabs_writer/WriteReport.h"
#include "loads/BMAnalysisOption.h"
#include "loads/BMLoadCase.h"
#include "loads/BMLoadCom.h"
#include "loads/BMMemberLoad.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMShellElement.h"
#include "platform/File.h"

namespace bm {
namespace e2k {
namespace {

void AppendWind(std::string& out, const CBMLoadWind& w) {
  PutQuoted(out, w.get_sLevel());
  out += ' ';
  PutQuoted(out, w.get_sDiaph());
  Put(out, " FX ");
  PutF(out, w.get_Fx());
  Put(out, " FY ");
  PutF(out, w.get_Fy());
  Put(out, " MZ ");
  PutF(out, w.get_Mz());
  Put(out, " XLOC ");
  PutF(out, w.get_XLoc());
  Put(out, " YLOC ");
  PutF(out, w.get_YLoc());
}

// Joint loads and point loads share their fields and their text.
void AppendJointLoad(std::string& out, const bm::VectorLoad& l) {
  Put(out, " TYPE ");
  PutQuoted(out, l.get_sType());
  Put(out, " LC ");
  PutQuoted(out, l.get_Lc());
  Put(out, "  FX ");
  PutF(out, l.get_FX());
  Put(out, " FY ");
  PutF(out, l.get_FY());
  Put(out, "  FZ ");
  PutF(out, l.get_FZ());
  Put(out, " RX ");
  PutF(out, l.get_MX());
  Put(out, " RY ");
  PutF(out, l.get_MY());
  Put(out, " RZ ");
  PutF(out, l.get_MZ());
}

void AppendLineLoad(std::string& out, const CBMLineLoad& l) {
  const CString& type = l.get_sType();
  if (type == kUniform) {
    Put(out, " TYPE \"UNIFF\"  DIR ");
    PutQuoted(out, l.get_sDir());
    Put(out, " LC ");
    PutQuoted(out, l.get_Lc());
    Put(out, "  FVAL ");
    PutF10(out, l.get_UniformV());
  } else if (type == kTrapezoidal) {
    Put(out, " TYPE \"TRAPF\" DIR ");
    PutQuoted(out, l.get_sDir());
    Put(out, "  LC ");
    PutQuoted(out, l.get_Lc());
    Put(out, " FSTART ");
    PutF10(out, l.get_VStart());
    Put(out, " FEND ");
    PutF10(out, l.get_VEnd());
    Put(out, " RDSTART ");
    PutF10(out, l.get_RStart());
    Put(out, "  RDEND ");
    PutF10(out, l.get_REnd());
  } else if (type == kPointForce) {
    Put(out, " TYPE \"POINTF\" DIR ");
    PutQuoted(out, l.get_sDir());
    Put(out, "  LC ");
    PutQuoted(out, l.get_Lc());
    Put(out, " FVAL ");
    PutF10(out, l.get_VStart());
    Put(out, " RDIST  ");
    PutF10(out, l.get_RStart());
    out += ' ';
  }
  // Legacy: any other type word gives no text; its LINELOAD line still
  // appears, ending after the level name and one space.
}

void AppendAreaLoad(std::string& out, const CBMAreaLoad& l) {
  // Legacy: only uniform loads have text; "TRAPF" and any other word give
  // an AREALOAD line that ends after the level name and one space.
  if (l.get_sType() != kUniform) return;
  Put(out, " TYPE \"UNIFF\"  DIR ");
  PutQuoted(out, l.get_sDir());
  Put(out, " LC ");
  PutQuoted(out, l.get_Lc());
  Put(out, "  FVAL ");
  PutF(out, l.get_Value());
}

void AppendCombination(std::string& out, const CBMLoadCom& com) {
  Put(out, "COMBO ");
  PutQuoted(out, com.name());
  Put(out, "  TYPE ");
  PutQuoted(out, com.get_sType());
  out += '\n';
  const CBMComponentList* items = com.get_CombineList();
  const int n = items->GetCount();
  for (int i = 1; i <= n; ++i) {
    CBMComponent* item = items->GetItem(i);
    if (!item || !item->IsKindOf(RUNTIME_CLASS(CBMLoadComItem))) continue;
    const CBMLoadComItem& term = *static_cast<CBMLoadComItem*>(item);
    Put(out, "COMBO ");
    PutQuoted(out, com.name());
    Put(out, "  LOAD ");
    PutQuoted(out, term.get_CaseName());
    Put(out, "  SF ");
    PutF(out, term.get_Factor());
    out += '\n';
  }
}

void AppendAnalysisOption(std::string& out, const CBMAnalysisOption& o) {
  Put(out, "ACTIVEDOF \"");
  const bool flags[6] = {o.get_bUx(), o.get_bUy(), o.get_bUz(), o.get_bRx(), o.get_bRy(), o.get_bRz()};
  for (int i = 0; i < 6; ++i) {
    if (!flags[i]) continue;
    out.append(kJointDofWords[i]);
    out += ' ';
  }
  Put(out, "\"\n");
  Put(out, "DYNAMICS MODES ");
  PutI(out, o.get_iDMode());
  Put(out, " MODETYPE \"RITZ\" INCLUDEVECTORS \"YES\" ACCELX \"YES\" ACCELY \"YES\" ACCELZ \"YES\" \n");
  Put(out, " MASSOPTIONS  GRAVITY 9.81  SOURCE \"MASS\"  LATERALONLY \"YES\"    STORYLEVELONLY \"YES\" \n");
}

}  // namespace

void AppendLoadCase(std::string& out, const CBMLoadCase& c) {
  Put(out, "LOADCASE ");
  PutQuoted(out, c.name());
  Put(out, " TYPE ");
  PutQuoted(out, c.get_sType());
  Put(out, " SELFWEIGHT ");
  PutF(out, c.get_fSelfW());
  out += '\n';
}

void AppendLoadCaseWinds(std::string& out, const CBMLoadCase& c, WriteReport* report) {
  const CBMComponentList* winds = c.GetWindList();
  const int n = winds->GetCount();
  if (n == 0) return;
  Put(out, "WIND ");
  PutQuoted(out, c.name());
  Put(out, " \"USER\"\n");
  for (int i = 1; i <= n; ++i) {
    CBMComponent* item = winds->GetItem(i);
    if (!item || !item->IsKindOf(RUNTIME_CLASS(CBMLoadWind))) {
      if (report) ++report->invalidItems;
      continue;
    }
    Put(out, "WIND ");
    PutQuoted(out, c.name());
    Put(out, " USERLOAD ");
    AppendWind(out, *static_cast<CBMLoadWind*>(item));
    out += '\n';
  }
}

void AppendJointLoads(std::string& out, CBMJoint& joint, const CString& levelName, WriteReport* report) {
  CBMComponentList* loads = joint.get_JointLoadList();
  const int n = loads->GetCount();
  for (int i = 1; i <= n; ++i) {
    CBMComponent* item = loads->GetItem(i);
    const bool vectorLoad =
        item && (item->IsKindOf(RUNTIME_CLASS(CBMJointLoad)) || item->IsKindOf(RUNTIME_CLASS(CBMPointLoad)));
    if (!vectorLoad) {
      if (report) ++report->invalidItems;
      continue;
    }
    Put(out, "  POINTLOAD   ");
    PutQuoted(out, joint.name());
    Put(out, "  ");
    PutQuoted(out, levelName);
    out += ' ';
    AppendJointLoad(out, *static_cast<bm::VectorLoad*>(item));
    out += '\n';
  }
}

void AppendLineElementLoads(std::string& out, CBMLineElement& element, const CString& levelName,
                            WriteReport* report) {
  CBMComponentList* loads = element.Get_LineLoadList();
  const int n = loads->GetCount();
  for (int i = 1; i <= n; ++i) {
    CBMComponent* item = loads->GetItem(i);
    if (!item || !item->IsKindOf(RUNTIME_CLASS(CBMLineLoad))) {
      if (report) ++report->invalidItems;
      continue;
    }
    Put(out, " LINELOAD  ");
    PutQuoted(out, element.name());
    Put(out, "  ");
    PutQuoted(out, levelName);
    out += ' ';
    AppendLineLoad(out, *static_cast<CBMLineLoad*>(item));
    out += '\n';
  }
}

void AppendShellLoads(std::string& out, CBMShellElement& element, const CString& levelName,
                      WriteReport* report) {
  CBMComponentList* loads = element.get_SlabLoadList();
  const int n = loads->GetCount();
  for (int i = 1; i <= n; ++i) {
    CBMComponent* item = loads->GetItem(i);
    if (!item || !item->IsKindOf(RUNTIME_CLASS(CBMAreaLoad))) {
      if (report) ++report->invalidItems;
      continue;
    }
    Put(out, " AREALOAD  ");
    PutQuoted(out, element.name());
    Put(out, "  ");
    PutQuoted(out, levelName);
    out += ' ';
    AppendAreaLoad(out, *static_cast<CBMAreaLoad*>(item));
    out += '\n';
  }
}

}  // namespace e2k
}  // namespace bm

// The entities' own text operations return what the appenders produce.

CString CBMLoadWind::GetEtabs8String() const {
  std::string out;
  bm::e2k::AppendWind(out, *this);
  return CString(std::move(out));
}

// A load case has no line of its own; ExportEtabs8 writes its lines.
CString CBMLoadCase::GetETABSString() const { return CString(); }

void CBMLoadCase::ExportEtabs8(CStdioFile& file) const {
  std::string out;
  bm::e2k::AppendLoadCase(out, *this);
  file.WriteString(out);
}

void CBMLoadCase::ExportEtabs8WindList(CStdioFile& file) const {
  // One WriteString per line, as the file's other writers do.
  std::string out;
  const CBMComponentList* winds = GetWindList();
  const int n = winds->GetCount();
  if (n == 0) return;
  bm::e2k::Put(out, "WIND ");
  bm::e2k::PutQuoted(out, name());
  bm::e2k::Put(out, " \"USER\"\n");
  file.WriteString(out);
  for (int i = 1; i <= n; ++i) {
    CBMComponent* item = winds->GetItem(i);
    if (!item || !item->IsKindOf(RUNTIME_CLASS(CBMLoadWind))) continue;
    out.clear();
    bm::e2k::Put(out, "WIND ");
    bm::e2k::PutQuoted(out, name());
    bm::e2k::Put(out, " USERLOAD ");
    bm::e2k::AppendWind(out, *static_cast<CBMLoadWind*>(item));
    out += '\n';
    file.WriteString(out);
  }
}

void CBMLoadCaseList::ExportEtabs8(CStdioFile& file) const {
  file.WriteString("\n $ Static Load case\n");
  const int n = GetCount();
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 1; i <= n; ++i) {
      CBMComponent* item = GetItem(i);
      if (!item || !item->IsKindOf(RUNTIME_CLASS(CBMLoadCase))) continue;
      const CBMLoadCase& c = *static_cast<CBMLoadCase*>(item);
      if (pass == 0) {
        c.ExportEtabs8(file);
      } else {
        c.ExportEtabs8WindList(file);
      }
    }
  }
}

CString bm::VectorLoad::GetEtabs8String() const {
  std::string out;
  bm::e2k::AppendJointLoad(out, *this);
  return CString(std::move(out));
}

CString CBMLineLoad::GetEtabs8String() const {
  std::string out;
  bm::e2k::AppendLineLoad(out, *this);
  return CString(std::move(out));
}

CString CBMAreaLoad::GetEtabs8String() const {
  std::string out;
  bm::e2k::AppendAreaLoad(out, *this);
  return CString(std::move(out));
}

CString CBMJoint::GetLoadEtabsString(CString levelName) {
  std::string out;
  bm::e2k::AppendJointLoads(out, *this, levelName, nullptr);
  return CString(std::move(out));
}

CString CBMLineElement::GetLoadEtabsString(CString levelName) {
  std::string out;
  bm::e2k::AppendLineElementLoads(out, *this, levelName, nullptr);
  return CString(std::move(out));
}

CString CBMShellElement::GetLoadETABSString(CString levelName) {
  std::string out;
  bm::e2k::AppendShellLoads(out, *this, levelName, nullptr);
  return CString(std::move(out));
}

CString CBMLoadCom::GetETABSString() const {
  std::string out;
  bm::e2k::AppendCombination(out, *this);
  return CString(std::move(out));
}

CString CBMAnalysisOption::GetETABSString() const {
  std::string out;
  bm::e2k::AppendAnalysisOption(out, *this);
  return CString(std::move(out));
}
