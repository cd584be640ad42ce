// Wrong inputs told apart: files that are no model, a text model cut off
// before its END line, an archive with bytes after its last block; and the
// right inputs (corpus, test data, fuzz seeds) still taken for what they are.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "ToolRunner.h"

namespace bm::test {
namespace {

namespace fs = std::filesystem;

const char kNotAModel[] = "not a model file (neither a text model nor a model archive)";

std::string Noise(size_t n) {
  std::mt19937 random(2024);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(random() & 0xFF);
  return s;
}

std::string Repeat(const std::string& line, size_t times) {
  std::string s;
  for (size_t i = 0; i < times; ++i) s += line;
  return s;
}

std::string Int32(int32_t v) {
  std::string s(4, '\0');
  for (size_t i = 0; i < 4; ++i) s[i] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
  return s;
}

// A class record: schema 1, the name's length and the name.
std::string ClassRecord(const std::string& name) {
  return std::string("\x01\x00", 2) + static_cast<char>(name.size()) + '\0' + name;
}

const std::string kUnits = "\x02KN\x01M";
// The start of an executable: a DEL byte, "ELF" and header bytes.
const std::string kElf = std::string(1, '\x7F') + "ELF\x02\x01\x01";

// What DetectModelForm makes of a file's bytes: "text", "archive", or the
// reason it gives.
std::string Detected(const TempDir& dir, const std::string& bytes) {
  const std::string path = dir.File("input");
  WriteFile(path, bytes);
  ModelForm form = ModelForm::kText;
  const std::string problem = DetectModelForm(path, &form);
  if (!problem.empty()) return problem;
  return form == ModelForm::kText ? "text" : "archive";
}

TEST(WrongInput, TheFirstBytesTellTextModelArchiveOrNeither) {
  const std::string comments = Repeat("$ a comment line of the header, no keyword on it\n", 400);  // ~20 KiB
  const struct {
    const char* what;
    std::string bytes;
    const char* expected;
  } cases[] = {
      // Text: the first line that is neither blank nor a comment starts with
      // a keyword of some version.
      {"written header", "$ File saved\n\n$ PROGRAM\n  PROGRAM  \"ETABS\"  VERSION \"9.7.3\"\n", "text"},
      {"byte-order mark", "\xEF\xBB\xBF  STORY \"S1\"  HEIGHT 3\n", "text"},
      {"CR LF, indented comment", "$ x\r\n \r\n   $ y\r\n\tUNITS \"KN\" \"M\"\r\n", "text"},
      {"keyword glued to a quote", "LOADPATTERN\"DEAD\"  TYPE  \"Dead\"\n", "text"},
      {"lower-case keyword", "story \"S1\" height 3\n", "text"},
      {"comments past 4 KiB", comments + "  POINT \"1\"  0 0\n", "text"},
      {"only comments", comments, kNotAModel},
      {"comments past 64 KiB", Repeat(comments, 4) + "  POINT \"1\"  0 0\n", kNotAModel},
      {"hello world", "hello world\n", kNotAModel},
      {"keyword inside a word", "Line-by-line notes\n", kNotAModel},
      {"Markdown", "# buildingmodel\n\nSTORY lines ...\n", kNotAModel},
      {"SVG", "<svg xmlns=\"http://www.w3.org/2000/svg\"><path d=\"M0 0\"/></svg>\n", kNotAModel},
      {"ELF", kElf + std::string(60, '\0'), kNotAModel},
      {"noise", Noise(3000), kNotAModel},
      {"empty", "", "the file is empty"},
      // Archive: units, list block counts within the file, a class record.
      {"one diaphragm", kUnits + Int32(1) + ClassRecord("CBMDiaphragm") + std::string(20, '\0'), "archive"},
      {"empty model", std::string(2, '\0') + std::string(48, '\0'), "archive"},
      {"wide unit words", std::string("\xFF\xFE\xFF\x02K\0N\0", 8) + "\x01M" + Int32(0), "archive"},
      {"unknown class (a corrupt archive)", kUnits + Int32(1) + ClassRecord("CBMXX") + "x", "archive"},
      {"cut after the units", kUnits, "archive"},
      {"cut in the class record", kUnits + Int32(1) + ClassRecord("CBMDiaphragm").substr(0, 7), "archive"},
      {"control byte in a unit word", "\x02K\nN\x01M" + Int32(0), kNotAModel},
      {"unit word of 32 bytes (a host may set any)", ' ' + std::string(32, 'K') + "\x01M" + Int32(0),
       "archive"},
      {"negative count", kUnits + Int32(-1), kNotAModel},
      {"count past the file's end", kUnits + Int32(1000) + ClassRecord("CBMDiaphragm"), kNotAModel},
      {"class name with a dash", kUnits + Int32(1) + ClassRecord("CBM-Level") + "x", kNotAModel},
      {"class name from a digit", kUnits + Int32(1) + ClassRecord("9Level") + "x", kNotAModel},
      {"class name empty", kUnits + Int32(1) + ClassRecord("") + "xxxx", kNotAModel},
  };
  TempDir dir;
  for (const auto& c : cases) EXPECT_EQ(Detected(dir, c.bytes), c.expected) << c.what;
}

// The demo building's text model and archive, built once.
class WrongInputTool : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (ToolPath().empty()) return;
    dir_ = new TempDir;
    const ToolResult r = RunTool({"demo", "."}, dir_->path());
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  void SetUp() override {
    if (ToolPath().empty()) GTEST_SKIP() << "built without bmtool";
  }
  static ToolResult Run(const std::vector<std::string>& args) { return RunTool(args, dir_->path()); }
  static std::string Path(const std::string& name) { return dir_->File(name); }

