// Text of the geometry and assignment blocks: diaphragm names, point
// coordinates, line and area connectivities, point, line and area
// assignments.
#include "e2k_format/E2kKeywords.h"
#include "etabs_writer/E2kText.h"
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

void AppendDiaphragm(std::string& out, CBMDiaphragm& d) { Put(out, "%s %q\n", kDiaphragm, d.name()); }

void AppendPoint(std::string& out, CBMPoint& p) {
  if (p.get_IsMidLevel()) {
    Put(out, "%s %q  %f %f %f \n", kPoint, p.name(), p.get_X(), p.get_Y(), p.get_Z());
  } else {
    Put(out, "%s %q  %f %f \n", kPoint, p.name(), p.get_X(), p.get_Y());
  }
}

void AppendLine(std::string& out, CBMLine& line, WriteReport* report) {
  CBMPoint* p1 = line.get_pP1();
  CBMPoint* p2 = line.get_pP2();
  if (!p1 || !p2) {
    // Decision: a line missing an end point cannot be connected; skip it.
    if (report) ++report->linesWithoutPoint;
    return;
  }
  Put(out, " %s  %q  %s  %q  %q  %d\n", kLine, line.name(), line.GetType(), p1->name(), p2->name(),
      line.GetPassStory());
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
  Put(out, "%s %q  %s  %d ", kArea, area.name(), area.GetAreaType(), n);
  for (int i = 1; i <= n; ++i) Put(out, "%q ", area.GetPoint(i)->name());
  // A corner without a status number reads as 0 (GetPointStatus).
  for (int i = 1; i <= n; ++i) Put(out, "%d ", area.GetPointStatus(i));
  out += '\n';
}

void AppendRestraint(std::string& out, CBMJointRestraint& r) {
  for (int i = 0; i < 6; ++i) {
    if (r.get_bU(i)) Put(out, "%s ", kJointDofWords[i]);
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
    // The disconnected diaphragm is a word, not a name.
    Put(out, d->name() == kDisconnected ? " DIAPH %s " : " DIAPH %q ", d->name());
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
  Put(out, " %s  %q  %q ", kPointAssign, joint.name(), levelName);
  AppendJointText(out, joint, report);
  out += '\n';
}

void AppendRelease(std::string& out, CBMLineRelease& release) {
  Put(out, "RELEASE \" ");
  for (int i = 0; i < 12; ++i) {
    if (release.get_bRelease(i)) Put(out, " %s", kReleaseWords[i]);
  }
  out += '"';
}

void AppendLineElementText(std::string& out, CBMLineElement& e, WriteReport* report) {
  // An element without a line has no kind: it is reported like an unknown one.
  CBMLine* line = e.get_pLine();
  const bool known =
      line && (line->GetType() == kBeam || line->GetType() == kColumn || line->GetType() == kBrace);
  if (known) {
    CBMFrameSection* section = e.get_pFrameSection();
    Put(out, "SECTION %q  ANG  %f  MAXSTASPC %6.3f", section ? section->name() : CString(), e.get_Angle(),
        e.get_MaxSpc());
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
    Put(out, "  %5.3f", e.get_dZoneReductionFactor());
  }
}

void AppendLineAssign(std::string& out, CBMLineElement& e, const CString& levelName, WriteReport* report) {
  if (!e.get_pFrameSection()) {
    if (report) ++report->lineElementsWithoutSection;
    return;
  }
  Put(out, " %s  %q  %q ", kLineAssign, e.name(), levelName);
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
  Put(out, " SECTION %q  OBJMESHTYPE %q", section->name(), e.get_MeshOption());
  return true;
}

}  // namespace

void AppendSlabText(std::string& out, CBMSlab& slab, WriteReport* report) {
  if (!AppendShellHead(out, slab, report)) return;
  if (CBMDiaphragm* d = slab.GetDiaphram()) {
    Put(out, " DIAPH  %q", d->name());
  } else if (!slab.get_DiaphragmName().IsEmpty() && report) {
    ++report->diaphragmsMissing;
  }
}

void AppendWallText(std::string& out, CBMWall& wall, WriteReport* report) {
  if (!AppendShellHead(out, wall, report)) return;
  if (CBMPierSpandrel* pier = wall.get_pPierSpandrel()) {
    Put(out, " PIER  %q", pier->name());
  } else if (!wall.get_PierName().IsEmpty() && report) {
    ++report->piersMissing;
  }
}

namespace {

// " AREAASSIGN    \"%s\"  \"%s\" ": the prefix of an area assignment.
void AppendAreaAssignPrefix(std::string& out, const CString& name, const CString& levelName) {
  Put(out, " %s    %q  %q ", kAreaAssign, name, levelName);
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

CString CBMDiaphragm::GetETABSString() { return bm::e2k::TextOf(bm::e2k::AppendDiaphragm, *this); }

CString CBMPoint::GetETABSString() { return bm::e2k::TextOf(bm::e2k::AppendPoint, *this); }

CString CBMLine::GetETABSString() { return bm::e2k::TextOf(bm::e2k::AppendLine, *this, nullptr); }

CString CBMArea::GetETABSString() { return bm::e2k::TextOf(bm::e2k::AppendArea, *this, nullptr); }

CString CBMJoint::GetETABSString() { return bm::e2k::TextOf(bm::e2k::AppendJointText, *this, nullptr); }

CString CBMJointRestraint::GetETABSString() { return bm::e2k::TextOf(bm::e2k::AppendRestraint, *this); }

CString CBMLineElement::GetETABSString() {
  return bm::e2k::TextOf(bm::e2k::AppendLineElementText, *this, nullptr);
}

CString CBMLineRelease::GetRleaseString() { return bm::e2k::TextOf(bm::e2k::AppendRelease, *this); }

// Partial fixity is not written.
CString CBMLineRelease::GetParFix() { return CString(); }

// Rigid zones are not written.
CString CBMRigidZone::GetRigidZoneString() { return CString(); }
