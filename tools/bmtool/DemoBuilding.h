// DemoBuilding: builds a realistic demo building through the public managers,
// at any size (the generator of bmtool demo and of the benchmarks).
#pragma once

#include <string>

class CBuildingModule;

namespace bm::tool {

// Shape of the generated building: a base and `storeys` storeys over a
// rectangular grid of `baysX` by `baysY` bays.
struct DemoOptions {
  int storeys = 5;
  int baysX = 4;
  int baysY = 3;
  double bayX = 6.0;               // bay width along X (M)
  double bayY = 5.0;               // bay width along Y (M)
  double firstStoreyHeight = 4.5;  // M
  double storeyHeight = 3.6;       // M
  bool loads = true;               // add load cases and loads
};

// Largest sizes the generator accepts (a model of these sizes has tens of
// millions of elements).
inline constexpr int kMaxDemoStoreys = 10000;
inline constexpr int kMaxDemoBays = 10000;
inline constexpr double kMaxDemoElements = 2.0e7;

// Roughly how many beams, columns, braces, walls and slabs the options give.
double EstimateDemoElements(const DemoOptions& options);

// Empty when the options are usable; otherwise why not.
std::string CheckDemoOptions(const DemoOptions& options);

// Fills an empty `module` (units KN and M) with the building described by
// `options`, entirely through the geometry and load managers, as a host
// would:
//  - levels BASE and STORY1..STORYn;
//  - materials C30 (concrete) and Q345 (steel); rectangular concrete column
//    and beam sections, I-shaped steel sections for the braces; a wall and
//    a slab section;
//  - on every storey a column at every grid intersection, beams along every
//    grid line, an X-braced bay in the middle of the front and back faces,
//    walls along the two end faces (each its own pier after processing),
//    a slab in every bay, and every joint of the storey on diaphragm D1;
//  - ProcessGeometry (elevations, piers, base supports, stations);
//  - load cases DEAD, LIVE and WINDX with beam, slab, wall and joint loads,
//    and the wall loads converted to joint loads (ProcessLoading).
// Every object is created once; the generator keeps the pointers it needs
// instead of looking objects up again. Returns false (leaving a partial
// model) only when a manager refuses an object, which means the library
// misbehaves; `error` then says which.
bool BuildDemoBuilding(CBuildingModule& module, const DemoOptions& options, std::string* error = nullptr);

}  // namespace bm::tool
