#include "reader/FileFacts.h"

#include <cstdlib>

namespace bm::test {

namespace {

const std::string kNone;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

const std::string& TextLine::At(size_t i) const { return i < tokens.size() ? tokens[i] : kNone; }

const std::string* TextLine::Value(std::string_view key) const {
  for (size_t i = 2; i + 1 < tokens.size(); ++i) {
    if (!quoted[i] && tokens[i] == key) return &tokens[i + 1];
  }
  return nullptr;
}

double TextLine::Number(std::string_view key) const {
  const std::string* v = Value(key);
  return v ? std::strtod(v->c_str(), nullptr) : 0.0;
}

TextLine SplitLine(std::string_view text) {
  TextLine line;
  std::string word;
  auto flush = [&] {
    if (word.empty()) return;
    line.tokens.push_back(word);
    line.quoted.push_back(false);
    word.clear();
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsBlank(c)) {
      flush();
    } else if (c == '"') {
      flush();
      size_t end = text.find('"', i + 1);
      if (end == std::string_view::npos) end = text.size();
      std::string name;
      for (size_t k = i + 1; k < end; ++k) name += Upper(text[k]);
      line.tokens.push_back(name);
      line.quoted.push_back(true);
      i = end;
    } else {
      word += Upper(c);
    }
  }
  flush();
  return line;
}

FileText::FileText(const std::string& bytes) {
  bool inComments = false;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    TextLine line = SplitLine(std::string_view(bytes).substr(start, end - start));
    start = end + 1;
    if (line.tokens.empty() || line.tokens[0][0] == '$') continue;
    const std::string& keyword = line.tokens[0];
    if (keyword == "STARTCOMMENTS") inComments = true;
    if (keyword == "ENDCOMMENTS") inComments = false;
    if (inComments) continue;
    if (keyword == "PROGRAM") {
      if (const std::string* v = line.Value("VERSION")) version_ = std::atoi(v->c_str());
    } else if (keyword == "LINE") {
      lineTypes_[line.At(1)] = line.At(2);
    } else if (keyword == "AREA") {
      areaTypes_[line.At(1)] = line.At(2);
    }
    byKeyword_[keyword].push_back(std::move(line));
  }
}

const std::vector<TextLine>& FileText::Lines(const std::string& keyword) const {
  static const std::vector<TextLine> kEmpty;
  auto it = byKeyword_.find(keyword);
  return it == byKeyword_.end() ? kEmpty : it->second;
}

const std::string& FileText::LineType(const std::string& name) const {
  auto it = lineTypes_.find(name);
  return it == lineTypes_.end() ? kNone : it->second;
}

const std::string& FileText::AreaType(const std::string& name) const {
  auto it = areaTypes_.find(name);
  return it == areaTypes_.end() ? kNone : it->second;
}

}  // namespace bm::test
