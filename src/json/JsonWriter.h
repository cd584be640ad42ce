// JsonWriter: the whole model as one JSON document.
#pragma once

#include <string>
#include <string_view>

#include "../model/BuildingModule.h"

namespace bm {

// The model as JSON text: units, storeys with their joints, members, walls
// and slabs (sections, points, releases, loads), points, materials,
// sections, load cases, combinations with their terms, diaphragms and piers.
// Numbers are the shortest text that reads back to the same double; names
// are the model's bytes, with bytes that are not UTF-8 written as \udcXX
// escapes (as Python's "surrogateescape" decodes them).
std::string ModelToJson(CBuildingModule& module);

// Writes ModelToJson(module) to `path`. Returns an empty string on success,
// otherwise the reason.
std::string WriteModelJson(CBuildingModule& module, const std::string& path);

}  // namespace bm

namespace bm::json {

// Appends the JSON text of `v`: the shortest text that reads back to the
// same double, always with a point or an exponent so that it reads as a
// real number ("0.1", "3.0", "2.5e+20", "-0.0"), and null for NaN and the
// infinities.
void AppendNumber(std::string& out, double v);

// Appends `bytes` as a JSON string: valid UTF-8 copied as it is, '"', '\\'
// and control characters escaped, and every byte that is not part of valid
// UTF-8 written as \udcXX (XX its value), as Python's "surrogateescape"
// decodes it.
void AppendString(std::string& out, std::string_view bytes);

}  // namespace bm::json
