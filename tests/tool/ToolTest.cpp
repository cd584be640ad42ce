// bmtool end to end: its commands, options, exit codes and messages; wrong inputs told apart.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "ToolRunner.h"
#include "support/ByteBuilder.h"

namespace bm::test {
namespace {

namespace fs = std::filesystem;

bool EndsWith(const std::string& t, const std::string& end) {
  return t.size() >= end.size() && t.compare(t.size() - end.size(), end.size(), end) == 0;
}

// One line of model data the reader does not take: a storey the file lacks.
const char kLost[] = R"($ a small model

  UNITS  "KN"  "M"

  STORY "STORY1"  HEIGHT 3
  STORY "BASE"  ELEV 0

  POINT "1"  0 0
  POINT "2"  6 0

  LINE  "C1"  COLUMN  "1"  "1"  1
  LINE  "B1"  BEAM  "1"  "2"  0

  LINEASSIGN  "B1"  "STORY9"  SECTION "X"

  END
)";

TEST(Tool, DemoWritesBothFormsAndReadsThemBack) {
  REQUIRE_TOOL();
  TempDir dir;
  // A generated size, into a folder that does not exist yet (times and sizes masked).
  const ToolResult r = RunTool({"demo", "a/b", "--storeys", "3", "--bays-x=2", "--bays-y", "1"}, dir.path());
  ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
  const std::string shown = std::regex_replace(r.out, std::regex(R"( in [0-9.]+ s| \([0-9]+ bytes\))"), "");
  EXPECT_EQ(std::regex_replace(shown, std::regex(R"(\\demo\.)"), "/demo."),
            R"(bmtool demo: 3 storeys over 2 x 1 bays
built: 4 levels, 18 columns, 21 beams, 12 braces, 6 walls, 6 slabs (63 members), 24 joints, 6 points
  3 load cases: 18 joint loads, 42 beam loads (UNIFF 21, TRAPF 12, POINTF 9), 6 wall loads, 12 area loads, 6 supports
wrote a/b/demo.e2k
wrote a/b/demo.bma
read back a/b/demo.e2k: 4 levels, 63 members, 3 load cases, 18 joint loads, 42 line loads (UNIFF 21, TRAPF 12, POINTF 9), 12 area loads, same structure and loads as built
  model data not taken: 0 lines; also not taken: 7 lines not model data, 0 unused keys of taken lines
read back a/b/demo.bma: 4 levels, 63 members, 3 load cases, 18 joint loads, 42 line loads (UNIFF 21, TRAPF 12, POINTF 9), 12 area loads, same structure and loads as built
)");
  const std::string text = ReadFile(dir.File("a/b/demo.e2k"));
  EXPECT_TRUE(EndsWith(text, "$End of Model file!"));
  const bool windows = fs::path::preferred_separator == '\\';  // CR LF there, LF elsewhere
  EXPECT_EQ(Count(text, windows ? "\r\n" : "\r"), windows ? Count(text, "\n") : 0);
}

TEST(Tool, InfoShowsStoreysFromTheTopAndCountsForBothForms) {
  REQUIRE_TOOL();
  const std::string model = R"(units: force "KN", length "M"
storeys (6, from the top):
  storey    elevation     height   joints    beams  columns   braces    walls    slabs
  STORY5       18.900      3.600       20       31       20        4        6       12
  STORY4       15.300      3.600       20       31       20        4        6       12
  STORY3       11.700      3.600       20       31       20        4        6       12
  STORY2        8.100      3.600       20       31       20        4        6       12
  STORY1        4.500      4.500       20       31       20        4        6       12
  BASE          0.000      0.000       20        0        0        0        0        0
  total                               120      155      100       20       30       60
model: 20 points, 71 lines, 18 areas, 2 materials, 4 frame sections, 2 wall/slab sections, 3 load cases, 1 diaphragms, 6 piers/spandrels
loads: 60 joint loads, 310 member line loads (UNIFF 155, TRAPF 80, POINTF 75), 0 wall line loads, 120 area loads; 20 supports
)";
  const ToolResult text = RunTool({"info", "demo.e2k"}), archive = RunTool({"info", "demo.bma"});
  EXPECT_EQ(text.exitCode + archive.exitCode, 0) << text.err << archive.err;
  EXPECT_EQ(text.out,
            "demo.e2k: text model\nread as: the file's own model "
            "(--process: as a design host sees it); file version 8\n" +
                model +
                "also not taken: 7 lines not model data, 0 unused keys of taken lines\n"
                "model data not taken: 0 lines (--report lists the others)\n");
  EXPECT_EQ(archive.out, "demo.bma: model archive\nread as: the model as saved\n" + model +
                             "model data not taken: 0 lines (model archive: every record is read)\n");
}

