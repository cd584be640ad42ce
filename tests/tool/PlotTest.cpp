// bmtool plot: one path per member, texts inside the canvas and apart, the legend, the size limit.
#include <gtest/gtest.h>

#include <set>

#include "ToolRunner.h"

namespace bm::test {
namespace {

struct Text {
  std::string cls, content;
  double x0, y0, x1, y1;  // the box the tool estimates for a sans-serif text
};

struct Svg {
  double width = 0.0, height = 0.0;
  std::vector<Text> texts;
  std::set<std::string> shown;  // "class:content" of every text
  std::map<std::string, int> counts, classes;
  int Class(const std::string& name) const { return classes.count(name) ? classes.at(name) : 0; }
  bool Has(const std::string& cls, const std::string& s) const { return shown.count(cls + ":" + s) > 0; }
};

Svg Parse(const std::string& file) {
  const std::string xml = ReadFile(file);
  Svg svg;
  EXPECT_EQ(CheckXml(xml, &svg.counts, &svg.classes), "") << file;
  std::smatch m;
  if (std::regex_search(xml, m, std::regex("viewBox=\"0 0 ([0-9.]+) ([0-9.]+)\"")))
    svg.width = std::stod(m[1]), svg.height = std::stod(m[2]);
  const std::regex text(
      R"re(<text class="([a-z]+)" x="([-0-9.]+)" y="([-0-9.]+)" font-size="([0-9.]+)">([^<]*)</text>)re");
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), text); it != std::sregex_iterator(); ++it) {
    const double x = std::stod((*it)[2]), y = std::stod((*it)[3]), size = std::stod((*it)[4]);
    const std::string content = (*it)[5];
    const double width = 0.6 * size * content.size();
    svg.texts.push_back({(*it)[1], content, x, y - 0.8 * size, x + width, y + 0.25 * size});
    svg.shown.insert(svg.texts.back().cls + ":" + content);
  }
  EXPECT_EQ(svg.texts.size(), static_cast<size_t>(svg.counts["text"])) << file;
  return svg;
}

std::string LeftOut(int n, const std::string& what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s") + " left out: overlapping";
}

TEST(Plot, PlansAndViewsOfAnyShapeFitTheirCanvas) {
  REQUIRE_TOOL();
  TempDir dir;
  for (const auto& [x, y] : {std::pair{"1", "30"}, std::pair{"30", "1"}, std::pair{"40", "40"}})
    ASSERT_EQ(
        RunTool({"-q", "demo", x + std::string("x") + y, "--storeys", "2", "--bays-x", x, "--bays-y", y},
                dir.path())
            .exitCode,
        0);
  // A storey with one column (a single point) and an empty one.
  WriteFile(dir.File("one.e2k"), R"($ File saved

$STORIES--IN SEQUENCE FROM TOP
 STORY "STORY2"  HEIGHT 3
 STORY "STORY1"  HEIGHT 3
 STORY "BASE"  ELEV 0

$ POINT COORDINATES
POINT "1"  2 3

$ LINE CONNECTIVITIES
 LINE  "C1"  COLUMN  "1"  "1"  1

$ Line Assignment
 LINEASSIGN  "C1"  "STORY1"
)");
  // Model, storey ("": the whole model), joints drawn (-1: any), whether joint labels are left out.
  const std::tuple<std::string, std::string, int, bool> plots[] = {
      {"1x30/demo.e2k", "STORY1", 62, false},
      {"30x1/demo.e2k", "STORY1", 62, false},
      {"40x40/demo.e2k", "STORY1", 1681, true},
      {"1x30/demo.e2k", "", -1, false},
      {"30x1/demo.e2k", "", -1, false},
      {"40x40/demo.e2k", "", -1, false},
      // A text model is drawn processed: the base gets the column's support joint.
      {"one.e2k", "BASE", 1, false},
      {"one.e2k", "STORY1", 1, false},
      {"one.e2k", "STORY2", 0, false}};
  for (const auto& [model, storey, joints, leavesOut] : plots) {
    SCOPED_TRACE(model + " " + storey);
    std::vector<std::string> args = {"plot", model, "-o", "p.svg"};
    if (!storey.empty()) args.insert(args.end(), {"--storey", storey, "--labels"});
    const ToolResult r = RunTool(args, dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.find("joint labels left out") != std::string::npos, leavesOut) << r.out;
    const Svg svg = Parse(dir.File("p.svg"));
    ASSERT_GT(svg.width, 0.0);
    std::vector<const Text*> labels;
    for (const Text& t : svg.texts) {
      EXPECT_TRUE(t.x0 >= 0 && t.y0 >= 0 && t.x1 <= svg.width && t.y1 <= svg.height) << t.cls << t.content;
      if (t.cls == "joint") labels.push_back(&t);
    }
    for (size_t i = 0; i < labels.size(); ++i)
      for (size_t j = i + 1; j < labels.size(); ++j) {
        const Text &a = *labels[i], &b = *labels[j];
        EXPECT_FALSE(a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1) << a.content << b.content;
      }
    // A scale bar; a legend row per kind drawn, with its count; the labels left out, counted.
    EXPECT_TRUE(std::any_of(svg.texts.begin(), svg.texts.end(), [](const Text& t) {
      return t.cls == "legend" && std::regex_match(t.content, std::regex("[125]0*( M)?"));
    }));
    for (const std::string kind : {"column", "beam", "brace", "wall", "slab"}) {
      const int drawn = svg.Class("path." + kind);
      EXPECT_EQ(svg.Has("legend", kind + " (" + std::to_string(drawn) + ")"), drawn > 0) << kind;
    }
    const int leftOut = svg.Class("circle.joint") - static_cast<int>(labels.size());
    EXPECT_EQ(svg.Has("legend", LeftOut(leftOut, "joint label")), leftOut > 0 && !labels.empty());
    EXPECT_TRUE(joints < 0 || svg.Class("circle.joint") == joints) << svg.Class("circle.joint");
    EXPECT_EQ(svg.Has("legend", "nothing to draw"), joints == 0);
    const std::string file = std::filesystem::path(model).filename().string();
    const std::string title = file + ": plan of STORY1 at " + (file == "one.e2k" ? "+3.00" : "+4.50");
    EXPECT_TRUE(storey != "STORY1" || svg.Has("title", title));
    // Every storey of a view is labelled, or counted among the labels left out.
    int storeys = 0;
    for (const char* label : {"BASE  +0.00", "STORY1  +4.50", "STORY2  +8.10"})
      storeys += svg.Has("storey", label);
    EXPECT_TRUE(!storey.empty() || storeys == 3 || svg.Has("legend", LeftOut(3 - storeys, "storey label")));
  }
}

