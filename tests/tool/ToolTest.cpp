// bmtool end to end: demo, info, convert, plot, and its failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <regex>
#include <sstream>
#include <tuple>

#include "ToolRunner.h"

namespace bm::test {
namespace {

namespace fs = std::filesystem;

#define REQUIRE_TOOL()                                              \
  do {                                                              \
    if (ToolPath().empty()) GTEST_SKIP() << "built without bmtool"; \
  } while (0)

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

// The storey table of `bmtool info` (header to total line).
std::string StoreyTable(const std::string& info) {
  const size_t begin = info.find("storeys (");
  const size_t end = info.find("model:");
  return begin == std::string::npos || end == std::string::npos ? std::string()
                                                                : info.substr(begin, end - begin);
}

// Builds the default demo building once per test that needs it.
class ToolDemo : public ::testing::Test {
 protected:
  void SetUp() override {
    if (ToolPath().empty()) GTEST_SKIP() << "built without bmtool";
    const ToolResult r = RunTool({"demo", "out"}, dir_.path());
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    text_ = dir_.File("out/demo.e2k");
    archive_ = dir_.File("out/demo.bma");
  }
  ToolResult Run(const std::vector<std::string>& args) { return RunTool(args, dir_.path()); }

  TempDir dir_;
  std::string text_;
  std::string archive_;
};

TEST(Tool, DemoWritesBothFormsAndReadsThemBack) {
  REQUIRE_TOOL();
  TempDir dir;
  // Into the current folder by default.
  ToolResult r = RunTool({"demo"}, dir.path());
  ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
  EXPECT_TRUE(fs::exists(dir.File("demo.e2k")));
  EXPECT_TRUE(fs::exists(dir.File("demo.bma")));
  // Both read-backs hold the structure and the loads built (line loads of
  // every type, area loads).
  EXPECT_EQ(Count(r.out, "same structure and loads as built"), 2) << r.out << r.err;
  EXPECT_EQ(Count(r.out, "310 line loads (UNIFF 155, TRAPF 80, POINTF 75), 120 area loads"), 2) << r.out;
  EXPECT_NE(r.out.find("100 columns, 155 beams, 20 braces, 30 walls, 60 slabs"), std::string::npos) << r.out;
  EXPECT_FALSE(LooksLikeCrash(r.err)) << r.err;

  // A generated size, into a folder that does not exist yet.
  r = RunTool({"demo", "a/b", "--storeys", "3", "--bays-x=2", "--bays-y", "1"}, dir.path());
  ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
  // 3 storeys of 6 columns, 7 beams, 4 braces, 2 walls, 2 slabs.
  EXPECT_NE(r.out.find("4 levels, 18 columns, 21 beams, 12 braces, 6 walls, 6 slabs (63 members)"),
            std::string::npos)
      << r.out;
  EXPECT_TRUE(fs::exists(dir.File("a/b/demo.e2k")));
  const std::string text = ReadFile(dir.File("a/b/demo.e2k"));
  EXPECT_EQ(text.rfind("$End of Model file!"), text.size() - 19);
#ifdef _WIN32
  EXPECT_EQ(Count(text, "\r\n"), Count(text, "\n"));  // every line ends in CR LF
#else
  EXPECT_EQ(text.find('\r'), std::string::npos);
#endif
}

TEST_F(ToolDemo, InfoShowsStoreysFromTheTopForBothForms) {
  const ToolResult text = Run({"info", text_});
  const ToolResult archive = Run({"info", archive_});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  ASSERT_EQ(archive.exitCode, 0) << archive.err;
  EXPECT_NE(text.out.find(": text model\n"), std::string::npos);
  EXPECT_NE(archive.out.find(": model archive\n"), std::string::npos);
  for (const ToolResult* r : {&text, &archive}) {
    EXPECT_NE(r->out.find("units: force \"KN\", length \"M\""), std::string::npos);
    EXPECT_NE(
        r->out.find("20 points, 71 lines, 18 areas, 2 materials, 4 frame sections, 2 wall/slab sections, "
                    "3 load cases, 1 diaphragms, 6 piers"),
        std::string::npos)
        << r->out;
  }
  // The file's own model has the elevations that the file's heights give.
  const std::string table = StoreyTable(text.out);
  EXPECT_EQ(table, StoreyTable(archive.out));
  // Top storey first, base last, with elevation, height and counts.
  const std::regex top(R"(\n  STORY5 +18\.900 +3\.600 +20 +31 +20 +4 +6 +12\n)");
  const std::regex base(R"(\n  BASE +0\.000 +0\.000 +20 +0 +0 +0 +0 +0\n  total)");
  EXPECT_TRUE(std::regex_search(table, top)) << table;
  EXPECT_TRUE(std::regex_search(table, base)) << table;
  EXPECT_LT(table.find("STORY5"), table.find("STORY1"));
  // The last line: how much model data the reader did not take; the line
  // before it the other kinds. Short: no listing without --report.
  const std::regex summary(R"(\nalso not taken: \d+ lines? not model data, \d+ unused keys of taken lines\n)"
                           R"(model data not taken: \d+ lines?( \(--report lists (them|the others)\))?\n$)");
  EXPECT_TRUE(std::regex_search(text.out, summary)) << text.out;
  EXPECT_EQ(text.out.find("not taken by the reader:"), std::string::npos) << text.out;
  const std::string archiveEnd = "\nmodel data not taken: 0 lines (model archive: every record is read)\n";
  EXPECT_EQ(archive.out.rfind(archiveEnd), archive.out.size() - archiveEnd.size()) << archive.out;
}

TEST_F(ToolDemo, ConvertRoundTripsReachTheSameBytes) {
  // Text -> archive -> text gives what text -> text gives.
  ASSERT_EQ(Run({"convert", text_, "a.bma"}).exitCode, 0);
  ASSERT_EQ(Run({"convert", "a.bma", "b.e2k"}).exitCode, 0);
  const ToolResult direct = Run({"convert", text_, "c.$ET"});
  ASSERT_EQ(direct.exitCode, 0) << direct.err;
  EXPECT_NE(direct.out.find("writer skipped nothing"), std::string::npos) << direct.out;
  EXPECT_TRUE(SameBytes(ReadFile(dir_.File("b.e2k")), ReadFile(dir_.File("c.$ET"))));
  // Read as the file's own model, the text writes itself again.
  EXPECT_TRUE(SameBytes(ReadFile(text_), ReadFile(dir_.File("c.$ET"))));
  // Reading that text again and archiving gives the first archive again.
  ASSERT_EQ(Run({"convert", "b.e2k", "d.bma"}).exitCode, 0);
  EXPECT_TRUE(SameBytes(ReadFile(dir_.File("a.bma")), ReadFile(dir_.File("d.bma"))));
  // The demo's archive keeps everything its text shows.
  ASSERT_EQ(Run({"convert", archive_, "e.e2k"}).exitCode, 0);
  EXPECT_TRUE(SameBytes(ReadFile(text_), ReadFile(dir_.File("e.e2k"))));
  // Archive -> archive reaches a fixpoint after one load. The first load can
  // change bytes: an element's archived Id is its position in the last list
  // that numbered it, and the joints' connection lists are rebuilt in
  // another order than the managers filled them.
  ASSERT_EQ(Run({"convert", archive_, "f.bin"}).exitCode, 0);
  ASSERT_EQ(Run({"convert", "f.bin", "g.bin"}).exitCode, 0);
  EXPECT_EQ(ReadFile(archive_).size(), ReadFile(dir_.File("f.bin")).size());
  EXPECT_TRUE(SameBytes(ReadFile(dir_.File("f.bin")), ReadFile(dir_.File("g.bin"))));
}

TEST_F(ToolDemo, ConvertOutputFormFollowsExtensionUnlessTold) {
  ASSERT_EQ(Run({"convert", archive_, "x.dat", "--to", "text"}).exitCode, 0);
  EXPECT_EQ(ReadFile(dir_.File("x.dat")).substr(0, 1), "$");
  ASSERT_EQ(Run({"convert", text_, "y.e2k", "--to=archive"}).exitCode, 0);
  const ToolResult info = Run({"info", "y.e2k"});
  ASSERT_EQ(info.exitCode, 0) << info.err;
  EXPECT_NE(info.out.find("y.e2k: model archive"), std::string::npos) << info.out;
  ASSERT_EQ(Run({"convert", text_, "z.E2K"}).exitCode, 0);
  EXPECT_EQ(ReadFile(dir_.File("z.E2K")).substr(0, 1), "$");
}

TEST_F(ToolDemo, ConvertRefusesToWriteOverItsInput) {
  const std::string original = ReadFile(text_);
  WriteFile(dir_.File("in.e2k"), original);
  fs::create_directory(dir_.path() / "sub");
  fs::create_hard_link(dir_.path() / "in.e2k", dir_.path() / "hard.e2k");
  std::vector<std::string> outs = {"in.e2k", "./in.e2k", "sub/../in.e2k", "hard.e2k"};
  // Symbolic links need a privilege on Windows.
  std::error_code noLink;
  fs::create_symlink("in.e2k", dir_.path() / "soft.bma", noLink);
  if (!noLink) outs.push_back("soft.bma");
  for (const std::string& out : outs) {
    const ToolResult r = Run({"convert", "in.e2k", out, "--to", "archive"});
    EXPECT_EQ(r.exitCode, 2) << out << "\n" << r.out << r.err;
    EXPECT_NE(r.err.find("convert will not write over its input in.e2k"), std::string::npos) << r.err;
    EXPECT_TRUE(SameBytes(ReadFile(dir_.File("in.e2k")), original)) << out;
  }
  // Another existing file is overwritten as before.
  WriteFile(dir_.File("other.e2k"), "old");
  EXPECT_EQ(Run({"convert", "in.e2k", "other.e2k"}).exitCode, 0);
  EXPECT_EQ(ReadFile(dir_.File("other.e2k")).size(), original.size());
}

TEST_F(ToolDemo, TextIsReadAsTheFilesOwnModelUnlessProcessIsAsked) {
  // The demo's text without its supports, wall W1's pier labelled CORE.
  std::string text;
  std::istringstream lines(ReadFile(text_));
  for (std::string line; std::getline(lines, line);) {
    if (line.find("RESTRAINT") != std::string::npos) continue;
    const size_t pier = line.find("\"PW1\"");
    if (pier != std::string::npos) line.replace(pier, 5, "\"CORE\"");
    text += line + "\n";
  }
  WriteFile(dir_.File("own.e2k"), text);
  const ToolResult own = Run({"info", "own.e2k"});
  const ToolResult processed = Run({"info", "own.e2k", "--process"});
  ASSERT_EQ(own.exitCode + processed.exitCode, 0) << own.err << processed.err;
  // Processing fixes the feet of the first storey's columns and walls.
  EXPECT_NE(own.out.find("; 0 supports\n"), std::string::npos) << own.out;
  EXPECT_NE(processed.out.find("; 20 supports\n"), std::string::npos) << processed.out;
  // ... and relabels every wall's pier "P" + wall name.
  ASSERT_EQ(Run({"convert", "own.e2k", "own_out.e2k"}).exitCode, 0);
  ASSERT_EQ(Run({"convert", "own.e2k", "processed_out.e2k", "--process"}).exitCode, 0);
  EXPECT_EQ(Count(ReadFile(dir_.File("own_out.e2k")), "PIER  \"CORE\""), 5);
  EXPECT_EQ(Count(ReadFile(dir_.File("processed_out.e2k")), "PIER  \"PW1\""), 5);
  // An archive is read as saved, with or without --process.
  ASSERT_EQ(Run({"convert", "own.e2k", "own.bma"}).exitCode, 0);
  EXPECT_NE(Run({"info", "own.bma", "--process"}).out.find("; 0 supports\n"), std::string::npos);
}

TEST(Tool, StrictExitsThreeOnlyWhenModelDataWasNotTaken) {
  REQUIRE_TOOL();
  TempDir dir;
  const std::string body =
      "$ a small model\n\n  UNITS  \"KN\"  \"M\"\n\n  STORY \"STORY1\"  HEIGHT 3\n  STORY \"BASE\"  ELEV "
      "0\n\n"
      "  POINT \"1\"  0 0\n  POINT \"2\"  6 0\n\n  LINE  \"C1\"  COLUMN  \"1\"  \"1\"  1\n"
      "  LINE  \"B1\"  BEAM  \"1\"  \"2\"  0\n";
  WriteFile(dir.File("clean.e2k"), body + "\n  END\n");
  // The beam's assignment names a storey the file does not have.
  WriteFile(dir.File("lost.e2k"), body + "\n  LINEASSIGN  \"B1\"  \"STORY9\"  SECTION \"X\"\n\n  END\n");
  auto run = [&dir](const std::vector<std::string>& args) { return RunTool(args, dir.path()); };
  auto endsWith = [](const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
  };

  ToolResult r = run({"info", "clean.e2k", "--strict"});
  EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
  r = run({"info", "lost.e2k"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(endsWith(r.out, "\nmodel data not taken: 1 line (--report lists them)\n")) << r.out;
  r = run({"info", "lost.e2k", "--strict", "--report"});
  EXPECT_EQ(r.exitCode, 3) << r.out << r.err;
  EXPECT_NE(r.out.find("\n  model data not taken (1 line):\n    LINEASSIGN: storey not found, 1 line\n"),
            std::string::npos)
      << r.out;
  EXPECT_TRUE(endsWith(r.out, "\nmodel data not taken: 1 line\n")) << r.out;

  // convert --strict writes nothing when model data was not taken.
  r = run({"convert", "lost.e2k", "lost.bma", "--strict"});
  EXPECT_EQ(r.exitCode, 3) << r.out << r.err;
  EXPECT_FALSE(fs::exists(dir.File("lost.bma")));
  r = run({"convert", "clean.e2k", "clean.bma", "--strict"});
  EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
  EXPECT_TRUE(endsWith(r.out, "\nmodel data not taken: 0 lines (--report lists the others)\n")) << r.out;
  EXPECT_EQ(run({"info", "clean.bma", "--strict"}).exitCode, 0);  // an archive is read whole
  EXPECT_NE(run({"--help"}).out.find("3 with --strict"), std::string::npos);
}

TEST(Tool, QuietLeavesOnlyTheErrorsAndWhatInfoDescribes) {
  REQUIRE_TOOL();
  TempDir dir;
  auto run = [&dir](const std::vector<std::string>& args) { return RunTool(args, dir.path()); };
  // The commands that write files print nothing, before or after the command.
  const std::vector<std::pair<std::vector<std::string>, std::string>> writers = {
      {{"-q", "demo", "d"}, "d/demo.e2k"},
      {{"demo", "--quiet"}, "demo.bma"},
      {{"convert", "d/demo.e2k", "c.bma", "-q"}, "c.bma"},
      {{"--quiet", "export", "d/demo.bma", "-o", "e.json"}, "e.json"},
      {{"plot", "-q", "d/demo.bma", "-o", "p.svg"}, "p.svg"},
  };
  for (const auto& [args, file] : writers) {
    const ToolResult r = run(args);
    EXPECT_EQ(r.exitCode, 0) << file << "\n" << r.err;
    EXPECT_EQ(r.out + r.err, "") << file;
    EXPECT_FALSE(ReadFile(dir.File(file)).empty()) << file;
  }
  // info's description is its result: -q keeps it.
  const ToolResult info = run({"info", "-q", "c.bma"});
  EXPECT_EQ(info.out, run({"info", "c.bma"}).out);
  EXPECT_NE(info.out.find("storeys (6, from the top)"), std::string::npos) << info.out;

  // Errors stay, with their exit codes; --strict says why on stderr.
  WriteFile(
      dir.File("lost.e2k"),
      "  UNITS  \"KN\"  \"M\"\n  STORY \"STORY1\"  HEIGHT 3\n  STORY \"BASE\"  ELEV 0\n  POINT \"1\"  0 0\n"
      "  LINE  \"C1\"  COLUMN  \"1\"  \"1\"  1\n  LINEASSIGN  \"C1\"  \"STORY9\"  SECTION \"X\"\n  END\n");
  const std::vector<std::tuple<std::vector<std::string>, int, std::string>> errors = {
      {{"-q", "convert", "missing.e2k", "m.bma"}, 1, "bmtool: cannot read missing.e2k: "},
      {{"-q", "convert", "lost.e2k", "l.bma", "--strict"},
       3,
       "bmtool: --strict: l.bma not written, model data not taken: 1 line\n"},
      {{"-q", "export", "lost.e2k", "-o", "l.json", "--strict"}, 3, "bmtool: --strict: l.json not written"},
      {{"-q", "info", "lost.e2k", "--strict"}, 3, "bmtool: --strict: model data not taken: 1 line\n"},
      {{"-q", "demo", "--storeys", "0"}, 2, "usage: bmtool demo"},
  };
  for (const auto& [args, code, message] : errors) {
    const ToolResult r = run(args);
    EXPECT_EQ(r.exitCode, code) << args[1] << "\n" << r.err;
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    if (args[1] != "info") {
      EXPECT_EQ(r.out, "") << args[1];
    }
  }
  EXPECT_FALSE(fs::exists(dir.File("l.bma")));
  EXPECT_FALSE(fs::exists(dir.File("l.json")));
}

TEST_F(ToolDemo, PlotWritesWellFormedSvgWithOnePathPerMember) {
  ToolResult r = Run({"plot", text_, "-o", "axo.svg"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::map<std::string, int> counts;
  std::map<std::string, int> classes;
  const std::string svg = ReadFile(dir_.File("axo.svg"));
  ASSERT_EQ(CheckXml(svg, &counts, &classes), "");
  EXPECT_EQ(counts["svg"], 1);
  EXPECT_EQ(counts["path"], 365);
  EXPECT_EQ(classes["path.column"], 100);
  EXPECT_EQ(classes["path.beam"], 155);
  EXPECT_EQ(classes["path.brace"], 20);
  EXPECT_EQ(classes["path.wall"], 30);
  EXPECT_EQ(classes["path.slab"], 60);
  // One storey label per level.
  for (const char* storey : {"BASE", "STORY1", "STORY5"})
    EXPECT_NE(svg.find(std::string(">") + storey), std::string::npos);

  // The plan of one storey, named in any letter case, from the archive.
  r = Run({"plot", archive_, "--storey", "story2", "--labels", "-o", "plan.svg"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  counts.clear();
  classes.clear();
  const std::string plan = ReadFile(dir_.File("plan.svg"));
  ASSERT_EQ(CheckXml(plan, &counts, &classes), "");
  EXPECT_EQ(counts["path"], 20 + 31 + 4 + 6 + 12);
  EXPECT_EQ(classes["path.column"], 20);
  EXPECT_EQ(classes["circle.joint"], 20);
  EXPECT_NE(plan.find(">C17</text>"), std::string::npos);
  EXPECT_NE(plan.find("plan of STORY2"), std::string::npos);
}

TEST(Tool, XmlCheckCatchesMalformedDocuments) {
  std::map<std::string, int> counts;
  EXPECT_EQ(CheckXml("<?xml version=\"1.0\"?>\n<a x='1'><b/><c>t &amp; u</c></a>\n", &counts), "");
  EXPECT_EQ(counts["b"], 1);
  for (const char* bad : {"<a><b></a></b>", "<a>", "<a x=1/>", "<a>&nope;</a>", "<a/><b/>",
                          "<a x='1' x='2'/>", "<a>x < y</a>", "text<a/>"}) {
    EXPECT_NE(CheckXml(bad, nullptr), "") << bad;
  }
}

TEST(Tool, InfoReadsEveryCorpusFile) {
  REQUIRE_TOOL();
  const fs::path corpus = fs::path(BM_CORPUS_DIR) / "e2k";
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
  TempDir dir;
  int files = 0;
  for (const auto& entry : fs::directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    ++files;
    const std::string path = entry.path().string();
    const ToolResult info = RunTool({"info", path}, dir.path());
    EXPECT_EQ(info.exitCode, 0) << path << "\n" << info.err;
    EXPECT_FALSE(LooksLikeCrash(info.err)) << path << "\n" << info.err;
    EXPECT_NE(info.out.find(": text model\n"), std::string::npos) << path;
    EXPECT_NE(info.out.find("\nmodel data not taken: "), std::string::npos) << path;
    // The model also converts to an archive and plots.
    const ToolResult convert = RunTool({"--quiet", "convert", path, "m.bma"}, dir.path());
    EXPECT_EQ(convert.exitCode, 0) << path << "\n" << convert.err;
    const ToolResult plot = RunTool({"plot", "m.bma", "-o", "m.svg", "-q"}, dir.path());
    EXPECT_EQ(plot.exitCode, 0) << path << "\n" << plot.err;
    EXPECT_EQ(CheckXml(ReadFile(dir.File("m.svg")), nullptr), "") << path;
  }
  EXPECT_GT(files, 0);
}

TEST_F(ToolDemo, UnreadableInputsExitOneWithTheFileAndReason) {
  std::mt19937 random(12345);
  std::string noise(3000, '\0');
  for (char& c : noise) c = static_cast<char>(random() & 0xFF);
  WriteFile(dir_.File("noise.bin"), noise);
  WriteFile(dir_.File("empty.e2k"), "");
  WriteFile(dir_.File("control.txt"), "hello\x01world\n");
  // Units KN and M, one diaphragm whose class record names an unknown class.
  const char badClass[] = {2, 'K', 'N', 1, 'M', 1, 0, 0, 0, 1, 0, 5, 0, 'C', 'B', 'M', 'X', 'X'};
  WriteFile(dir_.File("badclass.bma"), std::string(badClass, sizeof badClass));
  const std::string archive = ReadFile(archive_);
  fs::create_directory(dir_.path() / "folder");

  std::vector<std::pair<std::string, std::string>> cases = {
      {"missing.e2k", "No such file or directory"},
      {"folder", "it is a folder"},
      {"noise.bin", ""},
      {"empty.e2k", "the file is empty"},
      {"control.txt", "neither a text model"},
      {"badclass.bma", "names a class"},
  };
  // Truncated archives, at a spread of lengths.
  for (size_t length : {size_t{1}, size_t{5}, size_t{9}, size_t{40}, archive.size() / 3, archive.size() / 2,
                        archive.size() - 1}) {
    const std::string name = "cut" + std::to_string(length) + ".bma";
    WriteFile(dir_.File(name), archive.substr(0, length));
    cases.push_back({name, ""});
  }
  for (const auto& [file, reason] : cases) {
    for (const char* command : {"info", "plot"}) {
      std::vector<std::string> args = {command, file};
      if (std::string(command) == "plot") args.insert(args.end(), {"-o", "x.svg"});
      const ToolResult r = Run(args);
      EXPECT_EQ(r.exitCode, 1) << file << "\n" << r.out << r.err;
      EXPECT_FALSE(LooksLikeCrash(r.err)) << file << "\n" << r.err;
      EXPECT_EQ(r.err.rfind("bmtool: cannot read " + file + ": ", 0), 0u) << r.err;
      EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
    }
  }
  const ToolResult r = Run({"convert", "cut40.bma", "out.e2k"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(fs::exists(dir_.File("out.e2k")));
}

TEST_F(ToolDemo, UnwritableOutputsExitOne) {
  fs::create_directory(dir_.path() / "folder");
  const std::vector<std::vector<std::string>> cases = {
      {"convert", text_, "no/such/dir/out.bma"},
      {"convert", text_, "no/such/dir/out.e2k"},
      {"convert", archive_, "folder"},
      {"plot", text_, "-o", "no/such/dir/x.svg"},
  };
  for (const auto& args : cases) {
    const ToolResult r = Run(args);
    EXPECT_EQ(r.exitCode, 1) << args.back() << "\n" << r.err;
    EXPECT_NE(r.err.find("bmtool: cannot write "), std::string::npos) << r.err;
    EXPECT_FALSE(LooksLikeCrash(r.err)) << r.err;
  }
  // A demo folder that is a file.
  WriteFile(dir_.File("plainfile"), "x");
  const ToolResult r = Run({"demo", "plainfile"});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_NE(r.err.find("bmtool: cannot write plainfile"), std::string::npos) << r.err;
  // A storey that the model does not have.
  const ToolResult plot = Run({"plot", text_, "--storey", "STORY9", "-o", "p.svg"});
  EXPECT_EQ(plot.exitCode, 1);
  EXPECT_NE(plot.err.find("no storey named 'STORY9'"), std::string::npos) << plot.err;
}

TEST(Tool, UsageErrorsExitTwoAndHelpExitsZero) {
  REQUIRE_TOOL();
  TempDir dir;
  const std::vector<std::vector<std::string>> usage = {
      {},
      {"frobnicate"},
      {"--bogus"},
      {"info"},
      {"info", "a", "b"},
      {"info", "a", "--bogus"},
      {"convert", "a"},
      {"convert", "a", "b", "--to", "xml"},
      {"convert", "a", "b", "--to"},
      {"plot", "a"},
      {"plot", "a", "--labels", "-o", "x.svg"},
      {"demo", "--storeys", "many"},
      {"demo", "--storeys", "0"},
      {"demo", "--bays-x", "-3"},
      {"demo", "--storeys", "10000", "--bays-x", "10000", "--bays-y", "10000"},
      {"demo", "a", "b"},
      {"demo", "--quiet=yes"},
      {"help", "nothing"},
  };
  for (const auto& args : usage) {
    const ToolResult r = RunTool(args, dir.path());
    std::string line;
    for (const auto& a : args) line += a + " ";
    EXPECT_EQ(r.exitCode, 2) << line << "\n" << r.err;
    EXPECT_NE(r.err.find("usage: bmtool"), std::string::npos) << line << "\n" << r.err;
    EXPECT_TRUE(r.out.empty()) << line;
  }
  // No files were made by the refused demos.
  EXPECT_FALSE(fs::exists(dir.File("demo.e2k")));

  for (const auto& args : std::vector<std::vector<std::string>>{{"--help"},
                                                                {"-h"},
                                                                {"help"},
                                                                {"help", "plot"},
                                                                {"info", "--help"},
                                                                {"demo", "-h"},
                                                                {"convert", "--help"}}) {
    const ToolResult r = RunTool(args, dir.path());
    EXPECT_EQ(r.exitCode, 0) << args[0];
    EXPECT_NE(r.out.find("usage: bmtool"), std::string::npos) << args[0];
  }
  const std::string help = RunTool({"--help"}, dir.path()).out;
  EXPECT_NE(help.find("convert IN OUT"), std::string::npos);
  EXPECT_NE(help.find("bmtool help COMMAND"), std::string::npos) << help;
  EXPECT_NE(help.find("bmtool COMMAND --help"), std::string::npos) << help;
  // --version, before or after a command (whose arguments it does not need).
  for (const auto& args :
       std::vector<std::vector<std::string>>{{"--version"}, {"-q", "--version"}, {"info", "--version"}}) {
    const ToolResult r = RunTool(args, dir.path());
    EXPECT_EQ(r.exitCode, 0) << args[0];
    EXPECT_TRUE(std::regex_match(r.out, std::regex(R"(bmtool \d+\.\d+\.\d+\n)"))) << r.out;
  }
}

}  // namespace
}  // namespace bm::test
