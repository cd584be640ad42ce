// bmtool plot: what a person sees. Every text lies inside the canvas, joint
// labels do not overlap, the legend matches what is drawn, and a plot past
// the size limit is refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "ToolRunner.h"

namespace bm::test {
namespace {

namespace fs = std::filesystem;

struct Text {
  std::string cls;
  std::string content;
  double x0, y0, x1, y1;  // estimated box, as the tool estimates a sans-serif text
};

struct Svg {
  double width = 0.0;
  double height = 0.0;
  std::vector<Text> texts;
  std::map<std::string, int> classes;  // "path.beam" -> count
};

double Attribute(const std::string& attributes, const std::string& name) {
  std::smatch m;
  const std::regex re(" " + name + "=\"([-0-9.]+)\"");
  return std::regex_search(attributes, m, re) ? std::stod(m[1]) : -1e9;
}

Svg Parse(const std::string& xml) {
  Svg svg;
  EXPECT_EQ(CheckXml(xml, nullptr, &svg.classes), "");
  std::smatch m;
  if (std::regex_search(xml, m, std::regex("viewBox=\"0 0 ([0-9.]+) ([0-9.]+)\""))) {
    svg.width = std::stod(m[1]);
    svg.height = std::stod(m[2]);
  }
  const std::regex text("<text class=\"([a-z]+)\"([^>]*)>([^<]*)</text>");
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), text); it != std::sregex_iterator(); ++it) {
    const std::string attributes = (*it)[2];
    const double x = Attribute(attributes, "x");
    const double y = Attribute(attributes, "y");
    const double size = Attribute(attributes, "font-size");
    const std::string content = (*it)[3];
    svg.texts.push_back(
        Text{(*it)[1], content, x, y - 0.8 * size, x + 0.6 * size * content.size(), y + 0.25 * size});
  }
  return svg;
}

