// Grid lines and the grid list.
#pragma once

#include "../BMComponentList.h"

// One grid line of the plan grid system. The library keeps the values for
// the host and reads none of them; only the component part is archived.
// Coord is the line's coordinate on its axis AxisDir (an "X" line lies at
// x = Coord), in the model's length unit.
class CBMGrid : public CBMComponent {
  BM_DECLARE_SERIAL(CBMGrid)

 public:
  // AxisDir "X", GridLabel "A", Coord 0, LineType "PRIMARY",
  // BubbleLoc "DEFAULT", Hide false.
  CBMGrid();
  // Stores the six values in field order.
  CBMGrid(CString axisDir, CString gridLabel, double coord, CString lineType, CString bubbleLoc, bool hide);
  ~CBMGrid() override;

  const CString& get_AxisDir() const { return AxisDir; }
  const CString& get_GridLabel() const { return GridLabel; }
  double get_Coord() const { return Coord; }
  const CString& get_LineType() const { return LineType; }
  const CString& get_BubbleLoc() const { return BubbleLoc; }
  bool get_Hide() const { return Hide; }

 private:
  // Kept for the host (the getters); nothing in the library reads them.
  CString AxisDir = "X";
  CString GridLabel = "A";
  double Coord = 0;
  CString LineType = "PRIMARY";
  CString BubbleLoc = "DEFAULT";
  bool Hide = false;
};

// The grid lines with the grid system's settings. The settings are not
// archived (the list archives as a plain list block).
class CBMGridList : public CBMComponentList {
  BM_DECLARE_SERIAL(CBMGridList)

 public:
  CBMGridList() = default;
  // Decision: deletes every member (nothing else owns grid lines). Safe after
  // an owner's DeleteAll, which leaves the list empty.
  ~CBMGridList() override { DeleteAll(); }

  const CString& get_CoordSystem() const { return CoordSystem; }
  void set_CoordSystem(CString& s) { CoordSystem = s; }
  const CString& get_GridType() const { return GridType; }
  void set_GridType(CString& s) { GridType = s; }
  double get_BubbleSize() const { return BubbleSize; }
  void set_BubbleSize(double size) { BubbleSize = size; }

 private:
  CString CoordSystem = "GLOBAL";
  CString GridType = "CARTESIAN";
  double BubbleSize = 1.2;
};
