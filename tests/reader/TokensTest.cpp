// The reader's text layer: command items, tokeniser, line reader, key tables.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <sstream>
#include <tuple>

#include "etabs_reader/KeyTable.h"
#include "etabs_reader/ReadReport.h"
#include "etabs_reader/ZFileReadModule.h"
#include "support/Files.h"

namespace {

using Tokens = std::vector<std::string>;
CStringArray Array(const Tokens& tokens) {
  CStringArray items;
  for (const std::string& t : tokens) items.Add(t.c_str());
  return items;
}
std::unique_ptr<ZComItem> Line(const Tokens& tokens) {
  auto item = std::make_unique<ZComItem>();
  CStringArray items = Array(tokens);
  item->AddLineItem(items);
  return item;
}

// The tokens of a line joined by `sep`.
std::string Joined(const ZComItem& item, const char* sep = ",") {
  std::string out;
  for (int t = 1; t <= item.GetItemCount(); ++t) out += (t > 1 ? sep : "") + std::string(item.Token(t));
  return out;
}

TEST(ComItem, GettersOfALineAndTheirBounds) {
  auto item = Line({"MATERIAL", "\"Conc\"", "M", "2.5"});
  ASSERT_EQ(item->GetItemCount(), 4);
  EXPECT_EQ(item->GetClearString(2), "Conc");
  EXPECT_EQ(item->GetClearString(9), "");
  // Position, array, then GetString, GetDouble, GetInt; array 1 is empty.
  const std::tuple<int, int, const char*, double, int> cases[] = {
      {1, 0, "MATERIAL", 0, 0}, {2, 0, "CONC", 0, 0}, {4, 0, "2.5", 2.5, 2}, {9, 0, "", 0, 0},
      {0, 0, "", 0, 0},         {-3, 0, "", 0, 0},    {1, 5, "", 0, 0},      {1, -1, "", 0, 0},
      {1, 7, "", 0, 0},         {4, 1, "", 0, 0}};
  for (const auto& [i, array, text, number, integer] : cases) {
    EXPECT_EQ(item->GetString(i, array), text) << i << "," << array;
    EXPECT_DOUBLE_EQ(item->GetDouble(i, array), number) << i << "," << array;
    EXPECT_EQ(item->GetInt(i, array), integer) << i << "," << array;
  }
  EXPECT_TRUE(item->TokenIs(1, "MATERIAL") && item->TokenIs(2, "CONC") && item->TokenIs(9, ""));
  EXPECT_FALSE(item->TokenIs(2, "CON"));
  // Short tokens are compared by their own bytes only, not those after them.
  EXPECT_TRUE(item->TokenIs(3, "M") && item->TokenIs(4, "2.5"));
  EXPECT_FALSE(item->TokenIs(2, "CONX") || item->TokenIs(3, "N") || item->TokenIs(1, "MATERIAM"));
  auto words = Line({"Point", "POINT", "POINTS", "POINU", "pointload1", "POINTLOAD1"});
  const auto same = [&](int a, int b) {
    return bm::reader::TokenStore::SameNoCase(words->Token(a), words->Token(b));
  };
  EXPECT_TRUE(same(1, 2) && same(5, 6));
  EXPECT_FALSE(same(1, 3) || same(2, 4) || same(4, 5));
  // Quotes go in the caller's array too; an emptied token stays; calls append.
  CStringArray items = Array({"\"A\"B\"", "\"\""}), more = Array({"x\"y"});
  ZComItem quoted;
  quoted.AddLineItem(items);
  EXPECT_EQ(items[0], "AB");
  quoted.AddLineItem(more);
  EXPECT_EQ(Joined(quoted), "AB,,xy");
  // Leading blanks only are trimmed and ASCII letters only folded.
  auto spaced = Line({"  live load\xE9  "});
  EXPECT_EQ(spaced->GetString(1, 0), "LIVE LOAD\xE9  ");
  EXPECT_EQ(spaced->GetClearString(1), "live load\xE9");
  spaced->SetString(1, "\"q\"");
  EXPECT_EQ(spaced->GetClearString(1), "q");
  spaced->SetString(2, "ignored");  // beyond the count: nothing
  spaced->SetString(0, "ignored");
  EXPECT_EQ(spaced->GetItemCount(), 1);
}

TEST(ComItem, GetDoubleReadsDecimalsAndLeftToRightExpressions) {
  // "token=value" cases split at '|'; the value is read by strtod.
  std::istringstream cases(
      "2.5=2.5|-3=-3|1.5E+2=150|1.5e+002=150|3e+007=3e7|1+2*3=9|2*3+1=7|10/4=2.5|2P3=8|2p3=8|3-2=1|3*-2=-6|"
      "12KN=12|NONE=0|=0|  4  =4|1 + 2=3|1E=1|1e 5=1|+7=7|.5=0.5|8.887E-06=8.887e-6|-2.84E-14=-2.84e-14|"
      "2P0.5=1.4142135623730951");
  for (std::string text; std::getline(cases, text, '|');) {
    const std::string token = text.substr(0, text.rfind('='));
    const double value = std::strtod(text.c_str() + token.size() + 1, nullptr);
    auto item = Line({token});
    EXPECT_DOUBLE_EQ(item->GetDouble(1, 0), value) << "'" << token << "'";
    EXPECT_FALSE(item->HadNumberFault()) << token;
    EXPECT_EQ(item->GetSystemDouble(1, 0), 0);
  }
  // Decision: only decimal numbers are read; the rest reads as 0 and marks.
  for (const char* token : {"INF", "-inf", "NAN", "nan(1)", "Infinity", "0x10", "-0X1p3", "1+0x10", "1-0x10",
                            "2*0x10", "8/0x2", "2*inf", "1e999", "5/0", "-1e400"}) {
    auto item = Line({token});
    EXPECT_EQ(item->GetDouble(1, 0), 0.0) << token;
    EXPECT_TRUE(item->HadNumberFault()) << token;
  }
  for (const char* c : {"12=12", "3.5=3", "12abc=12", "-4=-4", "+8=8", "abc=0", "=0", " 9=9", "-=0", "1e3=1",
                        "99999999999=2147483647"}) {
    const std::string text = c, token = text.substr(0, text.rfind('='));
    EXPECT_EQ(Line({token})->GetInt(1, 0), std::atoi(text.c_str() + token.size() + 1)) << token;
  }
}

// Refill makes the line as new: shorter, empty and longer contents.
TEST(ComItem, RefillMakesTheLineAsNew) {
  auto line = Line({"POINT", "P1", "INF", "2"});
  line->set_Name("named");
  line->set_Id(7);
  line->set_ObjectType("TYPED");
  CStringArray extra = Array({"\"x\""});
  line->AddLineItem2(extra);
  (void)line->GetDouble(3, 0);
  ASSERT_TRUE(line->HadNumberFault() && line->GetString(1, 1) == "X");  // the extra item without its quotes
  for (const std::string& bytes : {std::string("AB"), std::string(), "LONGERTOKEN" + std::string(100, 'z')}) {
    const uint32_t ends[] = {static_cast<uint32_t>(bytes.size() / 2), static_cast<uint32_t>(bytes.size())};
    const size_t count = bytes.empty() ? 0 : 2;
    line->Refill(bytes, ends, count);
    ASSERT_EQ(line->GetItemCount(), static_cast<int>(count));
    EXPECT_EQ(std::string(line->Token(1)) + std::string(line->Token(2)), bytes);
    EXPECT_FALSE(line->HadNumberFault());
    EXPECT_EQ(line->get_Name() + line->GetString(1, 1), "");
    EXPECT_EQ(line->get_Id(), 0);
    EXPECT_EQ(line->get_ObjectType(), "ZBMComponent");
  }
}

// Only the typed list owns (deletes) its members.
TEST(ComponentListZ, OnlyTheTypedListOwnsItsMembers) {
  struct Counted : ZComItem {
    explicit Counted(int* live) : live_(live) { ++*live_; }
    ~Counted() override { --*live_; }
    int* live_;
  };
  int live = 0;
  {
    ZComItemList owning;
    owning.Add(new Counted(&live));
    owning.Add(new Counted(&live));
  }
  Counted kept(&live);
  ZBMComponentList().Add(&kept);
  EXPECT_EQ(live, 1);
}

// The tokeniser's rules, simply: each token and whether it was quoted.
std::vector<std::pair<std::string, bool>> ModelSplit(const std::string& line, bool dropQuotes) {
  std::vector<std::pair<std::string, bool>> tokens;
  for (size_t i = 0; i < line.size() && !(line[i] == '$' && i > 0);) {
    std::string token;
    if (static_cast<signed char>(line[i]) <= 32) {
      ++i;
    } else if (line[i] == '"') {
      const size_t close = std::min(line.find('"', i + 1), line.size());
      token = dropQuotes ? "" : "\"";
      for (size_t k = i + 1; k < close; ++k) token += line[k] == '\t' ? ' ' : line[k];
      if (!dropQuotes && close < line.size()) token += '"';
      tokens.emplace_back(token, true);
      i = close + 1;
    } else {
      for (const size_t start = i; i < line.size(); ++i) {
        const char c = line[i];
        if ((i > start && (c == '"' || c == '$')) || ((c == ' ' || c == '\t') && line[i - 1] != 'e')) break;
        token += c == '\t' ? ' ' : c;
      }
      tokens.emplace_back(token, false);
    }
  }
  return tokens;
}

TEST(SplitTokens, AgreesWithTheRulesOnRandomLines) {
  const char alphabet[] = "aeE1.  \t\"$\r\x01\x80\xffX";
  std::mt19937 rng(12345);
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    // Mostly short lines; some cross the tokeniser's windows of 64 bytes.
    const int len = static_cast<int>(rng() % (round % 4 == 0 ? 200 : 40));
    for (int k = 0; k < len; ++k) line += alphabet[rng() % (sizeof alphabet - 1)];
    for (bool dropQuotes : {false, true}) {
      // Bytes already in the buffer stay and the offsets count from its start.
      std::string bytes = "prefix";
      std::vector<uint32_t> ends;
      const size_t n = bm::reader::SplitTokens(line, 0, dropQuotes, bytes, ends);
      const auto expected = ModelSplit(line, dropQuotes);
      ASSERT_EQ(n, expected.size()) << line;
      ASSERT_EQ(ends.size(), expected.size()) << line;
      ASSERT_EQ(bytes.substr(0, 6), "prefix");
      uint32_t begin = 6;
      for (size_t t = 0; t < n; ++t) {
        const uint32_t end = bm::reader::TokenEnd(ends[t]);
        EXPECT_EQ(bytes.substr(begin, end - begin), expected[t].first) << line;
        EXPECT_EQ((ends[t] & bm::reader::kQuotedToken) != 0, expected[t].second) << line;
        begin = end;
      }
      EXPECT_EQ(bytes.size(), begin) << line;
    }
  }
}
Tokens Split(const std::string& line, int maxLen = 0) {
  ZFileReadModule reader;
  CStringArray items;
  const int n = reader.GetAllString(CString(line), items, maxLen);
  Tokens out;
  for (const CString& s : items) out.push_back(s.str());
  EXPECT_EQ(n, static_cast<int>(out.size()));
  return out;
}

