// Text building blocks of the ETABS 8 text writer: the appenders that add
// one entity's text to a buffer, with the formatter of E2kFormat.h. The
// entities' own text operations (GetETABSString and kin) return what these
// appenders produce; the block writer calls the appenders directly so that
// the whole file is built in one buffer.
#pragma once

#include <string>

#include "../platform/String.h"
#include "E2kFormat.h"

class CBMArea;
class CBMDiaphragm;
class CBMFrameSection;
class CBMJoint;
class CBMJointRestraint;
class CBMLevel;
class CBMLine;
class CBMLineElement;
class CBMLineRelease;
class CBMLink;
class CBMLoadCase;
class CBMMaterial;
class CBMPierSpandrel;
class CBMPoint;
class CBMShellElement;
class CBMSlab;
class CBMWall;
class CBMWallSlabDeckSection;

namespace bm {
struct WriteReport;

namespace e2k {

// Decision: each line is one format string (see Put). The word that starts
// a line, the block headings and the value words that the reader also
// knows (design types, load types, DOF words...) come from E2kKeywords.h as
// arguments; the item keys inside a line ("M", "FX", "SELFWEIGHT") stay in
// the format, so that the format reads as the line it writes.

// Appenders of one entity's text, exactly as its GetETABSString (or the
// named operation) returns it. `report` may be null; when given, items that
// are skipped or written with a stand-in are counted in it.

// Properties.
void AppendMaterial(std::string& out, CBMMaterial& material);
void AppendFrameSection(std::string& out, CBMFrameSection& section, WriteReport* report);
void AppendShellSection(std::string& out, CBMWallSlabDeckSection& section, WriteReport* report);
void AppendLink(std::string& out, CBMLink& link);
void AppendPierSpandrel(std::string& out, CBMPierSpandrel& label);

// Geometry and assignments.
void AppendDiaphragm(std::string& out, CBMDiaphragm& diaphragm);
void AppendPoint(std::string& out, CBMPoint& point);
void AppendLine(std::string& out, CBMLine& line, WriteReport* report);
void AppendArea(std::string& out, CBMArea& area, WriteReport* report);
// CBMJoint::GetETABSString: the restraint and diaphragm part of a point
// assignment (without the POINTASSIGN prefix).
void AppendJointText(std::string& out, CBMJoint& joint, WriteReport* report);
void AppendRestraint(std::string& out, CBMJointRestraint& restraint);
// CBMLineElement::GetETABSString: the section, release and reduction part
// of a line assignment. Shows "Wrong in gereting ETABS8 in line elements"
// for a kind other than BEAM, COLUMN and BRACE.
void AppendLineElementText(std::string& out, CBMLineElement& element, WriteReport* report);
void AppendRelease(std::string& out, CBMLineRelease& release);
// CBMSlab / CBMWall GetETABSString: the part of an area assignment after
// the level name. Writes nothing for an element without a shell section.
void AppendSlabText(std::string& out, CBMSlab& slab, WriteReport* report);
void AppendWallText(std::string& out, CBMWall& wall, WriteReport* report);

// Whole assignment lines of one level's members, as the block writer emits
// them (prefix, element text, line end); items that the format skips add
// nothing.
void AppendPointAssign(std::string& out, CBMJoint& joint, const CString& levelName, WriteReport* report);
void AppendLineAssign(std::string& out, CBMLineElement& element, const CString& levelName,
                      WriteReport* report);
void AppendSlabAssign(std::string& out, CBMSlab& slab, const CString& levelName, WriteReport* report);
void AppendWallAssign(std::string& out, CBMWall& wall, const CString& levelName, WriteReport* report);

// Loads.
void AppendLoadCase(std::string& out, const CBMLoadCase& loadCase);
void AppendLoadCaseWinds(std::string& out, const CBMLoadCase& loadCase, WriteReport* report);
void AppendJointLoads(std::string& out, CBMJoint& joint, const CString& levelName, WriteReport* report);
void AppendLineElementLoads(std::string& out, CBMLineElement& element, const CString& levelName,
                            WriteReport* report);
void AppendShellLoads(std::string& out, CBMShellElement& element, const CString& levelName,
                      WriteReport* report);

}  // namespace e2k
}  // namespace bm