TEST(Tool, ConvertRoundTripsReachTheSameBytesAndTheFormFollowsTheExtension) {
  REQUIRE_TOOL();
  const auto bytes = [](const std::string& name) { return ReadFile(DemoDir().File(name)); };
  // Text->archive->text is the text; archive->archive is a fixpoint after one load; --to wins.
  const std::vector<std::vector<std::string>> runs = {{"demo.e2k", "rt_a.bma"},
                                                      {"rt_a.bma", "rt_b.e2k"},
                                                      {"demo.e2k", "rt_c.$ET"},
                                                      {"rt_b.e2k", "rt_d.bma"},
                                                      {"demo.bma", "rt_e.E2K"},
                                                      {"demo.bma", "rt_f.bin"},
                                                      {"rt_f.bin", "rt_g.bin"},
                                                      {"demo.bma", "rt_x.dat", "--to", "text"},
                                                      {"demo.e2k", "rt_y.e2k", "--to=archive"}};
  for (std::vector<std::string> args : runs) {
    args.insert(args.begin(), "convert");
    const ToolResult r = RunTool(args);
    EXPECT_EQ(r.exitCode, 0) << args[1] << " -> " << args[2] << "\n" << r.err;
    EXPECT_TRUE(args[2] != "rt_c.$ET" || r.out.find("writer skipped nothing") != std::string::npos) << r.out;
  }
  const std::pair<const char*, const char*> same[] = {
      {"rt_b.e2k", "rt_c.$ET"}, {"demo.e2k", "rt_c.$ET"}, {"rt_a.bma", "rt_d.bma"}, {"demo.e2k", "rt_e.E2K"},
      {"rt_f.bin", "rt_g.bin"}, {"demo.e2k", "rt_x.dat"}, {"rt_a.bma", "rt_y.e2k"}};
  for (const auto& [a, b] : same) EXPECT_TRUE(bytes(a) == bytes(b)) << a << " " << b;
  EXPECT_EQ(bytes("demo.bma").size(), bytes("rt_f.bin").size());
  // export and view write the JSON form and a page holding it.
  for (const char* in : {"demo.e2k", "demo.bma"}) {
    const ToolResult r = RunTool({"export", in, "-o", "rt.json"});
    EXPECT_EQ(r.out.rfind("read " + std::string(in) + " (", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\nwrote rt.json (JSON, " + std::to_string(bytes("rt.json").size()) + " bytes)\n"),
              std::string::npos);
    EXPECT_EQ(bytes("rt.json").rfind(R"({"units":{"force":"KN","length":"M"},"storeys":[)"
                                     "\n",
                                     0),
              0u);
  }
  EXPECT_NE(RunTool({"view", "demo.bma", "-o", "rt.html"}).out.find("\nwrote rt.html (HTML viewer, "),
            std::string::npos);
}

TEST(Tool, WritingOverTheInputIsRefusedUnderAnyPath) {
  REQUIRE_TOOL();
  TempDir dir;
  const std::string original = ReadFile(DemoDir().File("demo.e2k"));
  WriteFile(dir.File("in.e2k"), original);
  fs::create_directory(dir.path() / "sub");
  fs::create_hard_link(dir.path() / "in.e2k", dir.path() / "hard.e2k");
  std::vector<std::vector<std::string>> cases = {{"convert", "in.e2k", "in.e2k", "--to", "archive"},
                                                 {"convert", "in.e2k", "./in.e2k"},
                                                 {"convert", "in.e2k", "sub/../in.e2k"},
                                                 {"convert", "in.e2k", "hard.e2k"},
                                                 {"export", "in.e2k", "-o", "./in.e2k"},
                                                 {"view", "in.e2k", "-o", "in.e2k"}};
  std::error_code noLink;  // symbolic links need a privilege on Windows
  fs::create_symlink("in.e2k", dir.path() / "soft.bma", noLink);
  if (!noLink) cases.push_back({"convert", "in.e2k", "soft.bma"});
  for (const auto& args : cases) {
    const ToolResult r = RunTool(args, dir.path());
    const std::string out = args.back() == "archive" ? args[2] : args.back();
    EXPECT_EQ(r.exitCode, 2) << out << "\n" << r.out << r.err;
    const std::string same = out == "in.e2k" ? "" : ": " + out + " is the same file";
    const std::string refusal =
        "bmtool: " + args[0] + " will not write over its input in.e2k" + same + "; give another OUT\n";
    EXPECT_EQ(r.err.substr(0, refusal.size()), refusal) << r.err;
    EXPECT_TRUE(ReadFile(dir.File("in.e2k")) == original) << out;
  }
  WriteFile(dir.File("other.e2k"), "old");  // another existing file is overwritten
  EXPECT_EQ(RunTool({"convert", "in.e2k", "other.e2k"}, dir.path()).exitCode, 0);
  EXPECT_EQ(ReadFile(dir.File("other.e2k")), original);
}

TEST(Tool, TextIsReadAsTheFilesOwnModelUnlessProcessIsAsked) {
  REQUIRE_TOOL();
  // The demo's text without its supports, wall W1's pier labelled CORE.
  const std::string demo = ReadText(DemoDir().File("demo.e2k"));  // LF line ends: "." stops at a CR
  const std::string text = std::regex_replace(demo, std::regex(".*RESTRAINT.*\n"), "");
  WriteFile(DemoDir().File("own.e2k"), std::regex_replace(text, std::regex("\"PW1\""), "\"CORE\""));
  const ToolResult own = RunTool({"info", "own.e2k"}), processed = RunTool({"info", "own.e2k", "--process"});
  ASSERT_EQ(own.exitCode + processed.exitCode, 0) << own.err << processed.err;
  // Processing fixes the first storey's feet and relabels piers "P" + wall; an archive is as saved.
  EXPECT_NE(own.out.find("; 0 supports\n"), std::string::npos) << own.out;
  EXPECT_NE(processed.out.find("; 20 supports\n"), std::string::npos) << processed.out;
  EXPECT_NE(processed.out.find("\nread as: the processed model, as a design host sees it; file version 8\n"),
            std::string::npos);
  for (const char* out : {"own_out.e2k", "own_processed.e2k", "own.bma"}) {
    std::vector<std::string> args = {"convert", "own.e2k", out};
    if (out == std::string("own_processed.e2k")) args.push_back("--process");
    ASSERT_EQ(RunTool(args).exitCode, 0) << out;
  }
  EXPECT_EQ(Count(ReadFile(DemoDir().File("own_out.e2k")), "PIER  \"CORE\""), 5);
  EXPECT_EQ(Count(ReadFile(DemoDir().File("own_processed.e2k")), "PIER  \"PW1\""), 5);
  EXPECT_NE(RunTool({"info", "own.bma", "--process"}).out.find("; 0 supports\n"), std::string::npos);
}

TEST(Tool, StrictExitsThreeWhenModelDataWasNotTakenAndReportListsIt) {
  REQUIRE_TOOL();
  WriteFile(DemoDir().File("lost.e2k"), kLost);
  ToolResult r = RunTool({"info", "lost.e2k"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(EndsWith(r.out, "\nmodel data not taken: 1 line (--report lists them)\n")) << r.out;
  EXPECT_NE(r.out.find("\nread as: the file's own model (--process: as a design host sees it); "
                       "no PROGRAM line, read as version 8\n"),
            std::string::npos);
  r = RunTool({"info", "lost.e2k", "--strict", "--report"});
  EXPECT_EQ(r.exitCode, 3) << r.out << r.err;
  EXPECT_NE(r.out.find(R"(
not taken by the reader:
  model data not taken (1 line):
    LINEASSIGN: storey not found, 1 line
)"),
            std::string::npos)
      << r.out;
  EXPECT_TRUE(EndsWith(r.out, "\nmodel data not taken: 1 line\n")) << r.out;
}

// --quiet writers print nothing; help of the tool or a command; the version, before or after a command.
TEST(Tool, QuietWritersPrintNothingAndHelpAndVersionExitZero) {
  REQUIRE_TOOL();
  TempDir dir;
  // The arguments, the start of stdout ("": stdout and stderr empty) and the file written.
  const std::tuple<std::vector<std::string>, std::string, std::string> runs[] = {
      {{"-q", "demo", "d"}, "", "d/demo.e2k"},
      {{"demo", "--quiet"}, "", "demo.bma"},
      {{"convert", "d/demo.e2k", "c.bma", "-q"}, "", "c.bma"},
      {{"--quiet", "export", "d/demo.bma", "-o", "e.json"}, "", "e.json"},
      {{"plot", "-q", "d/demo.bma", "-o", "p.svg"}, "", "p.svg"},
      {{"--help"}, "bmtool: the command-line tool", ""},
      {{"help", "plot"}, "usage: bmtool plot [options] FILE -o", ""},
      {{"info", "--help"}, "usage: bmtool info ", ""},
      {{"demo", "-h"}, "usage: bmtool demo ", ""},
      {{"-q", "--version"}, "bmtool 0.", ""},
      {{"info", "--version"}, "bmtool 0.", ""}};
  for (const auto& [args, start, file] : runs) {
    const ToolResult r = RunTool(args, dir.path());
    EXPECT_EQ(r.exitCode, 0) << args[0] << "\n" << r.err;
    EXPECT_EQ(start.empty() ? r.out + r.err : r.out.substr(0, start.size()), start) << args[0];
    EXPECT_TRUE(file.empty() || !ReadFile(dir.File(file)).empty()) << file;
  }
  // info's description is its result: -q keeps it.
  EXPECT_EQ(RunTool({"info", "-q", "c.bma"}, dir.path()).out, RunTool({"info", "c.bma"}, dir.path()).out);
}

TEST(Tool, FailuresExitWithTheirCodeAndMessage) {
  REQUIRE_TOOL();
  WriteFile(DemoDir().File("lost.e2k"), kLost);
  WriteFile(DemoDir().File("plainfile"), "x");
  fs::create_directories(DemoDir().path() / "folder");
  // Arguments, exit code, start of stderr, and for a usage error the command ("" for the tool's).
  const std::tuple<std::vector<std::string>, int, std::string, const char*> failures[] = {
      {{"-q", "convert", "missing.e2k", "m.bma"}, 1, "cannot read missing.e2k: ", nullptr},
      {{"-q", "convert", "lost.e2k", "l.bma", "--strict"},
       3,
       "--strict: l.bma not written, model data not taken: 1 line\n",
       nullptr},
      {{"-q", "export", "lost.e2k", "-o", "l.json", "--strict"}, 3, "--strict: l.json not written", nullptr},
      {{"-q", "info", "lost.e2k", "--strict"}, 3, "--strict: model data not taken: 1 line\n", nullptr},
      {{"convert", "demo.e2k", "no/dir/out.bma"}, 1, "cannot write no/dir/out.bma: ", nullptr},
      {{"convert", "demo.e2k", "no/dir/out.e2k"}, 1, "cannot write no/dir/out.e2k: ", nullptr},
      {{"convert", "demo.bma", "folder"}, 1, "cannot write folder: ", nullptr},
      {{"plot", "demo.e2k", "-o", "no/dir/x.svg"}, 1, "cannot write no/dir/x.svg: ", nullptr},
      {{"export", "demo.bma", "-o", "no/dir/x.json"}, 1, "cannot write no/dir/x.json: ", nullptr},
      {{"view", "demo.bma", "-o", "no/dir/x.html"}, 1, "cannot write no/dir/x.html: ", nullptr},
      {{"demo", "plainfile"}, 1, "cannot write plainfile: ", nullptr},
      {{"plot", "demo.e2k", "--storey", "STORY9", "-o", "p.svg"},
       1,
       "demo.e2k has no storey named 'STORY9' (storeys: BASE, STORY1, STORY2, STORY3, STORY4, STORY5)\n",
       nullptr},
      {{"frobnicate"}, 2, "unknown command 'frobnicate'", ""},
      {{"--bogus"}, 2, "unknown option '--bogus'", ""},
      {{"help", "nothing"}, 2, "unknown command 'nothing'", ""},
      {{"help", "info", "plot"}, 2, "help takes at most one command name", ""},
      {{"info"}, 2, "missing arguments", "info"},
      {{"convert", "a"}, 2, "missing arguments", "convert"},
      {{"info", "a", "b"}, 2, "too many arguments", "info"},
      {{"info", "a", "--bogus"}, 2, "unknown option '--bogus'", "info"},
      {{"info", "a", "--process", "--process"}, 2, "option --process given twice", "info"},
      {{"convert", "a", "b", "--to", "xml"}, 2, "--to must be 'text' or 'archive', not 'xml'", "convert"},
      {{"convert", "a", "b", "--to"}, 2, "option --to needs a value", "convert"},
      {{"plot", "a"}, 2, "plot needs the output file: -o OUT.svg", "plot"},
      {{"plot", "a", "--labels", "-o", "x"}, 2, "--labels applies to a storey plan (--storey NAME)", "plot"},
      {{"plot", "a", "-o", "x", "--max-members", "0"},
       2,
       "--max-members needs a number of 1 or more",
       "plot"},
      {{"export", "a"}, 2, "export needs the output file: -o OUT.json", "export"},
      {{"demo", "x", "--storeys", "many"}, 2, "--storeys needs a whole number, not 'many'", "demo"},
      {{"demo", "x", "--storeys", "99999999999"},
       2,
       "--storeys needs a whole number, not '99999999999'",
       "demo"},
      {{"-q", "demo", "x", "--storeys", "0"}, 2, "--storeys must be between 1 and 10000", "demo"},
      {{"demo", "a", "b"}, 2, "too many arguments", "demo"},
      {{"demo", "x", "--quiet=yes"}, 2, "option --quiet takes no value", "demo"},
  };
  for (const auto& [args, code, message, usage] : failures) {
    const ToolResult r = RunTool(args);
    EXPECT_EQ(r.exitCode, code) << message << "\n" << r.err;
    std::string head = "bmtool: " + message;
    if (usage) head += "\nusage: bmtool " + (*usage ? std::string(usage) : "[--quiet]");
    EXPECT_EQ(r.err.rfind(head, 0), 0u) << r.err;
    const std::string offer = "\nTry 'bmtool " + std::string(usage ? usage : "") + " --help'.\n";
    EXPECT_EQ(r.err.find(offer) != std::string::npos, usage && *usage) << r.err;
    EXPECT_TRUE(args[0] != "-q" || args[1] == "info" || r.out.empty()) << message;
  }
  for (const char* unwritten : {"l.bma", "l.json", "x/demo.e2k"})
    EXPECT_FALSE(fs::exists(DemoDir().File(unwritten))) << unwritten;
  EXPECT_EQ(RunTool({}).err, R"(bmtool: no command given
usage: bmtool [--quiet] COMMAND [options] ARGS   (bmtool --help lists the commands)
)");
}

const char kNotAModel[] = "not a model file (neither a text model nor a model archive)";

std::string Noise(size_t n) {
  std::mt19937 random(2024);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(random() & 0xFF);
  return s;
}

std::string Str(const ByteBuilder& b) { return std::string(b.bytes().begin(), b.bytes().end()); }

// The unit words KN and M, then a list block of `count` holding `name` records.
std::string Block(int count, const std::string& name) {
  return Str(ByteBuilder().Str("KN").Str("M").I32(count).Class(name));
}

TEST(WrongInput, TheFirstBytesTellTextModelArchiveOrNeither) {
  std::string comments;  // ~20 KiB
  for (int i = 0; i < 400; ++i) comments += "$ a comment line of the header, no keyword on it\n";
  const std::string units = Str(ByteBuilder().Str("KN").Str("M"));
  const std::tuple<const char*, std::string, const char*> cases[] = {
      // "text", "archive" or the reason. Text: the first line not blank nor a comment starts with a keyword.
      {"written header", "$ File saved\n\n$ PROGRAM\n  PROGRAM  \"ETABS\"  VERSION \"9.7.3\"\n", "text"},
      {"byte-order mark", "\xEF\xBB\xBF  STORY \"S1\"  HEIGHT 3\n", "text"},
      {"CR LF, indented comment", "$ x\r\n \r\n   $ y\r\n\tUNITS \"KN\" \"M\"\r\n", "text"},
      {"keyword glued to a quote", "LOADPATTERN\"DEAD\"  TYPE  \"Dead\"\n", "text"},
      {"lower-case keyword", "story \"S1\" height 3\n", "text"},
      {"comments past 4 KiB", comments + "  POINT \"1\"  0 0\n", "text"},
      {"only comments", comments, kNotAModel},
      {"comments past 64 KiB", comments + comments + comments + comments + "POINT \"1\"  0 0\n", kNotAModel},
      {"keyword inside a word", "Line-by-line notes\n", kNotAModel},
      {"Markdown", "# buildingmodel\n\nSTORY lines ...\n", kNotAModel},
      {"SVG", "<svg xmlns=\"http://www.w3.org/2000/svg\"><path d=\"M0 0\"/></svg>\n", kNotAModel},
      {"ELF", std::string(1, '\x7F') + "ELF\x02\x01\x01" + std::string(60, '\0'), kNotAModel},
      {"noise", Noise(3000), kNotAModel},
      {"empty", "", "the file is empty"},
      {"one diaphragm", Block(1, "CBMDiaphragm") + std::string(20, '\0'), "archive"},
      {"empty model", std::string(50, '\0'), "archive"},
      {"wide unit words", std::string("\xFF\xFE\xFF\x02K\0N\0\x01M\0\0\0\0", 14), "archive"},
      {"unknown class (a corrupt archive)", Block(1, "CBMXX") + "x", "archive"},
      {"cut after the units", units, "archive"},
      {"cut in the class record", Block(1, "CBMDiaphragm").substr(0, 16), "archive"},
      {"control byte in a unit word", "\x02K\nN\x01M" + std::string(4, '\0'), kNotAModel},
      {"unit word of 32 bytes (any a host sets)", ' ' + std::string(32, 'K') + "\x01M" + std::string(4, '\0'),
       "archive"},
      {"negative count", units + "\xFF\xFF\xFF\xFF", kNotAModel},
      {"count past the file's end", Block(1000, "CBMDiaphragm"), kNotAModel},
      {"class name with a dash", Block(1, "CBM-Level") + "x", kNotAModel},
      {"class name from a digit", Block(1, "9Level") + "x", kNotAModel},
      {"class name empty", Block(1, "") + "xxxx", kNotAModel},
  };
  TempDir dir;
  for (const auto& [what, bytes, expected] : cases) {
    ModelForm form = ModelForm::kText;
    std::string detected = DetectModelForm(dir.Write("input", bytes), &form);
    if (detected.empty()) detected = form == ModelForm::kText ? "text" : "archive";
    EXPECT_EQ(detected, expected) << what;
  }
}

// The reading commands, each with `file` and an output.
std::vector<std::vector<std::string>> ReadingCommands(const std::string& file) {
  return {{"info", file},
          {"convert", file, "out.bma"},
          {"export", file, "-o", "out.json"},
          {"plot", file, "-o", "out.svg"},
          {"view", file, "-o", "out.html"}};
}

TEST(WrongInput, UnreadableFilesExitOneNamingTheFileAndTheReasonAndWriteNothing) {
  REQUIRE_TOOL();
  TempDir dir;
  const std::string archive = ReadFile(DemoDir().File("demo.bma"));
  fs::create_directory(dir.path() / "folder");
  // A file's name, bytes and the start of the reason ("": a cut archive fails in several ways).
  std::vector<std::tuple<std::string, std::string, std::string>> cases = {
      {"noise.bin", Noise(3000), kNotAModel},
      {"control.txt", "hello\x01world\n", kNotAModel},
      {"blank.e2k", " \n\t \n  ", kNotAModel},
      {"empty.e2k", "", "the file is empty"},
      {"badclass.bma", Block(1, "CBMXX"),
       "the model archive names a class this library does not know (corrupt, or not a model archive)"},
      {"cut40.bma", archive.substr(0, 40),
       "the model archive ends too early (truncated, or not a model archive)"},
  };
  const size_t size = archive.size();
  for (size_t length : {size_t{1}, size_t{5}, size_t{9}, size / 3, size / 2, size - 1})
    cases.push_back({"cut" + std::to_string(length) + ".bma", archive.substr(0, length), ""});
  for (const auto& [name, bytes, reason] : cases) WriteFile(dir.File(name), bytes);
  cases.push_back({"missing.e2k", "", "No such file or directory"});
  cases.push_back({"folder", "", "it is a folder"});
  for (const auto& [file, bytes, reason] : cases) {
    for (const auto& args : ReadingCommands(file)) {
      const ToolResult r = RunTool(args, dir.path());
      EXPECT_EQ(r.exitCode, 1) << args[0] << " " << file << "\n" << r.out << r.err;
      EXPECT_EQ(r.err.rfind("bmtool: cannot read " + file + ": " + reason, 0), 0u) << args[0] << r.err;
      EXPECT_EQ(Count(r.err, "\n"), 1) << r.err;
      EXPECT_TRUE(args.size() == 2 || !fs::exists(dir.File(args.back()))) << args[0] << " " << file;
    }
  }
}

TEST(WrongInput, CutOffTextAndTrailingBytesWarnAndFailStrict) {
  REQUIRE_TOOL();
  const TempDir& dir = DemoDir();
  const std::string text = ReadFile(dir.File("demo.e2k"));
  const size_t end = text.rfind("\n END");
  ASSERT_NE(end, std::string::npos);
  WriteFile(dir.File("before_end.e2k"), text.substr(0, end + 1));
  WriteFile(dir.File("half.e2k"), text.substr(0, text.size() / 2));
  WriteFile(dir.File("trailing.bma"), ReadFile(dir.File("demo.bma")) + "12345678");
  const std::string cutOff =
      ": no END line at its end: the text model may have been cut off, and what followed is lost\n";
  const std::string notTaken = "model data not taken: ";
  // The file, the whole stderr of a plain read, the last line of info.
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"before_end.e2k", "bmtool: before_end.e2k" + cutOff, notTaken + "1 line (--report lists them)"},
      {"half.e2k", "bmtool: half.e2k" + cutOff, notTaken + "1 line (--report lists them)"},
      {"trailing.bma", "bmtool: trailing.bma: 8 bytes after the model archive's last block (not read)\n",
       notTaken + "0 lines (model archive: every record is read; bytes after its last block, not read: 8)"},
      {"demo.e2k", "", notTaken + "0 lines (--report lists the others)"},
      {"demo.bma", "", notTaken + "0 lines (model archive: every record is read)"},
  };
  for (const auto& [file, warning, lastLine] : cases) {
    ToolResult r = RunTool({"info", file}, dir.path());
    EXPECT_NE(r.out.find("\n" + lastLine + "\n"), std::string::npos) << file << "\n" << r.out;
    EXPECT_EQ(RunTool({"info", "-q", file}, dir.path()).err, "") << file;
    for (auto args : ReadingCommands(file)) {
      r = RunTool(args, dir.path());
      EXPECT_EQ(r.exitCode, 0) << args[0] << " " << file << "\n" << r.err;
      EXPECT_EQ(r.err, warning) << args[0];
      if (args[0] == "plot") continue;  // plot reads no --strict
      args.push_back("--strict");
      r = RunTool(args, dir.path());
      EXPECT_EQ(r.exitCode, warning.empty() ? 0 : 3) << args[0] << " " << file << "\n" << r.err;
      EXPECT_EQ(r.err.find("bmtool: --strict: ") != std::string::npos, !warning.empty()) << args[0] << r.err;
    }
  }
  // --strict writes nothing when the input was not whole.
  EXPECT_EQ(RunTool({"convert", "trailing.bma", "whole.e2k", "--strict"}, dir.path()).exitCode, 3);
  EXPECT_FALSE(fs::exists(dir.File("whole.e2k")));
  const std::string strict = RunTool({"info", "--strict", "trailing.bma"}, dir.path()).err;
  EXPECT_NE(strict.find("bmtool: --strict: 8 bytes after"), std::string::npos) << strict;
}

std::vector<fs::path> FilesUnder(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file()) files.push_back(it->path());
  return files;
}