// GetAllString: quotes kept, a cut length, bytes outside the random alphabet.
TEST(LineReader, SplitsTokens) {
  const std::pair<std::string, Tokens> cases[] = {
      {"\xA0\xA0word \"\xA0q\"", {"word", "\"\xA0q\""}},          // high bytes lost only between tokens
      {std::string("A\0B C", 5), {std::string("A\0B", 3), "C"}},  // NUL inside a token stays
      {std::string("\0\x01 A", 4), {"A"}},                        // control bytes between tokens skipped
      {"a\x7F b", {"a\x7F", "b"}},
  };
  for (const auto& [line, tokens] : cases) EXPECT_EQ(Split(line), tokens) << "line '" << line << "'";
  const std::string longName(5000, 'N');
  EXPECT_EQ(Split("POINT " + longName + " 1"), (Tokens{"POINT", longName, "1"}));
  EXPECT_EQ(Split("ABCDEFG H", 3), (Tokens{"ABC", "DEF", "G", "H"}));
  EXPECT_EQ(Split("ABC DEF", 3), (Tokens{"ABC", "DEF"}));
  EXPECT_EQ(Split("A$B C", 3), (Tokens{"A"}));  // a "$" ends the line, unless it is the first byte
  EXPECT_EQ(Split("$A B", 3), (Tokens{"$A", "B"}));
}