  static TempDir* dir_;
};
TempDir* WrongInputTool::dir_ = nullptr;

// The ways of reading a file that every reading command takes, with the
// arguments after the file.
const std::vector<std::pair<std::string, std::vector<std::string>>> kReadingCommands = {
    {"info", {}},
    {"convert", {"out.bma"}},
    {"export", {"-o", "out.json"}},
    {"plot", {"-o", "out.svg"}},
    {"view", {"-o", "out.html"}},
};

TEST_F(WrongInputTool, FilesThatAreNoModelExitOneNamingTheFile) {
  const std::pair<const char*, std::string> files[] = {
      {"noise.bin", Noise(3000)},
      {"program", kElf + Noise(500)},
      {"README.md", "# A project\n\nIt reads models.\n\n    bmtool info FILE\n"},
      {"drawing.svg", "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"/>\n"},
      {"hello.e2k", "hello world\n"},
      {"comments.e2k", Repeat("$ nothing but comments\n", 300)},
  };
  for (const auto& [name, bytes] : files) WriteFile(Path(name), bytes);
  WriteFile(Path("empty.e2k"), "");
  std::vector<std::pair<std::string, std::string>> cases = {{"empty.e2k", "the file is empty"}};
  for (const auto& [name, bytes] : files) cases.push_back({name, kNotAModel});

  for (const auto& [file, reason] : cases) {
    for (const auto& [command, rest] : kReadingCommands) {
      std::vector<std::string> args = {command, file};
      args.insert(args.end(), rest.begin(), rest.end());
      const std::string out = Path(rest.empty() ? "none" : rest.back());
      fs::remove(out);
      const ToolResult r = Run(args);
      EXPECT_EQ(r.exitCode, 1) << command << " " << file << "\n" << r.out << r.err;
      EXPECT_EQ(r.err, "bmtool: cannot read " + file + ": " + reason + "\n") << command;
      EXPECT_FALSE(fs::exists(out)) << command << " " << file;
    }
  }
}

TEST_F(WrongInputTool, CutOffTextAndTrailingBytesWarnAndFailStrict) {
  const std::string text = ReadFile(Path("demo.e2k"));
  const size_t end = text.rfind("\n END");
  ASSERT_NE(end, std::string::npos);
  WriteFile(Path("before_end.e2k"), text.substr(0, end + 1));
  WriteFile(Path("half.e2k"), text.substr(0, text.size() / 2));
  WriteFile(Path("trailing.bma"), ReadFile(Path("demo.bma")) + "12345678");
  const std::string cutOff =
      ": no END line at its end: the text model may have been cut off, and what followed is lost\n";
  const struct {
    const char* file;
    std::string warning;   // the whole stderr of a plain read
    const char* lastLine;  // of info
  } cases[] = {
      {"before_end.e2k", "bmtool: before_end.e2k" + cutOff,
       "model data not taken: 1 line (--report lists them)"},
      {"half.e2k", "bmtool: half.e2k" + cutOff, "model data not taken: 1 line (--report lists them)"},
      {"trailing.bma", "bmtool: trailing.bma: 8 bytes after the model archive's last block (not read)\n",
       "model data not taken: 0 lines (model archive: every record is read; bytes after its last block, not "
       "read: 8)"},
      {"demo.e2k", "", "model data not taken: 0 lines (--report lists the others)"},
      {"demo.bma", "", "model data not taken: 0 lines (model archive: every record is read)"},
  };
  for (const auto& c : cases) {
    const bool complete = c.warning.empty();
    const std::string file = c.file;
    ToolResult r = Run({"info", file});
    EXPECT_EQ(r.exitCode, 0) << file << "\n" << r.err;
    EXPECT_EQ(r.err, c.warning);
    EXPECT_NE(r.out.find("\n" + std::string(c.lastLine) + "\n"), std::string::npos) << file << "\n" << r.out;
    EXPECT_EQ(Run({"info", "-q", file}).err, "") << file;
    for (const auto& [command, rest] : kReadingCommands) {
      std::vector<std::string> args = {command, file};
      args.insert(args.end(), rest.begin(), rest.end());
      r = Run(args);
      EXPECT_EQ(r.exitCode, 0) << command << " " << file << "\n" << r.err;
      EXPECT_EQ(r.err, c.warning) << command;
      // plot reads no --strict.
      if (command == "plot") continue;
      args.push_back("--strict");
      r = Run(args);
      EXPECT_EQ(r.exitCode, complete ? 0 : 3) << command << " " << file << "\n" << r.err;
      EXPECT_EQ(r.err.find("bmtool: --strict: ") != std::string::npos, !complete) << command << "\n" << r.err;
    }
  }
  // --strict writes nothing when the input was not whole.
  fs::remove(Path("whole.e2k"));
  EXPECT_EQ(Run({"convert", "trailing.bma", "whole.e2k", "--strict"}).exitCode, 3);
  EXPECT_FALSE(fs::exists(Path("whole.e2k")));
  EXPECT_NE(Run({"info", "--strict", "trailing.bma"}).err.find("bmtool: --strict: 8 bytes after"),
            std::string::npos);
}

// Loads `path` and returns the reason, or an empty string.
std::string Load(const fs::path& path, LoadResult* result) {
  CBuildingModule module;
  return LoadModel(path.string(), module, result);
}

std::vector<fs::path> FilesUnder(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file()) files.push_back(it->path());
  }
  return files;
}

