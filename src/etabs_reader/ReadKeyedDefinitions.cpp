// Handlers of the definition lines of later-version files (9 to 22): storeys,
// diaphragms, grids, materials, frame sections, shell properties, auto-select
// lists and point springs, read by key.
#include "etabs_reader/ZAdapterEtabs8.h"

#include "etabs_reader/KeyedLine.h"

void ZAdapterEtabs8::ProcessKeyedStories(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedDiaphragms(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedMaterials(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedFrameSections(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedShellProps(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedGrids(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedAutoSections(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedPointSprings(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