// Each block of `reader` as "NAME(line|line)", a line its tokens joined by ' '.
std::string Shape(ZFileReadModule& reader) {
  std::string out;
  ZComItemList* blocks = reader.GetBlockList();
  for (int b = 1; b <= blocks->GetCount(); ++b) {
    ZComItemList* block = blocks->GetComList(b);
    out += (b > 1 ? " " : "") + std::string(block->get_Name().str()) + "(";
    for (int i = 1; i <= block->GetCount(); ++i)
      out += Joined(*block->GetComItem(i), " ") + (i < block->GetCount() ? "|" : "");
    out += ")";
  }
  return out;
}

// The blocks of a file holding `text` ("!" when Open fails).
std::string Blocks(const std::string& text) {
  bm::test::TempDir dir;
  CString path = dir.Write("f.e2k", text).c_str();
  ZFileReadModule reader;
  const bool ok = reader.Open(path);
  return (ok ? "" : "!") + Shape(reader);
}

TEST(LineReader, RunsOfDataLinesFormBlocks) {
  const std::string h = "$ File saved by someone\n\n";  // the written header
  const std::pair<std::string, std::string> cases[] = {
      {h + "PROGRAM  \"ETABS\"  VERSION \"8.48\"\n\n", "PROGRAM(PROGRAM ETABS VERSION 8.48)"},
      // A comment in column 1 is dropped inside a run; an indented one ends it.
      {h + "A 1\n$ note\nA 2\n   $ note\nB 1\n! x\nB 2\n  ! y\nC\n", "A(A 1|A 2) B(B 1|B 2) C(C)"},
      // Two empty lines, or an empty and an indented comment line, end a block.
      {h + "A 1\n\n\nB 1\n\n  $ c\nC 1\n", "A(A 1) B(B 1) C(C 1)"},
      {h + "A 1\nA 2", "A(A 1|A 2)"},  // no line end after the last line
      {"$ h\r\n\r\nA 1\r\nA 2\r\n \t \r\nB \"q\"\r\n", "A(A 1|A 2) B(B q)"},
      {h + "\"Story\" 1\nX\n", "Story(Story 1|X)"},  // named by its first token, case kept
      // Decision: a backslash is an ordinary byte; the next line is kept.
      {h + "A \"c:\\dir\" 1\nA 2\n", "A(A c:\\dir 1|A 2)"},
      {h + "\x01\x02\nA 1\n", "(|A 1)"},  // a line without a token stays in its block
      {"$ a\n! b\n$ c\n\nA 1\n", "A(A 1)"},
      // No first data line: the first line is the header, then an empty line.
      {"A 1\n\nB 1\n", "!"},
      {h, "!"},
      {"", "!"},
      {h + "\n A\n", "!"},
      {h + "  $ x\nA\n", "!"},
      // Long lines, NUL inside a token, leading high bytes lost.
      {h + "LOG \"" + std::string(200000, 'x') + "\"\n" + std::string("N\0A \xFF\xFE 2\n", 10) +
           "\xC3\xA9T 1",
       "LOG(LOG " + std::string(200000, 'x') + "|" + std::string("N\0A", 3) + " 2|T 1)"},
  };
  for (const auto& [text, shape] : cases) EXPECT_EQ(Blocks(text), shape) << text;
}

