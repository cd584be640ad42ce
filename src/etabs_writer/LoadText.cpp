// Text of the load blocks (load cases and wind, point, line and area loads)
// and of the combination and analysis-option lines that a host may write.
#include "e2k_format/E2kKeywords.h"
#include "etabs_writer/E2kText.h"
#include "etabs_writer/MemberWalk.h"
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
  Put(out, "%q %q FX %f FY %f MZ %f XLOC %f YLOC %f", w.get_sLevel(), w.get_sDiaph(), w.get_Fx(), w.get_Fy(),
      w.get_Mz(), w.get_XLoc(), w.get_YLoc());
}

// Joint loads and point loads share their fields and their text.
void AppendJointLoad(std::string& out, const bm::VectorLoad& l) {
  Put(out, " TYPE %q LC %q  FX %f FY %f  FZ %f RX %f RY %f RZ %f", l.get_sType(), l.get_Lc(), l.get_FX(),
      l.get_FY(), l.get_FZ(), l.get_MX(), l.get_MY(), l.get_MZ());
}

void AppendLineLoad(std::string& out, const CBMLineLoad& l) {
  const CString& type = l.get_sType();
  if (type == kUniform) {
    Put(out, " TYPE %q  DIR %q LC %q  FVAL %10.6f", kUniform, l.get_sDir(), l.get_Lc(), l.get_UniformV());
  } else if (type == kTrapezoidal) {
    Put(out, " TYPE %q DIR %q  LC %q FSTART %10.6f FEND %10.6f RDSTART %10.6f  RDEND %10.6f", kTrapezoidal,
        l.get_sDir(), l.get_Lc(), l.get_VStart(), l.get_VEnd(), l.get_RStart(), l.get_REnd());
  } else if (type == kPointForce) {
    Put(out, " TYPE %q DIR %q  LC %q FVAL %10.6f RDIST  %10.6f ", kPointForce, l.get_sDir(), l.get_Lc(),
        l.get_VStart(), l.get_RStart());
  }
  // Legacy: any other type word gives no text; its LINELOAD line still
  // appears, ending after the level name and one space.
}

void AppendAreaLoad(std::string& out, const CBMAreaLoad& l) {
  // Legacy: only uniform loads have text; "TRAPF" and any other word give
  // an AREALOAD line that ends after the level name and one space.
  if (l.get_sType() != kUniform) return;
  Put(out, " TYPE %q  DIR %q LC %q  FVAL %f", kUniform, l.get_sDir(), l.get_Lc(), l.get_Value());
}

void AppendCombination(std::string& out, const CBMLoadCom& com) {
  Put(out, "%s %q  TYPE %q\n", kCombo, com.name(), com.get_sType());
  ForEach<CBMLoadComItem>(com.get_CombineList(), nullptr, [&](const CBMLoadComItem& term) {
    Put(out, "%s %q  LOAD %q  SF %f\n", kCombo, com.name(), term.get_CaseName(), term.get_Factor());
  });
}

void AppendAnalysisOption(std::string& out, const CBMAnalysisOption& o) {
  Put(out, "%s \"", kActiveDof);
  const bool flags[6] = {o.get_bUx(), o.get_bUy(), o.get_bUz(), o.get_bRx(), o.get_bRy(), o.get_bRz()};
  for (int i = 0; i < 6; ++i) {
    if (flags[i]) Put(out, "%s ", kJointDofWords[i]);
  }
  Put(out, "\"\n");
  Put(out,
      "%s MODES %d MODETYPE \"RITZ\" INCLUDEVECTORS \"YES\" ACCELX \"YES\" ACCELY \"YES\" ACCELZ \"YES\" \n"
      " %s  GRAVITY 9.81  SOURCE \"MASS\"  LATERALONLY \"YES\"    STORYLEVELONLY \"YES\" \n",
      kDynamics, o.get_iDMode(), kMassOptions);
}

// Appends the WIND lines of one load case (the kind line, then one line per
// wind load) and calls `lineDone()` after each. Nothing for a case with an
// empty wind list; a list of only empty entries still gives the kind line.
template <typename LineDone>
void WindLines(const CBMLoadCase& c, WriteReport* report, std::string& out, LineDone&& lineDone) {
  const CBMComponentList* winds = c.GetWindList();
  if (winds->GetCount() == 0) return;
  Put(out, "%s %q %q\n", kWind, c.name(), kUser);
  lineDone();
  ForEach<CBMLoadWind>(winds, report, [&](const CBMLoadWind& w) {
    Put(out, "%s %q %s ", kWind, c.name(), kUserLoad);
    AppendWind(out, w);
    out += '\n';
    lineDone();
  });
}