TEST(WrongInput, CorpusAndTestDataReadForWhatTheyAre) {
  const fs::path corpus = fs::path(BM_CORPUS_DIR) / "e2k";
  const fs::path data = BM_TEST_DATA_DIR;
  std::vector<fs::path> texts = FilesUnder(corpus);
  int archives = 0;
  for (const fs::path& path : FilesUnder(data)) {
    if (path.extension() == ".e2k") texts.push_back(path);
    if (path.extension() != ".bma") continue;
    // The regression archives are corrupt on purpose: still archives.
    ++archives;
    ModelForm form = ModelForm::kText;
    EXPECT_EQ(DetectModelForm(path.string(), &form), "") << path;
    EXPECT_EQ(form, ModelForm::kArchive) << path;
  }
  EXPECT_GT(archives, 0);
  for (const fs::path& path : texts) {
    LoadResult result;
    EXPECT_EQ(Load(path, &result), "") << path;
    EXPECT_EQ(result.form, ModelForm::kText) << path;
    EXPECT_FALSE(result.endLineMissing) << path;
    EXPECT_EQ(result.readReport.Get("END", skip::kEndMissing), 0) << path;
  }
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus << " (test data read)";
}

TEST(WrongInput, FuzzSeedsAreReadOrRefusedWithAReason) {
  const fs::path seeds = fs::path(BM_TEST_DATA_DIR) / ".." / ".." / "fuzz" / "seeds";
  const std::vector<fs::path> files = FilesUnder(seeds);
  if (files.empty()) GTEST_SKIP() << "no fuzz seeds at " << seeds;
  for (const fs::path& path : files) {
    LoadResult result;
    const std::string problem = Load(path, &result);
    EXPECT_EQ(problem.empty(), result.failure == LoadFailure::kNone) << path << ": " << problem;
    // The archive seeds are whole archives the library wrote.
    if (path.parent_path().filename() == "archive") {
      EXPECT_EQ(problem, "") << path;
      EXPECT_EQ(result.trailingBytes, 0u) << path;
    }
  }
}

}  // namespace
}  // namespace bm::test
