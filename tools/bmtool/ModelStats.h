// ModelStats: counts of what a building model holds, per storey and model-wide.
#pragma once

#include <map>
#include <string>
#include <vector>

class CBuildingModule;

namespace bm::tool {

struct StoreyStats {
  std::string name;
  double elevation = 0.0;
  double height = 0.0;
  int joints = 0;
  int beams = 0;
  int columns = 0;
  int braces = 0;
  int walls = 0;
  int slabs = 0;

  int Members() const { return beams + columns + braces + walls + slabs; }
  bool operator==(const StoreyStats& o) const;
};

struct ModelStats {
  std::string forceUnit;
  std::string lengthUnit;
  // In level-list order: the base first.
  std::vector<StoreyStats> storeys;
  int points = 0;
  int lines = 0;
  int areas = 0;
  int materials = 0;
  int frameSections = 0;
  int shellSections = 0;
  int loadCases = 0;
  int diaphragms = 0;
  int piers = 0;
  // Loads carried by the entities.
  int jointLoads = 0;
  int lineLoads = 0;  // on beams, columns and braces
  // The same line loads by type word ("UNIFF", "TRAPF", "POINTF", ...).
  std::map<std::string, int> lineLoadTypes;
  int wallLoads = 0;  // line loads on walls
  int areaLoads = 0;  // on slabs and walls
  int restrainedJoints = 0;

  int Joints() const;
  int Beams() const;
  int Columns() const;
  int Braces() const;
  int Walls() const;
  int Slabs() const;
  int Members() const;
};

// Walks the model once; null lists and entries count as nothing.
ModelStats CollectStats(CBuildingModule& module);

// Differences in the element counts (storeys and their beams, columns,
// braces, walls and slabs; model-wide points, lines, areas, materials and
// sections), one short phrase each ("STORY2 beams 31 vs 30").
std::vector<std::string> CompareStructure(const ModelStats& a, const ModelStats& b);

// Differences in the loads: load cases, joint loads, member line loads of
// each type, area loads and supports ("POINTF line loads 75 vs 0"). Not the
// wall line loads: neither the text model nor the archive keeps them (a host
// converts them to joint loads, ProcessLoading, and those are kept).
std::vector<std::string> CompareLoads(const ModelStats& a, const ModelStats& b);

// "UNIFF 155, TRAPF 80, POINTF 75" (types in that order, then any other in
// name order), or "none".
std::string DescribeLineLoadTypes(const ModelStats& s);

}  // namespace bm::tool
