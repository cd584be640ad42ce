// The JSON form of the demo building, in process and through bmtool export.
#include <gtest/gtest.h>

#if __has_include("DemoBuilding.h")
#include <buildingmodel/buildingmodel.h>

#include "DemoBuilding.h"
#include "ModelStats.h"
#include "ToolRunner.h"
#include "json/JsonWriter.h"

namespace bm::test {
namespace {

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

// The keys of the outermost object, in order (strings skipped, so a name
// that looks like a key does not count).
std::vector<std::string> TopLevelKeys(const std::string& text) {
  std::vector<std::string> keys;
  int depth = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      size_t end = i + 1;
      while (end < text.size() && text[end] != '"') end += text[end] == '\\' ? 2 : 1;
      if (depth == 1 && end + 1 < text.size() && text[end + 1] == ':')
        keys.push_back(text.substr(i + 1, end - i - 1));
      i = end;
    } else if (c == '{' || c == '[') {
      ++depth;
    } else if (c == '}' || c == ']') {
      --depth;
    }
  }
  return keys;
}

TEST(JsonExport, DemoBuildingHasEveryObjectOnceInItsPlace) {
  CBuildingModule module;
  std::string error;
  ASSERT_TRUE(tool::BuildDemoBuilding(module, tool::DemoOptions(), &error)) << error;
  const tool::ModelStats s = tool::CollectStats(module);
  const std::string text = ModelToJson(module);

  EXPECT_EQ(TopLevelKeys(text), (std::vector<std::string>{"units", "storeys", "points", "materials",
                                                          "frame_sections", "shell_sections", "load_cases",
                                                          "combinations", "diaphragms", "piers"}));
  EXPECT_EQ(
      text.rfind("{\"units\":{\"force\":\"KN\",\"length\":\"M\"},\"storeys\":[\n{\"name\":\"BASE\",", 0), 0u);
  // Every named object once: storeys, joints, members, points, properties,
  // cases, diaphragms, piers.
  const int named = static_cast<int>(s.storeys.size()) + s.Joints() + s.Members() + s.points + s.materials +
                    s.frameSections + s.shellSections + s.loadCases + s.diaphragms + s.piers;
  EXPECT_EQ(Count(text, "{\"name\":"), named);
  // Each member under the list of its kind, and one line per listed object.
  EXPECT_EQ(Count(text, "\"kind\":\"beam\""), s.Beams());
  EXPECT_EQ(Count(text, "\"kind\":\"column\""), s.Columns());
  EXPECT_EQ(Count(text, "\"kind\":\"brace\""), s.Braces());
  EXPECT_EQ(Count(text, "\"kind\":\"wall\""), s.Walls());
  EXPECT_EQ(Count(text, "\"kind\":\"slab\""), s.Slabs());
  EXPECT_EQ(Count(text, "\n{\"name\":"), named);
  // Every joint, member and area load (the wall line loads are not part of
  // the form), and the base supports.
  EXPECT_EQ(Count(text, "{\"case\":"), s.jointLoads + s.lineLoads + s.areaLoads);
  EXPECT_EQ(Count(text, "\"type\":\"TRAPF\""), s.lineLoadTypes.at("TRAPF"));
  EXPECT_EQ(Count(text, "\"restraint\":[\"UX\",\"UY\",\"UZ\",\"RX\",\"RY\",\"RZ\"]"), s.restrainedJoints);
  EXPECT_EQ(text.back(), '\n');
}

TEST(JsonExport, ToolWritesTheFileOrExitsOne) {
  if (ToolPath().empty()) GTEST_SKIP() << "built without bmtool";
  TempDir dir;
  ASSERT_EQ(RunTool({"demo", "d"}, dir.path()).exitCode, 0);
  for (const char* input : {"d/demo.e2k", "d/demo.bma"}) {
    const ToolResult r = RunTool({"export", input, "-o", "m.json"}, dir.path());
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("wrote m.json (JSON, "), std::string::npos) << r.out;
    EXPECT_EQ(ReadFile(dir.File("m.json")).rfind("{\"units\":{\"force\":\"KN\"", 0), 0u) << input;
  }
  const ToolResult missing = RunTool({"export", "none.e2k", "-o", "x.json"}, dir.path());
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err.rfind("bmtool: cannot read none.e2k: ", 0), 0u) << missing.err;
  const ToolResult unwritable = RunTool({"export", "d/demo.bma", "-o", "no/dir/x.json"}, dir.path());
  EXPECT_EQ(unwritable.exitCode, 1);
  EXPECT_NE(unwritable.err.find("bmtool: cannot write no/dir/x.json: "), std::string::npos) << unwritable.err;
  EXPECT_EQ(RunTool({"export", "d/demo.bma"}, dir.path()).exitCode, 2);
  // Writing over the input is refused, under any path, and the input stays.
  const std::string before = ReadFile(dir.File("d/demo.e2k"));
  EXPECT_EQ(RunTool({"export", "d/demo.e2k", "-o", "d/../d/demo.e2k"}, dir.path()).exitCode, 2);
  EXPECT_EQ(ReadFile(dir.File("d/demo.e2k")), before);
}

}  // namespace
}  // namespace bm::test
#endif
