// CBMMgrGeometry: adds levels, members, materials and sections to a model and
// runs the geometry processing passes.
#pragma once

#include "../model/BMMgrSys.h"

class CBMArea;
class CBMBeam;
class CBMBrace;
class CBMColumn;
class CBMFrameSection;
class CBMJoint;
class CBMLine;
class CBMLevel;
class CBMMaterial;
class CBMPoint;
class CBMSlab;
class CBMWall;
class CBMWallSlabDeckSection;

// Builds a model in plan-and-storey terms. Owns nothing: every object it
// makes belongs to a list of the container (plan points, lines, areas,
// levels, materials, sections) or to a level (joints, members).
//
// Names: every string argument of the Add operations is upper-cased before
// use; look-ups by name are exact, so referenced levels, sections and
// materials must be stored upper-case. The two AddJointRestrain operations
// and the on-demand pier passes do not upper-case.
//
// Plan points are merged when closer than 0.0001 in plan. Points made for a
// column bear the column's name (an existing point of that name is reused
// whatever its position); points made for beams, braces, walls and slabs are
// numbered with the first number from count + 1 upward that no point bears.
//
// Missing references: an operation whose level (or point, or joint) is not
// found creates nothing and returns null. A section or material name that
// matches nothing leaves the pointer null; the element is still made. A
// manager not attached to a container does nothing and returns null.
class CBMMgrGeometry : public CBMMgrSys {
 public:
  CBMMgrGeometry() = default;
  ~CBMMgrGeometry() override = default;

  // ---- Adding objects ------------------------------------------------------

  // Appends a new level (no duplicate check) with storey height `height`
  // (distance from the level below) and elevation `elevation`. Levels are
  // added from the base upward; their ids are their positions.
  CBMLevel* AddLevel(CString name, double height, double elevation);

  // Column at plan (x, y) on `level`, running from the level below. Reuses
  // the point, the "COLUMN" line (span 1) and the level's column of that
  // line's name. Connects the column to the level's joint at the point.
  CBMColumn* AddColumn(CString name, double x, double y, CString level, CString section);

  // Beam from (x1, y1) to (x2, y2) on `level`. Reuses a non-brace line
  // between the two points (either direction) or makes a "BEAM" line (span 0).
  // Connects the beam to the level's joints at both ends.
  CBMBeam* AddBeam(CString name, double x1, double y1, double x2, double y2, CString level, CString section);

  // Brace from (x1, y1) (lower end, on `bottomLevel`) to (x2, y2) (on
  // `level`), placed in `level`'s brace list. The line's span is id(level) -
  // id(bottomLevel); a negative span shows "Inversed level when adding
  // brace!" and is kept. Makes no joints and no connections.
  CBMBrace* AddBrace(CString name, double x1, double y1, double x2, double y2, CString level,
                     CString bottomLevel, CString section);

  // Wall panel from (x1, y1) to (x2, y2) on `level`: a "PANEL" area with
  // points p1, p2, p2, p1 and point types 1, 1, 0, 0 (reused only when found
  // in that very order; otherwise a new area of the wall's name, whatever
  // areas already bear that name). Connects the wall to the level's joints
  // at p1, p2.
  CBMWall* AddWall(CString name, double x1, double y1, double x2, double y2, CString level, CString section);

  // Slab over the n vertices (x[i], y[i]) on `level`: a "FLOOR" area with the
  // points in the given order, each of point type 0 (reused, or new, as for
  // walls). Connects the slab to the
  // level's joint at every vertex. Returns null and makes nothing when n <= 0
  // or an array is null. Does not take ownership of the arrays.
  CBMSlab* AddSlab(CString name, int n, double* x, double* y, CString level, CString section);

  // Appends an "ISOTROPIC" material (no duplicate check) and sets its design
  // type. "STEEL" sets FY 248211.3, FU 399896.0, Price 1.0; "CONCRETE" sets
  // FY 413685.5, FC 27579.0, FYS 413685.5; other types set no strengths.
  CBMMaterial* AddMaterial(CString name, double M, double W, CString designType, double E, double U,
                           double A);

