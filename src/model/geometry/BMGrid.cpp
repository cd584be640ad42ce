// Grid lines and the grid list.
#include "model/geometry/BMGrid.h"

BM_IMPLEMENT_SERIAL(CBMGrid, CBMComponent, 1)

CBMGrid::CBMGrid() = default;

// Decision: the second constructor stores the six values as given.
CBMGrid::CBMGrid(CString axisDir, CString gridLabel, double coord, CString lineType, CString bubbleLoc,
                 bool hide)
    : AxisDir(std::move(axisDir)),
      GridLabel(std::move(gridLabel)),
      Coord(coord),
      LineType(std::move(lineType)),
      BubbleLoc(std::move(bubbleLoc)),
      Hide(hide) {}

CBMGrid::~CBMGrid() = default;

BM_IMPLEMENT_SERIAL(CBMGridList, CBMComponentList, 1)
