// ReadReport: what the text-file reader skipped, by keyword and reason.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace bm {

// Counts of the lines that the last ReadFile did not take, or did not take
// whole, into the model. Keys are the keyword of the block the line was read
// in (as written in the file, case kept) and a short reason ("storey not
// found", "no handler", ...). Most reasons mean the line added nothing; a few
// mean one assignment of the line was dropped while the rest was read
// ("section not found": the member is kept without section; "diaphragm not
// found", "pier or spandrel not found", "load without factor", "empty
// name"). A file written by this library gives only the reasons that its
// format implies (area loads and concentrated line loads are not read);
// files of later program versions bring blocks that have no handler.
class ReadReport {
 public:
  using ReasonCounts = std::map<std::string, int, std::less<>>;

  void Count(std::string_view keyword, std::string_view reason, int lines = 1);
  void Clear() { skipped_.clear(); }

  // keyword -> reason -> number of lines.
  const std::map<std::string, ReasonCounts, std::less<>>& Skipped() const { return skipped_; }
  // Lines skipped for `reason` in blocks of `keyword`; 0 if none.
  int Get(std::string_view keyword, std::string_view reason) const;
  // All lines skipped in blocks of `keyword`.
  int GetKeyword(std::string_view keyword) const;
  // All lines skipped.
  int Total() const;

 private:
  std::map<std::string, ReasonCounts, std::less<>> skipped_;
};

// Reasons used by the reader.
namespace skip {
inline constexpr const char kNoHandler[] = "no handler";
inline constexpr const char kIgnoredKeyword[] = "keyword ignored";
inline constexpr const char kStoreyNotFound[] = "storey not found";
inline constexpr const char kPointNotFound[] = "point not found";
inline constexpr const char kLineNotFound[] = "line not found";
inline constexpr const char kAreaNotFound[] = "area not found";
inline constexpr const char kSectionNotFound[] = "section not found";
inline constexpr const char kSectionNone[] = "section NONE";
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
}  // namespace skip

}  // namespace bm