TEST(Plot, DrawsOnePathPerMemberUpToTheSizeLimitAndPastItWritesNothing) {
  REQUIRE_TOOL();
  const auto kinds = [](const Svg& svg) {  // paths of columns, beams, braces, walls, slabs, in all
    return std::vector<int>({svg.Class("path.column"), svg.Class("path.beam"), svg.Class("path.brace"),
                             svg.Class("path.wall"), svg.Class("path.slab"), svg.counts.at("path")});
  };
  // At the limit: the demo (365 members) and STORY2's plan (73), named in any case, from the archive.
  ASSERT_EQ(RunTool({"plot", "demo.e2k", "-o", "axo.svg", "--max-members", "365"}).exitCode, 0);
  const Svg axo = Parse(DemoDir().File("axo.svg"));
  EXPECT_EQ(kinds(axo), std::vector<int>({100, 155, 20, 30, 60, 365}));
  EXPECT_TRUE(axo.Has("storey", "BASE  +0.00") && axo.Has("storey", "STORY5  +18.90"));
  const auto plan = [](const char* most, const char* out) {
    return RunTool({"plot", "demo.bma", "--storey", "story2", "--labels", "-o", out, "--max-members", most});
  };
  ASSERT_EQ(plan("73", "plan.svg").exitCode, 0);
  const Svg p = Parse(DemoDir().File("plan.svg"));
  EXPECT_EQ(kinds(p), std::vector<int>({20, 31, 4, 6, 12, 73}));
  EXPECT_TRUE(p.Class("circle.joint") == 20 && p.Has("joint", "C17"));
  EXPECT_TRUE(p.Has("title", "demo.bma: plan of STORY2 at +8.10"));
  // Past it: refused, with the way out.
  ToolResult r = RunTool({"plot", "demo.e2k", "--max-members", "100", "-o", "big.svg"});
  EXPECT_EQ(r.exitCode, 1);
  for (const char* says : {"would draw 365 members", "past the limit of 100", "--storey NAME",
                           "bmtool info demo.e2k", "--max-members N"})
    EXPECT_NE(r.err.find(says), std::string::npos) << says << "\n" << r.err;
  EXPECT_EQ((r = plan("72", "big2.svg")).exitCode, 1);
  for (const char* f : {"big.svg", "big2.svg"}) EXPECT_FALSE(std::filesystem::exists(DemoDir().File(f)));
  EXPECT_NE(r.err.find("the plan of STORY2 of demo.bma would draw 73 members"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("--storey NAME"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace bm::test
