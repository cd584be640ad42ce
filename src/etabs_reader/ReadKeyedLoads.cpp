// Handlers of the load lines of later-version files: load patterns, static
// load cases (version 9) or analysis cases (later), automatic lateral loads,
// point, line and area loads, and combinations, by key.
#include "etabs_reader/ZAdapterEtabs8.h"

#include "etabs_reader/KeyedLine.h"

void ZAdapterEtabs8::ProcessLoadPatterns(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedLoadCases(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedAutoLoads(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedPointLoads(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedLineLoads(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedAreaLoads(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

void ZAdapterEtabs8::ProcessKeyedCombos(ZComItemList* lines) { SkipAll(lines, bm::skip::kNoHandler); }