// ReadLine after Begin: 1 and the state for an empty and a data line (split), then 0 at the end.
TEST(LineReader, ReadLineGivesEachLineAndItsState) {
  const std::string text = "$ h\n\nA 1\n\nB \"q\" 2\n";
  ZFileReadModule reader;
  ASSERT_TRUE(reader.BeginBuffer(text.data(), text.size()));
  std::string seen;
  for (int i = 0; i < 3; ++i) {
    const int result = reader.ReadLine(0);
    seen += std::to_string(result) + std::to_string(reader.GetLineState()) +
            std::to_string(reader.GetLineItems().GetSize()) + " ";
  }
  EXPECT_EQ(seen, "110 103 023 ");  // result, state, items: the items stay at the end
}

TEST(LineReader, LongBlocksComeInPartsNamedAsTheBlock) {
  // Block A has five lines (its third begins with another word), block B one.
  const std::string text = "$ h\n\nA 1\nA 2\nX 3\nA 4\nA 5\n\nB 1\n";
  // maxLines, whether the rest of the first part's block is read into it, the parts.
  const std::tuple<int, bool, const char*> cases[] = {
      {0, false, "A:A1 A2 X3 A4 A5. B:B1."},
      {2, false, "A:A1 A2+ A:X3 A4+ A:A5. B:B1."},
      {5, false, "A:A1 A2 X3 A4 A5. B:B1."},  // exactly maxLines: not cut
      {2, true, "A:A1 A2 X3 A4 A5. B:B1."},
  };
  for (const auto& [maxLines, readRest, expected] : cases) {
    ZFileReadModule reader;
    ASSERT_TRUE(reader.BeginBuffer(text.data(), text.size()));
    std::string parts;
    bool rest = readRest;
    while (ZComItemList* block = reader.NextBlock(maxLines)) {
      EXPECT_TRUE(!(rest && reader.PartContinues()) || reader.ReadRest(block));
      rest = false;
      parts += (parts.empty() ? "" : " ") + std::string(block->name().str()) + ":";
      for (int i = 1; i <= block->GetCount(); ++i)
        parts += (i > 1 ? " " : "") + Joined(*block->GetComItem(i), "");
      parts += reader.PartContinues() ? "+" : ".";
      // A recycled block's lines are filled again by the next parts.
      if (block->GetCount() > 0 && block->GetComItem(1)->Token(2) == "1") reader.Recycle(block);
    }
    EXPECT_TRUE(reader.Finish());
    EXPECT_EQ(parts, expected) << maxLines;
    // Every part stays in the list, numbered in order; recycled ones empty.
    ZComItemList* blocks = reader.GetBlockList();
    EXPECT_EQ(blocks->GetComList(1)->GetCount(), 0);
    EXPECT_EQ(blocks->GetComList(blocks->GetCount())->get_Id(), blocks->GetCount());
  }
}
struct Probe {
  double number = -1;
  CString word, name;
  void set_Word(const CString& w) { word = w; }
  void set_Name(CString& n) { name = n; }
};
constexpr bm::reader::KeyField<Probe> kProbeKeys[] = {{"N", bm::reader::TakeNumber<&Probe::number>},
                                                      {"W", bm::reader::TakeWord<&Probe::set_Word>},
                                                      {"NAME", bm::reader::TakeName<Probe>}};