  // Appends a frame section of `shape` (no duplicate check) with the material
  // of that name (null if none).
  CBMFrameSection* AddFrameSection(CString name, CString shape, CString material);

  // Append a "SHELL", "THIN" section of property type "WALL" / "SLAB" with
  // both thicknesses (TB, TM) set to `thickness`; material null if none.
  CBMWallSlabDeckSection* AddWallSection(CString name, CString material, double thickness);
  CBMWallSlabDeckSection* AddSlabSection(CString name, CString material, double thickness);

  // Support at plan (x, y) of `level` (looked up as given, not upper-cased).
  // Returns null and makes nothing when the level or the point does not
  // exist. Otherwise finds or makes the level's joint at the point and, if it
  // has no restraint yet, creates one with flags U1, U2, U3, R1, R2, R3
  // (1 fixed, 0 free); an existing restraint is left unchanged.
  CBMJoint* AddJointRestrain(CString& level, double x, double y, int U1, int U2, int U3, int R1, int R2,
                             int R3);

  // ---- Processing passes ---------------------------------------------------

  // Runs, in this order: ProcessStoryHeightElevation, ReassignPierInWall,
  // AssignJointConstainInBaseLevel, ProcessLineElementSegement.
  void ProcessGeometry();

  // Saves every wall's pier name as its old name and gives it the pier
  // "P<wall name>" (found or created). Walls of one name share a pier.
  void ReassignPierInWall();

  // On demand: saves every wall's pier name as its old name and gives it the
  // pier named like its section. A wall without section keeps its pier.
  // Returns 1.
  int ReassignPierBySectionName();

  // On demand: gives every wall the pier named like its old pier name (an
  // empty old name gives the pier of the empty name). Returns 1.
  int ReassignPierRestoreOldName();

  // Puts the joint of `level` at plan (x, y) into the diaphragm `diaphragm`
  // (model-wide and level diaphragm, found or created), adding its position
  // to both running centres. Changes nothing when the level, the point or
  // the level's joint at the point does not exist. No duplicate check.
  void AssignJointDiaphragm(CString level, double x, double y, CString diaphragm);

  // Sets the elevation of every level above the first to the first level's
  // elevation plus the storey heights up to it. Returns 1.
  int ProcessStoryHeightElevation();

 private:
  // Support for the point named `pointName` on `level` (both as given).
  // Same rules as the public overload; null when the level or point is missing.
  CBMJoint* AddJointRestrain(CString& level, CString& pointName, int U1, int U2, int U3, int R1, int R2,
                             int R3);

  // Fully fixes, on level "BASE", the foot of every column, wall and upward
  // brace of the second level (the first storey). Returns 1.
  int AssignJointConstainInBaseLevel();
  // Sets station spacings (beams length / n, columns 0.5 h, braces h / n)
  // and, when |reduction| > 0.001, the rigid-zone reduction factor of every
  // member above the base. Returns 1.
  int ProcessLineElementSegement();

  // Shared restraint step of both AddJointRestrain overloads.
  CBMJoint* RestrainJoint(CBMLevel* level, CBMPoint* point, const int flags[6]);
  // The level named `name` (exact), or null.
  CBMLevel* FindLevel(const CString& name) const;

  // Shared steps of the member Add operations.
  // Upper-cases the three strings and returns the level named `level`; null
  // when the manager is not attached or no level has that name.
  CBMLevel* StartAdd(CString& name, CString& level, CString& section) const;
  // Appends a new plan line `name` from p1 to p2 of line type `type`
  // passing `span` storeys.
  CBMLine* AddTypedLine(CString& name, CBMPoint* p1, CBMPoint* p2, const char* type, int span);
  // The plan area whose points are those of `sequence` in that order, or a
  // new area `name` (even when an area of that name exists) of area type `type` with those points and
  // `pointTypes` (one per point; null for 0 throughout). Empties `sequence`, which only lends the points
  // (they are not deleted).
  CBMArea* FindOrAddArea(CString& name, CBMComponentList& sequence, const int* pointTypes, const char* type);
};