std::string CountOf(int n, const std::string& what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

bool Has(const Svg& svg, const std::string& cls, const std::string& content) {
  for (const Text& t : svg.texts) {
    if (t.cls == cls && t.content == content) return true;
  }
  return false;
}

// Checks what every plot must show: texts inside the canvas, joint labels
// apart, a legend row per kind drawn with its count, and a count of the
// joint labels left out that adds up.
void CheckPlot(const Svg& svg, const std::string& what) {
  SCOPED_TRACE(what);
  ASSERT_GT(svg.width, 0.0);
  std::vector<const Text*> labels;
  for (const Text& t : svg.texts) {
    EXPECT_TRUE(t.x0 >= 0 && t.y0 >= 0 && t.x1 <= svg.width && t.y1 <= svg.height)
        << t.cls << " '" << t.content << "' at " << t.x0 << "," << t.y0 << " to " << t.x1 << "," << t.y1
        << " outside " << svg.width << "x" << svg.height;
    if (t.cls == "joint") labels.push_back(&t);
  }
  for (size_t i = 0; i < labels.size(); ++i) {
    for (size_t j = i + 1; j < labels.size(); ++j) {
      const Text& a = *labels[i];
      const Text& b = *labels[j];
      EXPECT_FALSE(a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1)
          << a.content << " over " << b.content;
    }
  }
  for (const char* kind : {"column", "beam", "brace", "wall", "slab"}) {
    const auto it = svg.classes.find(std::string("path.") + kind);
    const int drawn = it == svg.classes.end() ? 0 : it->second;
    const std::string row = std::string(kind) + " (" + std::to_string(drawn) + ")";
    EXPECT_EQ(Has(svg, "legend", row), drawn > 0) << row;
  }
  bool scale = false;
  for (const Text& t : svg.texts)
    scale |= t.cls == "legend" && std::regex_match(t.content, std::regex("[125]0*( M)?"));
  EXPECT_TRUE(scale) << "no scale bar";
  const int joints = svg.classes.count("circle.joint") ? svg.classes.at("circle.joint") : 0;
  const int leftOut = joints - static_cast<int>(labels.size());
  if (!labels.empty() && leftOut > 0) {
    EXPECT_TRUE(Has(svg, "legend", CountOf(leftOut, "joint label") + " left out: overlapping"));
  }
}

TEST(Plot, PlansAndViewsOfAnyShapeFitTheirCanvas) {
  if (ToolPath().empty()) GTEST_SKIP() << "built without bmtool";
  TempDir dir;
  // Narrow, wide, and one so dense that most joint labels must be left out.
  const struct {
    const char* bx;
    const char* by;
    bool leavesLabelsOut;
  } cases[] = {{"1", "30", false}, {"30", "1", false}, {"40", "40", true}};
  for (const auto& c : cases) {
    const std::string name = std::string("m") + c.bx + "x" + c.by;
    ASSERT_EQ(RunTool({"-q", "demo", name, "--storeys", "2", "--bays-x", c.bx, "--bays-y", c.by}, dir.path())
                  .exitCode,
              0);
    const ToolResult plan = RunTool(
        {"plot", name + "/demo.e2k", "--storey", "STORY1", "--labels", "-o", name + ".svg"}, dir.path());
    ASSERT_EQ(plan.exitCode, 0) << plan.err;
    const Svg svg = Parse(ReadFile(dir.File(name + ".svg")));
    CheckPlot(svg, name + " plan");
    EXPECT_EQ(plan.out.find("joint labels left out") != std::string::npos, c.leavesLabelsOut) << plan.out;
    EXPECT_TRUE(Has(svg, "title", "demo.e2k: plan of STORY1 at +4.50"));

    ASSERT_EQ(RunTool({"plot", name + "/demo.e2k", "-o", name + "-axo.svg"}, dir.path()).exitCode, 0);
    const Svg axo = Parse(ReadFile(dir.File(name + "-axo.svg")));
    CheckPlot(axo, name + " axonometric");
    // Every storey is labelled, or counted among the labels left out.
    int storeys = 0;
    for (const char* storey : {"BASE  +0.00", "STORY1  +4.50", "STORY2  +8.10"})
      storeys += Has(axo, "storey", storey);
    EXPECT_TRUE(storeys == 3 ||
                Has(axo, "legend", CountOf(3 - storeys, "storey label") + " left out: overlapping"))
        << storeys;
  }

  // A storey with one column (a single point) and an empty one, under the
  // demo file's header.
  const std::string demo = ReadFile(dir.File("m1x30/demo.e2k"));
  WriteFile(dir.File("one.e2k"),
            demo.substr(0, demo.find("$STORIES")) +
                "$STORIES--IN SEQUENCE FROM TOP\n STORY \"STORY2\"  HEIGHT 3\n STORY \"STORY1\"  HEIGHT 3\n"
                " STORY \"BASE\"  ELEV 0\n\n$ POINT COORDINATES\nPOINT \"1\"  2 3\n\n"
                "$ LINE CONNECTIVITIES\n LINE  \"C1\"  COLUMN  \"1\"  \"1\"  1\n\n"
                "$ Line Assignment\n LINEASSIGN  \"C1\"  \"STORY1\"\n\n");
  for (const char* storey : {"STORY1", "STORY2"}) {
    const ToolResult r =
        RunTool({"plot", "one.e2k", "--storey", storey, "--labels", "-o", "one.svg"}, dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Svg svg = Parse(ReadFile(dir.File("one.svg")));
    CheckPlot(svg, storey);
    EXPECT_EQ(Has(svg, "legend", "nothing to draw"), std::string(storey) == "STORY2");
  }
}

TEST(Plot, PlotsPastTheSizeLimitAreRefused) {
  if (ToolPath().empty()) GTEST_SKIP() << "built without bmtool";
  TempDir dir;
  ASSERT_EQ(RunTool({"-q", "demo", "d"}, dir.path()).exitCode, 0);
  // The demo building draws 365 members in all, 73 on STORY2.
  ToolResult r = RunTool({"plot", "d/demo.e2k", "--max-members", "100", "-o", "big.svg"}, dir.path());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(fs::exists(dir.File("big.svg")));
  for (const char* says : {"would draw 365 members", "past the limit of 100", "--storey NAME",
                           "bmtool info d/demo.e2k", "--max-members N"}) {
    EXPECT_NE(r.err.find(says), std::string::npos) << says << "\n" << r.err;
  }
  r = RunTool({"plot", "d/demo.e2k", "--max-members", "100", "--storey", "STORY2", "-o", "plan.svg"},
              dir.path());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  r = RunTool({"plot", "d/demo.e2k", "--max-members", "50", "--storey", "STORY2", "-o", "plan.svg"},
              dir.path());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("the plan of STORY2 of d/demo.e2k would draw 73 members"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("--storey NAME"), std::string::npos) << r.err;
  EXPECT_EQ(RunTool({"plot", "d/demo.e2k", "--max-members", "0", "-o", "x.svg"}, dir.path()).exitCode, 2);
  // The default limit is the one the help states.
  EXPECT_NE(RunTool({"plot", "--help"}, dir.path()).out.find("more than 200,000 members"), std::string::npos);
}

}  // namespace
}  // namespace bm::test