TEST(KeyTable, PositionalPairsTakeTheKeysOfTheTable) {
  // Tokens, the first key's position, then the number and word taken.
  const std::tuple<Tokens, int, double, const char*> cases[] = {
      {{"MATERIAL", "\"a\"", "N", "2.5", "W", "Steel"}, 3, 2.5, "STEEL"},
      {{"n", "4", " w", "x"}, 1, 4, "X"},        // keys compare without case or leading blanks
      {{"W", "a", "N"}, 1, -1, "A"},             // a key without its value is dropped
      {{"X", "N", "N", "7"}, 1, 7, ""},          // pairs by position: X takes "N" as its value
      {{"N", "1", "N", "2"}, 1, 2, ""},          // a key written twice: the last value stays
      {{"N", "1"}, 3, -1, ""},                   // no pair from `first`
      {{"KEY", "N", "3", "W", "v"}, 2, 3, "V"},  // an even start
  };
  for (const auto& [tokens, first, number, word] : cases) {
    Probe probe;
    bm::reader::TakeKeys(kProbeKeys, probe, *Line(tokens), first);
    EXPECT_DOUBLE_EQ(probe.number, number) << tokens[0] << " from " << first;
    EXPECT_EQ(probe.word, word) << tokens[0] << " from " << first;
  }
  // A group's lines in turn, and the name taken through set_Name.
  ZComItemList group;
  group.Add(Line({"NAME", "\"Ab\"", "N", "1"}).release());
  group.Add(Line({"W", "w", "N", "5"}).release());
  Probe probe;
  bm::reader::TakeKeys(kProbeKeys, probe, group, 1);
  EXPECT_EQ(probe.name + probe.word, "ABW");
  EXPECT_DOUBLE_EQ(probe.number, 5);
}

