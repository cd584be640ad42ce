// Text of the geometry and assignment blocks: diaphragm names, point
// coordinates, line and area connectivities, point, line and area
// assignments.
#include "etabs_writer/E2kText.h"

#include "e2k_format/E2kKeywords.h"
#include "etabs_writer/WriteReport.h"
#include "model/geometry/BMArea.h"
#include "model/geometry/BMDiaphragm.h"
#include "model/geometry/BMJoint.h"
#include "model/geometry/BMLine.h"
#include "model/geometry/BMLineElement.h"
#include "model/geometry/BMPoint.h"
#include "model/geometry/BMShellElement.h"
#include "platform/MessageBox.h"
#include "properties/BMFrameSection.h"
#include "properties/BMPierSpandrel.h"
#include "properties/BMWallSlabDeckSection.h"

namespace bm {
namespace e2k {

void AppendDiaphragm(std::string& out, CBMDiaphragm& d) {
  Put(out, "DIAPHRAGM ");
  PutQuoted(out, d.name());
  out += '\n';
}

void AppendPoint(std::string& out, CBMPoint& p) {
  Put(out, "POINT ");
  PutQuoted(out, p.name());
  Put(out, "  ");
  PutF(out, p.get_X());
  out += ' ';
  PutF(out, p.get_Y());
  out += ' ';
  if (p.get_IsMidLevel()) {
    PutF(out, p.get_Z());
    out += ' ';
  }
  out += '\n';
}

void AppendLine(std::string& out, CBMLine& line, WriteReport* report) {
  CBMPoint* p1 = line.get_pP1();
  CBMPoint* p2 = line.get_pP2();
  if (!p1 || !p2) {
    // Decision: a line missing an end point cannot be connected; skip it.
    if (report) ++report->linesWithoutPoint;
    return;
  }
  Put(out, " LINE  ");
  PutQuoted(out, line.name());
  Put(out, "  ");
  Put(out, line.GetType());
  Put(out, "  ");
  PutQuoted(out, p1->name());
  Put(out, "  ");
  PutQuoted(out, p2->name());
  Put(out, "  ");
  PutI(out, line.GetPassStory());
  out += '\n';
}

void AppendArea(std::string& out, CBMArea& area, WriteReport* report) {
  const int n = area.GetCount();
  for (int i = 1; i <= n; ++i) {
    if (!area.GetPoint(i)) {
      // Decision: an area with a missing corner cannot be connected.
      if (report) ++report->areasWithoutPoint;
      return;
    }
  }
  Put(out, "AREA ");
  PutQuoted(out, area.name());
  Put(out, "  ");
  Put(out, area.GetAreaType());
  Put(out, "  ");
  PutI(out, n);
  out += ' ';
  for (int i = 1; i <= n; ++i) {
    PutQuoted(out, area.GetPoint(i)->name());
    out += ' ';
  }
  // A corner without a status number reads as 0 (GetPointStatus).
  for (int i = 1; i <= n; ++i) {
    PutI(out, area.GetPointStatus(i));
    out += ' ';
  }
  out += '\n';
}

void AppendRestraint(std::string& out, CBMJointRestraint& r) {
  for (int i = 0; i < 6; ++i) {
    if (r.get_bU(i)) {
      out.append(kJointDofWords[i]);
      out += ' ';
    }
  }
}

void AppendJointText(std::string& out, CBMJoint& joint, WriteReport* report) {
  if (CBMJointRestraint* r = joint.get_pRestraint()) {
    Put(out, "RESTRAINT \"");
    AppendRestraint(out, *r);
    Put(out, "\" ");
  } else if (joint.get_HasRestraint() && report) {
    ++report->restraintsMissing;
  }
  if (CBMLevelDiaphragm* d = joint.get_pDiaphragm()) {
    Put(out, " DIAPH ");
    if (d->name() == kDisconnected) {
      Put(out, d->name());
    } else {
      PutQuoted(out, d->name());
    }
    out += ' ';
  } else if (!joint.get_DiaphragmName().IsEmpty() && report) {
    ++report->diaphragmsMissing;
  }
}

void AppendPointAssign(std::string& out, CBMJoint& joint, const CString& levelName, WriteReport* report) {
  if (!joint.get_pRestraint() && !joint.get_pDiaphragm()) {
    // Nothing to assign; count the objects that a flag promised.
    if (report) {
      if (joint.get_HasRestraint()) ++report->restraintsMissing;
      if (!joint.get_DiaphragmName().IsEmpty()) ++report->diaphragmsMissing;
    }
    return;
  }
  Put(out, " POINTASSIGN  ");
  PutQuoted(out, joint.name());
  Put(out, "  ");
  PutQuoted(out, levelName);
  out += ' ';
  AppendJointText(out, joint, report);
  out += '\n';
}

void AppendRelease(std::string& out, CBMLineRelease& release) {
  Put(out, "RELEASE \" ");
  for (int i = 0; i < 12; ++i) {
    if (release.get_bRelease(i)) {
      out += ' ';
      out.append(kReleaseWords[i]);
    }
  }
  out += '"';
}

void AppendLineElementText(std::string& out, CBMLineElement& e, WriteReport* report) {
  // An element without a line has no kind: it is reported like an unknown one.
  CBMLine* line = e.get_pLine();
  const bool known = line && (line->GetType() == kBeam || line->GetType() == kColumn ||
                              line->GetType() == kBrace);
  if (known) {
    Put(out, "SECTION ");
    CBMFrameSection* section = e.get_pFrameSection();
    PutQuoted(out, section ? section->name() : CString());
    Put(out, "  ANG  ");
    PutF(out, e.get_Angle());
    Put(out, "  MAXSTASPC ");
    PutFixedWidth(out, e.get_MaxSpc(), 6, 3);
  } else {
    if (report) ++report->lineElementsWithBadType;
    AfxMessageBox("Wrong in gereting ETABS8 in line elements");
  }
  if (e.IsRelease()) {
    if (CBMLineRelease* release = e.get_pLineRelease()) {
      Put(out, "  ");
      AppendRelease(out, *release);
    } else if (report) {
      ++report->releasesMissing;
    }
  }
  if (e.get_HasZoneReductionFactor()) {
    Put(out, "  ");
    PutFixedWidth(out, e.get_dZoneReductionFactor(), 5, 3);
  }
}

void AppendLineAssign(std::string& out, CBMLineElement& e, const CString& levelName, WriteReport* report) {
  if (!e.get_pFrameSection()) {
    if (report) ++report->lineElementsWithoutSection;
    return;
  }
  Put(out, " LINEASSIGN  ");
  PutQuoted(out, e.name());
  Put(out, "  ");
  PutQuoted(out, levelName);
  out += ' ';
  AppendLineElementText(out, e, report);
  out += '\n';
}

namespace {

// " SECTION \"%s\"  OBJMESHTYPE \"%s\"", common to slabs and walls.
bool AppendShellHead(std::string& out, CBMShellElement& e, WriteReport* report) {
  CBMWallSlabDeckSection* section = e.get_pShellSection();
  if (!section) {
    // Decision: no section, no assignment text.
    if (report) ++report->shellElementsWithoutSection;
    return false;
  }
  Put(out, " SECTION ");
  PutQuoted(out, section->name());
  Put(out, "  OBJMESHTYPE ");
  PutQuoted(out, e.get_MeshOption());
  return true;
}

}  // namespace

void AppendSlabText(std::string& out, CBMSlab& slab, WriteReport* report) {
  if (!AppendShellHead(out, slab, report)) return;
  if (CBMDiaphragm* d = slab.GetDiaphram()) {
    Put(out, " DIAPH  ");
    PutQuoted(out, d->name());
  } else if (!slab.get_DiaphragmName().IsEmpty() && report) {
    ++report->diaphragmsMissing;
  }
}

void AppendWallText(std::string& out, CBMWall& wall, WriteReport* report) {
  if (!AppendShellHead(out, wall, report)) return;
  if (CBMPierSpandrel* pier = wall.get_pPierSpandrel()) {
    Put(out, " PIER  ");
    PutQuoted(out, pier->name());
  } else if (!wall.get_PierName().IsEmpty() && report) {
    ++report->piersMissing;
  }
}

namespace {

// " AREAASSIGN    \"%s\"  \"%s\" ": the prefix of an area assignment.
void AppendAreaAssignPrefix(std::string& out, const CString& name, const CString& levelName) {
  Put(out, " AREAASSIGN    ");
  PutQuoted(out, name);
  Put(out, "  ");
  PutQuoted(out, levelName);
  out += ' ';
}

}  // namespace

void AppendSlabAssign(std::string& out, CBMSlab& slab, const CString& levelName, WriteReport* report) {
  if (!slab.get_pShellSection()) {
    if (report) ++report->shellElementsWithoutSection;
    return;
  }
  AppendAreaAssignPrefix(out, slab.name(), levelName);
  AppendSlabText(out, slab, report);
  out += '\n';
}

void AppendWallAssign(std::string& out, CBMWall& wall, const CString& levelName, WriteReport* report) {
  if (!wall.get_pShellSection()) {
    if (report) ++report->shellElementsWithoutSection;
    return;
  }
  AppendAreaAssignPrefix(out, wall.name(), levelName);
  AppendWallText(out, wall, report);
  out += '\n';
}

}  // namespace e2k
}  // namespace bm

