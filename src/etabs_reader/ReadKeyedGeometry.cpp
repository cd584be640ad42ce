// Handlers of the geometry and assignment lines of later-version files:
// points, lines, areas and their point, line and area assignments, by key.
#include "etabs_reader/ZAdapterEtabs8.h"

#include "etabs_reader/KeyedLine.h"

void ZAdapterEtabs8::ProcessKeyedPoints(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedLines(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedAreas(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedPointAssign(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedLineAssign(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedAreaAssign(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