TEST(KeyTable, KeyedLinesTakeTheFirstPairAndMatchOnlyTheCaseOfLetters) {
  auto line = Line({"MATERIAL", "\"a\"", "N", "1", "Z", "3", "n", "2", "Z", "4"});
  bm::reader::KeyedLine keyed(*line, 3);
  Probe probe;
  bm::reader::TakeKeys(kProbeKeys, probe, keyed);
  EXPECT_DOUBLE_EQ(probe.number, 1);
  EXPECT_EQ(probe.word, "");
  bm::ReadReport report;
  keyed.ReportUnused(report, "MATERIAL");
  EXPECT_EQ(report.Total(), 1);  // Z only, once a line: both N pairs were looked up
  // A line of more pairs than a line holds in place.
  Tokens wide = {"MATERIAL", "\"a\""};
  for (int k = 1; k <= 20; ++k) wide.insert(wide.end(), {"K" + std::to_string(k), std::to_string(k)});
  auto wideLine = Line(wide);
  bm::reader::KeyedLine wideKeyed(*wideLine, 3);
  for (int k = 1; k <= 19; ++k) EXPECT_EQ(wideKeyed.Find("K" + std::to_string(k)), 2 + 2 * k) << k;
  wideKeyed.ReportUnused(report, "MATERIAL");
  EXPECT_EQ(report.Total(), 2);  // and K20
  // Every key asked for, and a value where a key should stand: still counted.
  auto stray = Line({"MATERIAL", "\"a\"", "N", "1", "5", "Z", "3"});
  bm::reader::KeyedLine strayKeyed(*stray, 3);
  EXPECT_EQ(strayKeyed.Find("N") + strayKeyed.Find("Z"), 4 + 7);
  bm::ReadReport strayReport;
  strayKeyed.ReportUnused(strayReport, "MATERIAL");
  EXPECT_EQ(strayReport.Total(), 1);
  // A key with no place in the model, keys taken by their values, the rest
  // taken at once: only the first is reported, as not model data.
  auto marked = Line({"AREAASSIGN", "\"F1\"", "SPRINGPROP", "\"S\"", "A", "1", "B", "2", "C", "3"});
  bm::reader::KeyedLine markedKeyed(*marked, 3);
  markedKeyed.NotModelData("SPRINGPROP");
  markedKeyed.NotModelData("SPRINGPROP");
  EXPECT_EQ(markedKeyed.Take(4), "");
  EXPECT_EQ(markedKeyed.Take(6), "A");
  EXPECT_EQ(markedKeyed.Take(6), "");
  EXPECT_EQ(markedKeyed.TakeRest(), 2);
  bm::ReadReport markedReport;
  markedKeyed.ReportUnused(markedReport, "AREAASSIGN");
  EXPECT_EQ(markedReport.Total(), 1);
  EXPECT_EQ(markedReport.Total(bm::ReadReport::Kind::kNotModelData), 1);
  // Only letters' case may differ, before and after the eighth byte.
  // "token key matches"
  for (const char* c : {"lengthoffi LENGTHOFFI 1", "LengthOffI LENGTHOFFI 1", "LENGTHOFFJ LENGTHOFFI 0",
                        "LENGTHOFF LENGTHOFFI 0", "a A 1", "z Z 1", "` @ 0", "{ [ 0", "A a 0",
                        "ab`{cdefg{ AB`{CDEFG{ 1", "ab`{cdefg{ AB@[CDEFG[ 0", "abcdefgh` ABCDEFGH@ 0"}) {
    std::string token, key;
    int match = 0;
    std::istringstream(c) >> token >> key >> match;
    auto l = Line({"LINEASSIGN", "\"B1\"", token, "7"});
    EXPECT_EQ(bm::reader::KeyedLine(*l, 3).Find(key.c_str()), match ? 4 : 0) << token << " " << key;
  }
}

}  // namespace
