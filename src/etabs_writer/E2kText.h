// Text building blocks of the ETABS 8 text writer: number conversions with
// the legacy runtime's exact output, and the appenders that add one entity's
// text to a buffer. The entities' own text operations (GetETABSString and
// kin) return what these appenders produce; the block writer calls the
// appenders directly so that the whole file is built in one buffer.
#pragma once

#include <cstddef>
#include <string>

#include "../platform/Format.h"
#include "../platform/String.h"

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

// Appends a string literal without measuring it at run time.
template <size_t N>
inline void Put(std::string& out, const char (&text)[N]) {
  out.append(text, N - 1);
}
inline void Put(std::string& out, const CString& text) { out.append(text.str()); }

// "\"%s\"": the text between double quotes, unescaped.
inline void PutQuoted(std::string& out, const CString& text) {
  out += '"';
  out.append(text.str());
  out += '"';
}

// "%<width>.<precision>f": the same bytes as AppendFixed, right-aligned in a
// field of at least `width`, with a fast path for the magnitudes a model
// holds.
void PutFixedWidth(std::string& out, double value, int width, int precision);
// "%.<precision>f".
inline void PutFixed(std::string& out, double value, int precision) { PutFixedWidth(out, value, 0, precision); }
// "%f": fixed notation, six decimals.
inline void PutF(std::string& out, double value) { PutFixed(out, value, 6); }
// "%e": six decimals, at least three exponent digits.
inline void PutE(std::string& out, double value) { AppendExponent(out, value, 6); }
// "%i".
inline void PutI(std::string& out, long long value) { AppendInt(out, value); }
// "%10.6f".
inline void PutF10(std::string& out, double value) { PutFixedWidth(out, value, 10, 6); }

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
