// In process: the demo generator's options and the JSON form.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#if __has_include("DemoBuilding.h")
#include "DemoBuilding.h"
#include "ModelStats.h"
#include "ToolRunner.h"  // Count
#include "json/JsonWriter.h"

namespace bm::test {
namespace {

using tool::DemoOptions;

TEST(DemoBuilding, UnusableOptionsAreRefusedWithTheReason) {
  const std::string range = " must be between 1 and 10000";
  const std::string positive = "bay widths and storey heights must be positive";
  const std::tuple<int, int, int, double, double, std::string> cases[] = {
      // storeys, bays, sizes, reason
      {10000, 1, 1, 6, 3, ""},
      {10001, 1, 1, 6, 3, "--storeys" + range},
      {1, 10000, 1, 6, 3, ""},
      {1, 10001, 1, 6, 3, "--bays-x" + range},
      {1, 1, 0, 6, 3, "--bays-y" + range},
      {1, 1, 10001, 6, 3, "--bays-y" + range},
      {10000, 1000, 1000, 6, 3, "the building would have more than 20 million elements"},
      {1, 1, 1, 0, 3, positive},
      {1, 1, 1, 6, -1, positive}};
  for (const auto& [storeys, x, y, bay, height, reason] : cases) {
    DemoOptions o;
    o.storeys = storeys, o.baysX = x, o.baysY = y, o.bayX = bay, o.storeyHeight = height;
    EXPECT_EQ(tool::CheckDemoOptions(o), reason) << storeys << " " << x << " " << y;
  }
  DemoOptions o;
  o.bayY = 0.0;
  CBuildingModule module;
  std::string error;
  EXPECT_FALSE(tool::BuildDemoBuilding(module, o, &error));
  EXPECT_EQ(error, "bay widths and storey heights must be positive");
  EXPECT_EQ(module.get_pMgrGeometry()->get_pLevelList()->GetCount(), 0);
}

TEST(JsonExport, ParsesAndNamesEveryKind) {
  CBuildingModule module;
  ASSERT_TRUE(tool::BuildDemoBuilding(module, tool::DemoOptions()));
  const tool::ModelStats s = tool::CollectStats(module);
  const std::string text = ModelToJson(module);
  int depth = 0;  // brackets outside strings balance
  for (size_t i = 0; i < text.size() && depth >= 0; ++i) {
    if (text[i] == '"')
      while (text[++i] != '"') i += text[i] == '\\';
    depth += (text[i] == '{' || text[i] == '[') - (text[i] == '}' || text[i] == ']');
  }
  EXPECT_EQ(depth, 0);
  const std::pair<const char*, int> kinds[] = {{"beam", s.Beams()},
                                               {"column", s.Columns()},
                                               {"brace", s.Braces()},
                                               {"wall", s.Walls()},
                                               {"slab", s.Slabs()}};
  for (const auto& [kind, n] : kinds)
    EXPECT_EQ(Count(text, "\"kind\":\"" + std::string(kind) + '"'), n) << kind;
  EXPECT_EQ(Count(text, "{\"case\":"), s.jointLoads + s.lineLoads + s.areaLoads);
}

}  // namespace
}  // namespace bm::test
#endif