// One line per load of class Load in `loads`: `format` (the keyword, the
// member's and the level's name) then the load's own text.
template <typename Load, typename Text>
void AppendLoadLines(std::string& out, const CBMComponentList* loads, const char* format, const char* keyword,
                     const CString& name, const CString& levelName, WriteReport* report, Text text) {
  ForEach<Load>(loads, report, [&](const Load& load) {
    Put(out, format, keyword, name, levelName);
    text(out, load);
    out += '\n';
  });
}

}  // namespace

VectorLoad* MemberAs(const CBMComponentList& list, int i, VectorLoad* /*tag*/) {
  if (VectorLoad* load = list.ItemAs<CBMJointLoad>(i)) return load;
  return list.ItemAs<CBMPointLoad>(i);
}

void AppendLoadCase(std::string& out, const CBMLoadCase& c) {
  Put(out, "%s %q TYPE %q SELFWEIGHT %f\n", kLoadCase, c.name(), c.get_sType(), c.get_fSelfW());
}

void AppendLoadCaseWinds(std::string& out, const CBMLoadCase& c, WriteReport* report) {
  WindLines(c, report, out, [] {});
}

void AppendJointLoads(std::string& out, CBMJoint& joint, const CString& levelName, WriteReport* report) {
  AppendLoadLines<bm::VectorLoad>(out, &joint.JointLoads(), "  %s   %q  %q ", kPointLoad, joint.name(),
                                  levelName, report, AppendJointLoad);
}

void AppendLineElementLoads(std::string& out, CBMLineElement& element, const CString& levelName,
                            WriteReport* report) {
  AppendLoadLines<CBMLineLoad>(out, &element.LineLoads(), " %s  %q  %q ", kLineLoad, element.name(),
                               levelName, report, AppendLineLoad);
}

void AppendShellLoads(std::string& out, CBMShellElement& element, const CString& levelName,
                      WriteReport* report) {
  AppendLoadLines<CBMAreaLoad>(out, &element.SlabLoads(), " %s  %q  %q ", kAreaLoad, element.name(),
                               levelName, report, AppendAreaLoad);
}

}  // namespace e2k
}  // namespace bm

// The entities' own text operations return what the appenders produce.

CString CBMLoadWind::GetEtabs8String() const { return bm::e2k::TextOf(bm::e2k::AppendWind, *this); }

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
  bm::e2k::WindLines(*this, nullptr, out, [&] {
    file.WriteString(out);
    out.clear();
  });
}

void CBMLoadCaseList::ExportEtabs8(CStdioFile& file) const {
  file.WriteString(std::string("\n") + bm::e2k::kHeadingStaticLoadCases + "\n");
  bm::e2k::ForEach<CBMLoadCase>(this, nullptr, [&](const CBMLoadCase& c) { c.ExportEtabs8(file); });
  bm::e2k::ForEach<CBMLoadCase>(this, nullptr, [&](const CBMLoadCase& c) { c.ExportEtabs8WindList(file); });
}

CString bm::VectorLoad::GetEtabs8String() const { return bm::e2k::TextOf(bm::e2k::AppendJointLoad, *this); }

CString CBMLineLoad::GetEtabs8String() const { return bm::e2k::TextOf(bm::e2k::AppendLineLoad, *this); }

CString CBMAreaLoad::GetEtabs8String() const { return bm::e2k::TextOf(bm::e2k::AppendAreaLoad, *this); }

CString CBMJoint::GetLoadEtabsString(CString levelName) {
  return bm::e2k::TextOf(bm::e2k::AppendJointLoads, *this, levelName, nullptr);
}

CString CBMLineElement::GetLoadEtabsString(CString levelName) {
  return bm::e2k::TextOf(bm::e2k::AppendLineElementLoads, *this, levelName, nullptr);
}

CString CBMShellElement::GetLoadETABSString(CString levelName) {
  return bm::e2k::TextOf(bm::e2k::AppendShellLoads, *this, levelName, nullptr);
}

CString CBMLoadCom::GetETABSString() const { return bm::e2k::TextOf(bm::e2k::AppendCombination, *this); }

CString CBMAnalysisOption::GetETABSString() const {
  return bm::e2k::TextOf(bm::e2k::AppendAnalysisOption, *this);
}
