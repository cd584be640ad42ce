// The model facts of a text model file, counted from its text by a scanner
// of its own: a few lines of quote-aware splitting and KEY look-up, sharing
// nothing with the reader, so that a fault of the reader cannot hide itself
// in the expected numbers.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace bm::test {

// One line of the file: its tokens upper-cased, a double-quoted run as one
// token (quotes dropped, spaces kept; a word glued after the closing quote
// is a token of its own).
struct TextLine {
  std::vector<std::string> tokens;
  std::vector<bool> quoted;

  // The token at 0-based `i`, or "" past the end.
  const std::string& At(size_t i) const;
  // The value after the first unquoted token equal to `key` from token 2 on
  // (the keyword and the name never count as keys); null when absent.
  const std::string* Value(std::string_view key) const;
  // The value of `key` as a number; 0 when absent or not a number.
  double Number(std::string_view key) const;
};

// Splits one line of text as described at TextLine.
TextLine SplitLine(std::string_view text);

// The data lines of a file by keyword (first token), in file order; comment
// lines ($ ...) and the log between STARTCOMMENTS and ENDCOMMENTS left out.
class FileText {
 public:
  explicit FileText(const std::string& bytes);

  // Lines whose first token is `keyword` (upper-case); empty if none.
  const std::vector<TextLine>& Lines(const std::string& keyword) const;
  // Major version of the PROGRAM line ("9.7.3" gives 9), 8 without one.
  int MajorVersion() const { return version_; }
  // Type word (token 3) of the LINE or AREA named `name`; "" if none.
  const std::string& LineType(const std::string& name) const;
  const std::string& AreaType(const std::string& name) const;

 private:
  std::map<std::string, std::vector<TextLine>, std::less<>> byKeyword_;
  std::map<std::string, std::string, std::less<>> lineTypes_;
  std::map<std::string, std::string, std::less<>> areaTypes_;
  int version_ = 8;
};

}  // namespace bm::test
