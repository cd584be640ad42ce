// The fuzz targets read their inputs from memory and mutate them by
// structure: reading a buffer must give what reading the same bytes from a
// file gives, and each mutation must keep the promise it makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "FuzzTargets.h"
#include "TextMutator.h"
#include "etabs_reader/ZAdapterEtabs8.h"
#include "etabs_reader/ZFileReadModule.h"
#include "etabs_writer/E2kWriter.h"
#include "model/BuildingModule.h"
#include "support/Files.h"

namespace {

using bm::fuzz::TextMutation;

// Every block as its name and its lines' tokens joined by "|".
std::vector<std::string> Blocks(ZFileReadModule& reader) {
  std::vector<std::string> out;
  ZComItemList* blocks = reader.GetBlockList();
  for (int b = 1; b <= blocks->GetCount(); ++b) {
    const ZComItemList* block = blocks->GetComList(b);
    std::string text = std::string(block->get_Name().view()) + ":";
    for (int l = 1; l <= block->GetCount(); ++l) {
      const ZComItem* line = block->GetComItem(l);
      for (int t = 1; t <= line->GetItemCount(); ++t) text += std::string(line->Token(t)) + "|";
      text += ";";
    }
    out.push_back(text);
  }
  return out;
}

TEST(ReadBuffer, SplitsLinesAsTheFileReaderDoes) {
  const std::vector<std::string> inputs = {
      "",
      "$ header only\n",
      "$ c\n\nPROGRAM \"X\" VERSION \"9\"\nSTORY \"A\" HEIGHT 3\n",
      "first\r\nPROGRAM X\r\n\r\nSTORY B\r",                // CR LF, last line without LF
      "h\nA 1\n$ comment\nA 2\n  $ indented\nB \"x y\" 3",  // comments end or keep blocks
      "h\n\n\n\nA\n\r\n\rB\n",                              // empty lines, a lone CR
      std::string("h\nA \0 1\nB\n", 11),                    // a NUL byte inside a line
  };
  const bm::test::TempDir dir;
  const std::string path = dir.File("input.e2k");
  for (const std::string& input : inputs) {
    bm::fuzz::WriteWholeFile(path, reinterpret_cast<const uint8_t*>(input.data()), input.size());
    ZFileReadModule fromFile;
    ZFileReadModule fromBuffer;
    CString p(path);
    EXPECT_EQ(fromFile.Open(p), fromBuffer.OpenBuffer(input.data(), input.size())) << input;
    EXPECT_EQ(Blocks(fromFile), Blocks(fromBuffer)) << input;
  }
}

TEST(ReadBuffer, ReadsTheSameModelAsReadFile) {
  for (const auto& entry : std::filesystem::directory_iterator(BM_FUZZ_SEED_DIR "/text_reader")) {
    const std::vector<uint8_t> bytes = bm::fuzz::ReadWholeFile(entry.path().string());
    CBuildingModule a;
    CBuildingModule b;
    ZAdapterEtabs8 fromFile;
    ZAdapterEtabs8 fromBuffer;
    fromFile.SetBuildingModule(&a);
    fromBuffer.SetBuildingModule(&b);
    CString path(entry.path().string());
    EXPECT_EQ(fromFile.ReadFile(path),
              fromBuffer.ReadBuffer(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    EXPECT_EQ(fromFile.GetFileVersion(), fromBuffer.GetFileVersion()) << entry.path();
    EXPECT_EQ(fromFile.GetReadReport().Total(), fromBuffer.GetReadReport().Total()) << entry.path();
    EXPECT_EQ(bm::GenerateETABS8Text(a), bm::GenerateETABS8Text(b)) << entry.path();
  }
}

std::vector<std::string> SortedLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t begin = 0;
  for (size_t nl; (nl = text.find('\n', begin)) != std::string::npos; begin = nl + 1)
    lines.push_back(text.substr(begin, nl - begin));
  lines.push_back(text.substr(begin));
  std::sort(lines.begin(), lines.end());
  return lines;
}

std::set<std::string> QuotedNames(const std::string& text) {
  std::set<std::string> names;
  const std::regex quoted("\"[^\"\n]*\"");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), quoted); it != std::sregex_iterator(); ++it)
    names.insert(it->str());
  return names;
}