TEST(WrongInput, CorpusTestDataAndFuzzSeedsReadForWhatTheyAre) {
  const fs::path corpus = fs::path(BM_CORPUS_DIR) / "e2k";
  std::vector<fs::path> texts = FilesUnder(corpus);
  const size_t corpusFiles = texts.size();
  int archives = 0;
  for (const fs::path& path : FilesUnder(BM_TEST_DATA_DIR)) {
    if (path.extension() == ".e2k") texts.push_back(path);
    if (path.extension() != ".bma") continue;
    ++archives;  // the regression archives are corrupt on purpose: still archives
    ModelForm form = ModelForm::kText;
    EXPECT_EQ(DetectModelForm(path.string(), &form), "") << path;
    EXPECT_EQ(form, ModelForm::kArchive) << path;
  }
  EXPECT_GT(archives, 0);
  TempDir dir;
  for (size_t i = 0; i < texts.size(); ++i) {
    const std::string path = texts[i].string();
    CBuildingModule module;
    LoadResult result;
    EXPECT_EQ(LoadModel(path, module, &result), "") << path;
    EXPECT_EQ(result.form, ModelForm::kText) << path;
    EXPECT_FALSE(result.endLineMissing) << path;
    EXPECT_EQ(result.readReport.Get("END", skip::kEndMissing), 0) << path;
    if (i >= corpusFiles || std::string(BMTOOL_PATH).empty()) continue;
    // bmtool info, convert and plot take the corpus.
    const ToolResult info = RunTool({"info", path}, dir.path());
    EXPECT_EQ(info.exitCode, 0) << path << "\n" << info.err;
    EXPECT_NE(info.out.find(": text model\n"), std::string::npos) << path;
    EXPECT_NE(info.out.find("\nmodel data not taken: "), std::string::npos) << path;
    EXPECT_EQ(RunTool({"--quiet", "convert", path, "m.bma"}, dir.path()).exitCode, 0) << path;
    EXPECT_EQ(RunTool({"plot", "m.bma", "-o", "m.svg", "-q"}, dir.path()).exitCode, 0) << path;
    EXPECT_EQ(CheckXml(ReadFile(dir.File("m.svg")), nullptr), "") << path;
  }
  // The fuzz seeds are read or refused with a reason; the archive seeds are whole.
  for (const fs::path& path : FilesUnder(fs::path(BM_TEST_DATA_DIR) / ".." / ".." / "fuzz" / "seeds")) {
    CBuildingModule module;
    LoadResult result;
    const std::string problem = LoadModel(path.string(), module, &result);
    EXPECT_EQ(problem.empty(), result.failure == LoadFailure::kNone) << path << ": " << problem;
    const bool archiveSeed = path.parent_path().filename() == "archive";
    EXPECT_TRUE(!archiveSeed || (problem.empty() && result.trailingBytes == 0)) << path << ": " << problem;
  }
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus << " (test data read)";
}

}  // namespace
}  // namespace bm::test
