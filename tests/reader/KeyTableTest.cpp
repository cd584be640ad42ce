// Key tables: the positional pair walk of version 8 lines and the look-ups of
// keyed lines, taking values into fields and setters.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "etabs_reader/KeyTable.h"
#include "etabs_reader/ReadReport.h"

namespace {

using bm::reader::KeyField;

struct Probe {
  double number = -1;
  CString word;
  CString name;
  void set_Word(const CString& w) { word = w; }
  void set_Name(CString& n) { name = n; }
};

constexpr KeyField<Probe> kProbeKeys[] = {{"N", bm::reader::TakeNumber<&Probe::number>},
                                          {"W", bm::reader::TakeWord<&Probe::set_Word>},
                                          {"NAME", bm::reader::TakeName<Probe>}};

std::unique_ptr<ZComItem> Line(const std::vector<const char*>& tokens) {
  CStringArray items;
  for (const char* t : tokens) items.Add(t);
  auto item = std::make_unique<ZComItem>();
  item->AddLineItem(items);
  return item;
}

TEST(KeyTable, PositionalPairsTakeTheKeysOfTheTable) {
  struct Case {
    std::vector<const char*> tokens;
    int first;
    double number;
    const char* word;
  };
  const Case cases[] = {
      {{"MATERIAL", "\"a\"", "N", "2.5", "W", "Steel"}, 3, 2.5, "STEEL"},
      {{"n", "4", " w", "x"}, 1, 4, "X"},        // keys compare without case or leading blanks
      {{"W", "a", "N"}, 1, -1, "A"},             // a key without its value is dropped
      {{"X", "N", "N", "7"}, 1, 7, ""},          // pairs by position: X takes "N" as its value
      {{"N", "1", "N", "2"}, 1, 2, ""},          // a key written twice: the last value stays
      {{"N", "1"}, 3, -1, ""},                   // no pair from `first`
      {{"KEY", "N", "3", "W", "v"}, 2, 3, "V"},  // an even start
  };
  for (const Case& c : cases) {
    std::unique_ptr<ZComItem> line = Line(c.tokens);
    Probe probe;
    bm::reader::TakeKeys(kProbeKeys, probe, *line, c.first);
    EXPECT_DOUBLE_EQ(probe.number, c.number) << c.tokens[0] << " from " << c.first;
    EXPECT_EQ(probe.word, c.word) << c.tokens[0] << " from " << c.first;
  }

  // A group's lines in turn, and the name taken through set_Name.
  ZComItemList group;
  group.Add(Line({"NAME", "\"Ab\"", "N", "1"}).release());
  group.Add(Line({"W", "w", "N", "5"}).release());
  Probe probe;
  bm::reader::TakeKeys(kProbeKeys, probe, group, 1);
  EXPECT_EQ(probe.name, "AB");
  EXPECT_EQ(probe.word, "W");
  EXPECT_DOUBLE_EQ(probe.number, 5);
}

TEST(KeyTable, KeyedLinesTakeTheFirstPairAndMarkItUsed) {
  std::unique_ptr<ZComItem> line = Line({"MATERIAL", "\"a\"", "N", "1", "Z", "3", "n", "2"});
  bm::reader::KeyedLine kl(*line, 3);
  Probe probe;
  bm::reader::TakeKeys(kProbeKeys, probe, kl);
  EXPECT_DOUBLE_EQ(probe.number, 1);
  EXPECT_EQ(probe.word, "");
  bm::ReadReport report;
  kl.ReportUnused(report, "MATERIAL");
  EXPECT_EQ(report.Total(), 1);  // Z only: both N pairs were looked up
}

TEST(KeyTable, KeyedLineKeysMatchWhateverTheirCaseAndNothingElse) {
  // A line's key matches a handler's upper-case key when only the case of
  // its letters differs, before and after its eighth byte; the bytes next
  // to the letters ('@', '[', '`', '{') never stand for one another.
  const struct {
    const char* token;
    const char* key;
    bool match;
  } cases[] = {{"lengthoffi", "LENGTHOFFI", true},
               {"LengthOffI", "LENGTHOFFI", true},
               {"LENGTHOFFJ", "LENGTHOFFI", false},
               {"LENGTHOFF", "LENGTHOFFI", false},
               {"a", "A", true},
               {"z", "Z", true},
               {"`", "@", false},
               {"{", "[", false},
               {"ab`{cdefg{", "AB`{CDEFG{", true},
               {"ab`{cdefg{", "AB@[CDEFG[", false},
               {"abcdefgh`", "ABCDEFGH@", false},
               {"A", "a", false}};
  for (const auto& c : cases) {
    std::unique_ptr<ZComItem> line = Line({"LINEASSIGN", "\"B1\"", c.token, "7"});
    bm::reader::KeyedLine kl(*line, 3);
    EXPECT_EQ(kl.Find(c.key), c.match ? 4 : 0) << c.token << " " << c.key;
  }
}

}  // namespace
