// The structure-aware mutator of the text targets (see TextMutator.h).
#include "TextMutator.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
#include <string_view>
#include <vector>

#include "TextWords.h"

namespace bm::fuzz {

namespace {

// Numbers at the edges of what the reader converts.
constexpr const char* kEdgeNumbers[] = {"0",
                                        "-1",
                                        "1",
                                        "1e308",
                                        "-1e308",
                                        "nan",
                                        "inf",
                                        "-0",
                                        "1e-320",
                                        "2147483647",
                                        "-2147483648",
                                        "4294967296",
                                        "9223372036854775808",
                                        "99999999999999999999999",
                                        "0.5",
                                        "1E+5"};

// Lines of `text` as [begin, end) offsets, line ends excluded.
std::vector<std::pair<size_t, size_t>> Lines(const std::string& text) {
  std::vector<std::pair<size_t, size_t>> lines;
  size_t begin = 0;
  while (begin <= text.size()) {
    size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    lines.emplace_back(begin, end);
    begin = end + 1;
  }
  return lines;
}

// Tokens of the line [begin, end): words, or quoted names with their quotes.
std::vector<std::pair<size_t, size_t>> Tokens(const std::string& text, size_t begin, size_t end) {
  std::vector<std::pair<size_t, size_t>> tokens;
  size_t i = begin;
  while (i < end) {
    if (text[i] == ' ' || text[i] == '\t' || text[i] == '\r') {
      ++i;
      continue;
    }
    size_t j = i + 1;
    if (text[i] == '"') {
      while (j < end && text[j] != '"') ++j;
      if (j < end) ++j;
    } else {
      while (j < end && text[j] != ' ' && text[j] != '\t' && text[j] != '\r') ++j;
    }
    tokens.emplace_back(i, j);
    i = j;
  }
  return tokens;
}

size_t Pick(std::mt19937& rng, size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); }

bool IsNumber(std::string_view token) {
  if (token.empty()) return false;
  const size_t start = (token[0] == '-' || token[0] == '+') ? 1 : 0;
  return start < token.size() &&
         (std::isdigit(static_cast<unsigned char>(token[start])) || token[start] == '.');
}

// Every token of the input for which `keep` holds, as offsets.
template <typename Keep>
std::vector<std::pair<size_t, size_t>> AllTokens(const std::string& text, Keep keep) {
  std::vector<std::pair<size_t, size_t>> out;
  for (const auto& line : Lines(text)) {
    for (const auto& t : Tokens(text, line.first, line.second)) {
      if (keep(std::string_view(text).substr(t.first, t.second - t.first))) out.push_back(t);
    }
  }
  return out;
}

bool SwapToken(std::string& text, std::mt19937& rng) {
  const auto tokens = AllTokens(text, [](std::string_view) { return true; });
  if (tokens.empty()) return false;
  const auto& t = tokens[Pick(rng, tokens.size())];
  text.replace(t.first, t.second - t.first, kTextWords[Pick(rng, std::size(kTextWords))]);
  return true;
}

bool EdgeNumber(std::string& text, std::mt19937& rng) {
  const auto numbers = AllTokens(text, IsNumber);
  if (numbers.empty()) return false;
  const auto& t = numbers[Pick(rng, numbers.size())];
  text.replace(t.first, t.second - t.first, kEdgeNumbers[Pick(rng, std::size(kEdgeNumbers))]);
  return true;
}

bool SwapName(std::string& text, std::mt19937& rng) {
  const auto names = AllTokens(text, [](std::string_view t) { return t.size() >= 2 && t.front() == '"'; });
  if (names.size() < 2) return false;
  const auto& to = names[Pick(rng, names.size())];
  const auto& from = names[Pick(rng, names.size())];
  const std::string name = text.substr(from.first, from.second - from.first);
  text.replace(to.first, to.second - to.first, name);
  return true;
}

bool LineEdit(std::string& text, TextMutation mutation, std::mt19937& rng) {
  const auto lines = Lines(text);
  const auto& a = lines[Pick(rng, lines.size())];
  const auto& b = lines[Pick(rng, lines.size())];
  const std::string lineA = text.substr(a.first, a.second - a.first) + "\n";
  const std::string lineB = text.substr(b.first, b.second - b.first) + "\n";
  switch (mutation) {
    case TextMutation::kDuplicateLine:
      text.insert(b.first, lineA);
      return true;
    case TextMutation::kDeleteLine:
      if (a.first == text.size()) return false;  // the empty rest after the last line end
      text.erase(a.first, std::min(lineA.size(), text.size() - a.first));
      return true;
    default: {  // kSwapLines
      if (a.first == b.first) return false;
      const auto& first = a.first < b.first ? a : b;
      const auto& second = a.first < b.first ? b : a;
      const std::string firstLine = text.substr(first.first, first.second - first.first);
      const std::string secondLine = text.substr(second.first, second.second - second.first);
      text.replace(second.first, second.second - second.first, firstLine);
      text.replace(first.first, first.second - first.first, secondLine);
      return true;
    }
  }
}

bool SetVersion(std::string& text, std::mt19937& rng) {
  const std::string version =
      "\"" + std::to_string(8 + Pick(rng, 15)) + "." + std::to_string(Pick(rng, 10)) + "\"";
  for (const auto& line : Lines(text)) {
    const auto tokens = Tokens(text, line.first, line.second);
    if (tokens.empty() || text.compare(tokens[0].first, tokens[0].second - tokens[0].first, "PROGRAM") != 0)
      continue;
    for (size_t i = 1; i + 1 < tokens.size(); ++i) {
      if (text.compare(tokens[i].first, tokens[i].second - tokens[i].first, "VERSION") == 0) {
        text.replace(tokens[i + 1].first, tokens[i + 1].second - tokens[i + 1].first, version);
        return true;
      }
    }
    text.insert(line.second, "  VERSION " + version);
    return true;
  }
  // The reader skips the first line after leading comments.
  text.insert(0, "$ header\n\n$ PROGRAM INFORMATION\n  PROGRAM  \"X\"  VERSION " + version + "\n\n");
  return true;
}

bool AddBlock(std::string& text, std::mt19937& rng) {
  const auto lines = Lines(text);
  const auto names = AllTokens(text, [](std::string_view t) { return t.size() >= 2 && t.front() == '"'; });
  std::string block = "\n$ BLOCK\n  ";
  block += kTextWords[Pick(rng, std::size(kTextWords))];
  block += "  ";
  if (names.empty()) {
    block += "\"N1\"";
  } else {
    const auto& name = names[Pick(rng, names.size())];
    block += text.substr(name.first, name.second - name.first);
  }
  block += "  ";
  block += kTextWords[Pick(rng, std::size(kTextWords))];
  block += " ";
  block += kEdgeNumbers[Pick(rng, std::size(kEdgeNumbers))];
  block += "\n";
  text.insert(lines[Pick(rng, lines.size())].first, block);
  return true;
}

}  // namespace

