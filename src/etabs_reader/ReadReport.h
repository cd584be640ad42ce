// ReadReport: what the text-file reader did not take, by keyword and reason.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace bm {

// What the last ReadFile did not take into the model, counted by the
// keyword of each line (its first word, as written in the file) and a short
// reason. Three kinds are kept apart:
// - model data not taken: a line (or one assignment of a line) that says
//   something the model could hold, which was lost: "storey not found",
//   "no handler", "section not found" (the member is kept without section),
//   ...;
// - not model data: a line the model has no place for (analysis cases,
//   design preferences, functions, logs, ...), reason "not model data";
// - unused keys: a key of a line that was otherwise taken, reason
//   "key NAME not used", counted once per line.
class ReadReport {
 public:
  enum class Kind { kModelData, kNotModelData, kUnusedKey };
  struct Entry {
    int lines = 0;
    Kind kind = Kind::kModelData;
  };
  using ReasonCounts = std::map<std::string, Entry, std::less<>>;

  // Model data not taken.
  void Count(std::string_view keyword, std::string_view reason, int lines = 1) {
    Add(keyword, reason, Kind::kModelData, lines);
  }
  // Lines the model has no place for.
  void CountNotModelData(std::string_view keyword, int lines = 1);
  // A key of a taken line that was not used.
  void CountUnusedKey(std::string_view keyword, std::string_view key);
  void Add(std::string_view keyword, std::string_view reason, Kind kind, int lines);
  void Clear() { skipped_.clear(); }

  // keyword -> reason -> lines and kind.
  const std::map<std::string, ReasonCounts, std::less<>>& Skipped() const { return skipped_; }
  // Lines counted for `reason` under `keyword`; 0 if none.
  int Get(std::string_view keyword, std::string_view reason) const;
  // All lines counted under `keyword`, of every kind.
  int GetKeyword(std::string_view keyword) const;
  // All lines counted, of every kind.
  int Total() const;
  // Lines of one kind.
  int Total(Kind kind) const;
  // Lines of model data that were not taken (the figure --strict checks).
  int ModelDataNotTaken() const { return Total(Kind::kModelData); }

 private:
  std::map<std::string, ReasonCounts, std::less<>> skipped_;
};

// Reasons used by the reader.
namespace skip {
inline constexpr const char kNoHandler[] = "no handler";
inline constexpr const char kIgnoredKeyword[] = "keyword ignored";
inline constexpr const char kNotModelData[] = "not model data";
inline constexpr const char kStoreyNotFound[] = "storey not found";
inline constexpr const char kPointNotFound[] = "point not found";
inline constexpr const char kLineNotFound[] = "line not found";
inline constexpr const char kAreaNotFound[] = "area not found";
inline constexpr const char kSectionNotFound[] = "section not found";
inline constexpr const char kSectionNone[] = "section NONE";
inline constexpr const char kMaterialNotFound[] = "material not found";
inline constexpr const char kMemberNotFound[] = "member not found";
inline constexpr const char kJointNotFound[] = "joint not found";
inline constexpr const char kLoadCaseNotFound[] = "load case not found";
inline constexpr const char kDiaphragmNotFound[] = "diaphragm not found";
inline constexpr const char kLabelNotFound[] = "pier or spandrel not found";
inline constexpr const char kEmptyName[] = "empty name";
inline constexpr const char kTypeNotRead[] = "type not read";
inline constexpr const char kShapeNotRead[] = "shape not read";
inline constexpr const char kAutoSelectList[] = "auto-select list";
inline constexpr const char kOpening[] = "opening";
inline constexpr const char kTooFewTokens[] = "too few tokens";
inline constexpr const char kNotRead[] = "not read";
inline constexpr const char kIncompleteTerm[] = "load without factor";
inline constexpr const char kNotDecimal[] = "number not decimal (read as 0)";
inline constexpr const char kValueWithoutKey[] = "value without key";
inline constexpr const char kAreaSpring[] = "area spring (not model data)";
inline constexpr const char kAtCentreOfMass[] = "lateral load at centre of mass";
inline constexpr const char kOtherGridSystem[] = "grid of a second grid system";
inline constexpr const char kGeneralGrid[] = "general grid line";
// Noted under the keyword END when a text model's last data line is not the
// END line: the file may have been cut off, and what followed is lost.
inline constexpr const char kEndMissing[] = "end of model line missing (file cut off?)";
}  // namespace skip

}  // namespace bm
