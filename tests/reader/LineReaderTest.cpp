// Text line reader: token splitting, comment and empty lines, the runs that
// form keyword blocks, line ends and awkward bytes.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/Files.h"

namespace {

std::vector<std::string> Split(const std::string& line, int maxLen = 0) {
  ZFileReadModule reader;
  CStringArray items;
  const int n = reader.GetAllString(CString(line), items, maxLen);
  std::vector<std::string> out;
  for (const CString& s : items) out.push_back(s.str());
  EXPECT_EQ(n, static_cast<int>(out.size()));
  return out;
}

using Tokens = std::vector<std::string>;

TEST(LineReader, SplitsTokens) {
  const struct {
    std::string line;
    Tokens tokens;
  } cases[] = {
      {"  STORY \"S1\"  HEIGHT 3 $ top", {"STORY", "\"S1\"", "HEIGHT", "3"}},
      {"A\tB", {"A", "B"}},
      {"LOADCASE \"Live Load\"", {"LOADCASE", "\"Live Load\""}},
      {"LOADCASE Live Load", {"LOADCASE", "Live Load"}},
      {"LOADCASE \"Dead Load\"", {"LOADCASE", "\"Dead Load\""}},  // a quoted name is one token
      {"STORY \"LEVEL 1\"  HEIGHT 3", {"STORY", "\"LEVEL 1\"", "HEIGHT", "3"}},
      {"RELEASE \"TI M2I\"LENGTHOFFI 0.2", {"RELEASE", "\"TI M2I\"", "LENGTHOFFI", "0.2"}},  // glued key
      {"A \"open name", {"A", "\"open name"}},  // an unclosed quote runs to the line end
      {"A\"B C\" D", {"A", "\"B C\"", "D"}},    // a quote ends an unquoted word
      {"SHAPE \"I/Wide Flange\" D 1", {"SHAPE", "\"I/Wide Flange\"", "D", "1"}},
      {"Live\tLoad", {"Live Load"}},      // a tab counts as a space, also after "e"
      {"Live  Load", {"Live ", "Load"}},  // the second space ends the token
      {"LIVE LOAD", {"LIVE", "LOAD"}},    // only lower-case "e" keeps the space
      {"A B   ", {"A", "B"}},             // no empty trailing token
      {"     ", {}},
      {"", {}},
      {"$ whole", {"$", "whole"}},                                // "$" in column 1 is not cut here
      {"X \"a$b\" Y $ c", {"X", "\"a$b\"", "Y"}},                 // "$" inside quotes is no comment
      {"X a$b", {"X", "a"}},                                      // outside quotes it cuts the line
      {"\xA0\xA0word \"\xA0q\"", {"word", "\"\xA0q\""}},          // high bytes lost only between tokens
      {std::string("A\0B C", 5), {std::string("A\0B", 3), "C"}},  // NUL inside a token stays
      {std::string("\0\x01 A", 4), {"A"}},                        // control bytes between tokens are skipped
      {"a\x7F b", {"a\x7F", "b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Split(c.line), c.tokens) << "line '" << c.line << "'";
}

TEST(LineReader, LongTokensStayWholeUnlessALimitIsGiven) {
  const std::string longName(5000, 'N');
  EXPECT_EQ(Split("POINT " + longName + " 1"), (Tokens{"POINT", longName, "1"}));
  EXPECT_EQ(Split("ABCDEFG H", 3), (Tokens{"ABC", "DEF", "G", "H"}));
  EXPECT_EQ(Split("ABC DEF", 3), (Tokens{"ABC", "DEF"}));
}

// A file with the written header: a saved-by comment line, then an empty line.
std::string Header() { return "$ File saved by someone\n\n"; }

TEST(LineReader, FirstBlockOfAWrittenHeader) {
  bm::test::TempDir dir;
  CString path = dir.Write("a.e2k",
                           "$  File saved by Vorlan \n\n$PROGRAM INFORMATION\n"
                           " PROGRAM  \"ETABS\"  VERSION \"8.48\"\n\n")
                     .c_str();
  ZFileReadModule reader;
  ASSERT_TRUE(reader.Open(path));
  ZComItemList* blocks = reader.GetBlockList();
  ASSERT_EQ(blocks->GetCount(), 1);
  ZComItemList* block = blocks->GetComList(1);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->get_Name(), "PROGRAM");
  EXPECT_EQ(block->get_Id(), 1);
  ASSERT_EQ(block->GetCount(), 1);
  ZComItem* line = block->GetComItem(1);
  ASSERT_EQ(line->GetItemCount(), 4);
  EXPECT_EQ(line->Token(1), "PROGRAM");
  EXPECT_EQ(line->Token(2), "ETABS");
  EXPECT_EQ(line->Token(3), "VERSION");
  EXPECT_EQ(line->Token(4), "8.48");
}

// Reads `text` and returns each block as its name and line count.
std::vector<std::pair<std::string, int>> Blocks(const std::string& text, bool* ok = nullptr) {
  bm::test::TempDir dir;
  CString path = dir.Write("f.e2k", text).c_str();
  ZFileReadModule reader;
  const bool opened = reader.Open(path);
  if (ok) *ok = opened;
  std::vector<std::pair<std::string, int>> out;
  ZComItemList* blocks = reader.GetBlockList();
  for (int i = 1; i <= blocks->GetCount(); ++i) {
    out.emplace_back(blocks->GetItem(i)->get_Name().str(), blocks->GetComList(i)->GetCount());
  }
  return out;
}

using BlockShape = std::vector<std::pair<std::string, int>>;

TEST(LineReader, RunsOfDataLinesFormBlocks) {
  // A comment in column 1 is dropped inside a run; an indented one ends it.
  EXPECT_EQ(Blocks(Header() + "A 1\n$ note\nA 2\n   $ note\nB 1\n! x\nB 2\n  ! y\nC\n"),
            (BlockShape{{"A", 2}, {"B", 2}, {"C", 1}}));
  // Two empty lines, or an empty and an indented comment line, give two blocks.
  EXPECT_EQ(Blocks(Header() + "A 1\n\n\nB 1\n\n  $ c\nC 1\n"), (BlockShape{{"A", 1}, {"B", 1}, {"C", 1}}));
  // No line end after the last line; CR LF line ends; white space only lines.
  EXPECT_EQ(Blocks(Header() + "A 1\nA 2"), (BlockShape{{"A", 2}}));
  EXPECT_EQ(Blocks("$ h\r\n\r\nA 1\r\nA 2\r\n \t \r\nB \"q\"\r\n"), (BlockShape{{"A", 2}, {"B", 1}}));
  // The block is named by its first token without quotes, case kept.
  EXPECT_EQ(Blocks(Header() + "\"Story\" 1\nX\n"), (BlockShape{{"Story", 2}}));
  // A backslash is an ordinary byte: the line after it is kept.
  EXPECT_EQ(Blocks(Header() + "A \"c:\\dir\" 1\nA 2\n"), (BlockShape{{"A", 2}}));
  // A data line without any token still belongs to its block.
  EXPECT_EQ(Blocks(Header() + "\x01\x02\nA 1\n"), (BlockShape{{"", 2}}));
  // Comments before the header line are skipped as well.
  EXPECT_EQ(Blocks("$ a\n! b\n$ c\n\nA 1\n"), (BlockShape{{"A", 1}}));
}

TEST(LineReader, OpenFailsWithoutAFirstDataLine) {
  const std::string bad[] = {
      "A 1\n\nB 1\n",       // the first line is taken as the header, then an empty line
      Header(),             // nothing after the header
      "",                   // an empty file
      Header() + "\n A\n",  // an empty line after the header line
      Header() + "  $ x\nA\n",
  };
  for (const std::string& text : bad) {
    bool ok = true;
    EXPECT_TRUE(Blocks(text, &ok).empty()) << text;
    EXPECT_FALSE(ok) << text;
  }
  ZFileReadModule reader;
  CString missing = "/nonexistent/dir/none.e2k";
  EXPECT_FALSE(reader.Open(missing));
  EXPECT_EQ(reader.GetBlockList()->GetCount(), 0);
}

TEST(LineReader, SecondOpenAppendsBlocks) {
  bm::test::TempDir dir;
  CString a = dir.Write("a.e2k", Header() + "A 1\n").c_str();
  CString b = dir.Write("b.e2k", Header() + "B 1\n\nC 1\n").c_str();
  ZFileReadModule reader;
  ASSERT_TRUE(reader.Open(a));
  ASSERT_TRUE(reader.Open(b));
  ZComItemList* blocks = reader.GetBlockList();
  ASSERT_EQ(blocks->GetCount(), 3);
  EXPECT_EQ(blocks->GetItem(3)->get_Name(), "C");
  EXPECT_EQ(blocks->GetItem(3)->get_Id(), 3);
  EXPECT_EQ(blocks->GetComList(1)->GetItem(1)->get_Id(), 1);
}

TEST(LineReader, LongLinesNulAndHighBytesAreRead) {
  std::string longLine = "LOG \"" + std::string(200000, 'x') + "\"";
  std::string text = Header() + longLine + "\n" + std::string("N\0A \xFF\xFE 2\n", 10) + "\xC3\xA9T 1";
  bool ok = false;
  EXPECT_EQ(Blocks(text, &ok), (BlockShape{{"LOG", 3}}));
  EXPECT_TRUE(ok);
  bm::test::TempDir dir;
  CString path = dir.Write("n.e2k", text).c_str();
  ZFileReadModule reader;
  ASSERT_TRUE(reader.Open(path));
  ZComItemList* block = reader.GetBlockList()->GetComList(1);
  EXPECT_EQ(block->GetComItem(1)->Token(2).size(), 200000u);
  ZComItem* nul = block->GetComItem(2);
  ASSERT_EQ(nul->GetItemCount(), 2);
  EXPECT_EQ(nul->Token(1), std::string_view("N\0A", 3));
  EXPECT_EQ(nul->Token(2), "2");
  EXPECT_EQ(block->GetComItem(3)->Token(1), "T");  // leading high bytes are lost
}

TEST(LineReader, LongBlocksComeInPartsNamedAsTheBlock) {
  // Block A has five lines (its third begins with another word), block B one.
  const std::string text = Header() + "A 1\nA 2\nX 3\nA 4\nA 5\n\nB 1\n";
  using Part = std::tuple<std::string, std::string, bool>;  // name, lines' tokens, continues
  const struct {
    int maxLines;
    bool readRest;  // the rest of the first part's block is read into it
    std::vector<Part> parts;
  } cases[] = {
      {0, false, {{"A", "A1 A2 X3 A4 A5", false}, {"B", "B1", false}}},
      {2, false, {{"A", "A1 A2", true}, {"A", "X3 A4", true}, {"A", "A5", false}, {"B", "B1", false}}},
      {5, false, {{"A", "A1 A2 X3 A4 A5", false}, {"B", "B1", false}}},  // exactly maxLines: not cut
      {2, true, {{"A", "A1 A2 X3 A4 A5", false}, {"B", "B1", false}}},
  };
  for (const auto& c : cases) {
    ZFileReadModule reader;
    ASSERT_TRUE(reader.BeginBuffer(text.data(), text.size()));
    std::vector<Part> parts;
    bool rest = c.readRest;
    while (ZComItemList* block = reader.NextBlock(c.maxLines)) {
      if (rest && reader.PartContinues()) {
        EXPECT_TRUE(reader.ReadRest(block));
      }
      rest = false;
      std::string lines;
      for (int i = 1; i <= block->GetCount(); ++i) {
        const ZComItem* line = block->GetComItem(i);
        lines += (i > 1 ? " " : "") + std::string(line->Token(1)) + std::string(line->Token(2));
      }
      parts.emplace_back(block->name().str(), lines, reader.PartContinues());
      // A recycled block's lines are filled again by the next parts.
      if (block->GetCount() > 0 && block->GetComItem(1)->Token(2) == "1") reader.Recycle(block);
    }
    EXPECT_TRUE(reader.Finish());
    EXPECT_EQ(parts, c.parts) << c.maxLines;
    // Every part stays in the list, numbered in order; recycled ones are empty.
    ZComItemList* blocks = reader.GetBlockList();
    ASSERT_EQ(blocks->GetCount(), static_cast<int>(c.parts.size()));
    EXPECT_EQ(blocks->GetComList(1)->GetCount(), 0);
    ZComItemList* last = blocks->GetComList(blocks->GetCount());
    EXPECT_EQ(last->get_Id(), blocks->GetCount());
  }
}

}  // namespace