bool MutateText(std::string& text, TextMutation mutation, std::mt19937& rng) {
  switch (mutation) {
    case TextMutation::kSwapToken:
      return SwapToken(text, rng);
    case TextMutation::kDuplicateLine:
    case TextMutation::kDeleteLine:
    case TextMutation::kSwapLines:
      return LineEdit(text, mutation, rng);
    case TextMutation::kEdgeNumber:
      return EdgeNumber(text, rng);
    case TextMutation::kSwapName:
      return SwapName(text, rng);
    case TextMutation::kSetVersion:
      return SetVersion(text, rng);
    case TextMutation::kAddBlock:
      return AddBlock(text, rng);
    case TextMutation::kCount:
      break;
  }
  return false;
}

size_t MutateTextInput(uint8_t* data, size_t size, size_t maxSize, unsigned seed,
                       size_t (*byteMutate)(uint8_t*, size_t, size_t)) {
  std::mt19937 rng(seed);
  if (Pick(rng, 4) == 0 || size == 0) return byteMutate(data, size, maxSize);
  std::string text(reinterpret_cast<const char*>(data), size);
  const size_t rounds = 1 + Pick(rng, 3);
  bool changed = false;
  for (size_t i = 0; i < rounds; ++i) {
    const auto mutation = static_cast<TextMutation>(Pick(rng, static_cast<size_t>(TextMutation::kCount)));
    changed = MutateText(text, mutation, rng) || changed;
  }
  if (!changed || text.size() > maxSize) return byteMutate(data, size, maxSize);
  std::memcpy(data, text.data(), text.size());
  return text.size();
}

}  // namespace bm::fuzz