// The entities' own text operations return what the appenders produce.

CString CBMDiaphragm::GetETABSString() {
  std::string out;
  bm::e2k::AppendDiaphragm(out, *this);
  return CString(std::move(out));
}

CString CBMPoint::GetETABSString() {
  std::string out;
  bm::e2k::AppendPoint(out, *this);
  return CString(std::move(out));
}

CString CBMLine::GetETABSString() {
  std::string out;
  bm::e2k::AppendLine(out, *this, nullptr);
  return CString(std::move(out));
}

CString CBMArea::GetETABSString() {
  std::string out;
  bm::e2k::AppendArea(out, *this, nullptr);
  return CString(std::move(out));
}

CString CBMJoint::GetETABSString() {
  std::string out;
  bm::e2k::AppendJointText(out, *this, nullptr);
  return CString(std::move(out));
}

CString CBMJointRestraint::GetETABSString() {
  std::string out;
  bm::e2k::AppendRestraint(out, *this);
  return CString(std::move(out));
}

CString CBMLineElement::GetETABSString() {
  std::string out;
  bm::e2k::AppendLineElementText(out, *this, nullptr);
  return CString(std::move(out));
}

CString CBMLineRelease::GetRleaseString() {
  std::string out;
  bm::e2k::AppendRelease(out, *this);
  return CString(std::move(out));
}

// Partial fixity is not written.
CString CBMLineRelease::GetParFix() { return CString(); }

// Rigid zones are not written.
CString CBMRigidZone::GetRigidZoneString() { return CString(); }