int VersionRead(const std::string& text) {
  CBuildingModule module;
  ZAdapterEtabs8 adapter;
  adapter.SetBuildingModule(&module);
  adapter.SetProcessGeometry(false);
  EXPECT_TRUE(adapter.ReadBuffer(text.data(), text.size())) << text;
  return adapter.GetFileVersion();
}

const std::string kSample =
    "$ header\n\n$ PROGRAM INFORMATION\n  PROGRAM  \"ETABS\"  VERSION \"9.7.4\"\n\n$ STORIES\n"
    "  STORY \"S2\"  HEIGHT 3.5\n  STORY \"S1\"  HEIGHT 4\n  STORY \"BASE\"  ELEV 0\n";

TEST(TextMutator, EachMutationKeepsItsPromise) {
  struct Case {
    TextMutation mutation;
    std::string input;
    bool applies;
    // Holds between the input and the output when the mutation applied.
    bool (*holds)(const std::string& in, const std::string& out);
  };
  const Case cases[] = {
      {TextMutation::kDeleteLine, kSample, true,
       [](const std::string& in, const std::string& out) {
         return SortedLines(out).size() + 1 == SortedLines(in).size();
       }},
      {TextMutation::kDuplicateLine, kSample, true,
       [](const std::string& in, const std::string& out) {
         return SortedLines(out).size() == SortedLines(in).size() + 1;
       }},
      {TextMutation::kSwapLines, kSample, true,
       [](const std::string& in, const std::string& out) { return SortedLines(out) == SortedLines(in); }},
      {TextMutation::kSwapName, kSample, true,
       [](const std::string& in, const std::string& out) {
         const auto before = QuotedNames(in);
         const auto after = QuotedNames(out);
         return std::includes(before.begin(), before.end(), after.begin(), after.end());
       }},
      {TextMutation::kSwapName, "h\nA \"only\" 1\n", false, nullptr},
      {TextMutation::kEdgeNumber, "h\nA \"x\" B\n", false, nullptr},
      {TextMutation::kEdgeNumber, kSample, true,
       [](const std::string& in, const std::string& out) {
         return SortedLines(in).size() == SortedLines(out).size();
       }},
      {TextMutation::kSetVersion, kSample, true,
       [](const std::string&, const std::string& out) {
         return VersionRead(out) >= 8 && VersionRead(out) <= 22;
       }},
      {TextMutation::kSetVersion, "h\nSTORY \"A\" HEIGHT 3\n", true,
       [](const std::string&, const std::string& out) {
         return VersionRead(out) >= 8 && VersionRead(out) <= 22;
       }},
      {TextMutation::kSetVersion, "h\nPROGRAM \"X\"\n", true,
       [](const std::string&, const std::string& out) {
         return VersionRead(out) >= 8 && VersionRead(out) <= 22;
       }},
      {TextMutation::kAddBlock, kSample, true,
       [](const std::string& in, const std::string& out) {
         return out.find("$ BLOCK\n") != std::string::npos && out.size() > in.size();
       }},
      {TextMutation::kSwapToken, "", false, nullptr},
  };
  for (const Case& c : cases) {
    for (unsigned seed = 0; seed < 20; ++seed) {
      std::mt19937 rng(seed);
      std::string text = c.input;
      const bool applied = bm::fuzz::MutateText(text, c.mutation, rng);
      if (!c.applies) {
        EXPECT_FALSE(applied) << static_cast<int>(c.mutation);
        EXPECT_EQ(text, c.input);
        continue;
      }
      if (!applied) continue;  // e.g. two lines drawn that are the same line
      EXPECT_TRUE(c.holds(c.input, text)) << static_cast<int>(c.mutation) << " seed " << seed << ":\n"
                                          << text;
    }
  }
}

size_t TruncatingByteMutate(uint8_t*, size_t size, size_t maxSize) { return std::min(size, maxSize); }

TEST(TextMutator, NeverWritesPastTheMaximumSize) {
  std::vector<uint8_t> buffer(kSample.begin(), kSample.end());
  for (unsigned seed = 0; seed < 200; ++seed) {
    const size_t maxSize = buffer.size() + seed % 8;
    std::vector<uint8_t> data(maxSize, 0);
    std::copy(buffer.begin(), buffer.end(), data.begin());
    const size_t size =
        bm::fuzz::MutateTextInput(data.data(), buffer.size(), maxSize, seed, TruncatingByteMutate);
    EXPECT_LE(size, maxSize) << seed;
  }
}

}  // namespace
