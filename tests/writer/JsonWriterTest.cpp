// The JSON form: number and string text, and a model with missing links.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "json/JsonWriter.h"
#include "writer/WriterTestUtil.h"

namespace bm::test {
namespace {

uint64_t Bits(double v) {
  uint64_t b = 0;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

TEST(JsonText, NumbersAreShortestRoundTripTextAlwaysRealAndNonFiniteNull) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<std::pair<double, std::string>> cases = {
      {0.1, "0.1"},
      {1e-300, "1e-300"},
      {5e-324, "5e-324"},
      {1.7976931348623157e308, "1.7976931348623157e+308"},
      {-0.0, "-0.0"},
      {0.0, "0.0"},
      {3.0, "3.0"},
      {-1234567.0, "-1234567.0"},
      {1.5, "1.5"},
      {0.3 - 0.1, "0.19999999999999998"},
      {9223372036854775808.0, "9223372036854775808.0"},
      {1e16, "1e+16"},
      {2.5e20, "2.5e+20"},
      {std::nan(""), "null"},
      {inf, "null"},
      {-inf, "null"},
  };
  for (const auto& [value, expected] : cases) {
    std::string text;
    json::AppendNumber(text, value);
    EXPECT_EQ(text, expected);
    if (!std::isfinite(value)) continue;
    EXPECT_EQ(Bits(std::strtod(text.c_str(), nullptr)), Bits(value)) << text;
  }
}

TEST(JsonText, StringsKeepUtf8AndEscapeEveryOtherByteAsSurrogateescapeDoes) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", R"("")"},
      {"B1 STORY-2", R"("B1 STORY-2")"},
      {"a\"b\\c/", R"("a\"b\\c/")"},
      {std::string("\n\t\r\b\f\x01\x1f\x7f", 8), "\"\\n\\t\\r\\b\\f\\u0001\\u001f\x7f\""},
      {std::string("x\0y", 3), R"("x\u0000y")"},
      // Well-formed UTF-8 of two, three and four bytes is copied.
      {"\xC4\x81", "\"\xC4\x81\""},
      {"\xE2\x82\xAC", "\"\xE2\x82\xAC\""},
      {"\xF0\x9F\x8F\xA2", "\"\xF0\x9F\x8F\xA2\""},
      // Each byte of no well-formed sequence becomes its own \udcXX.
      {"\xC4", R"("\udcc4")"},
      {"A\xFF"
       "B",
       R"("A\udcffB")"},
      {"\xE2\x82"
       "A",
       R"("\udce2\udc82A")"},                                 // a three-byte sequence cut short
      {"\xF0\x9F\x8F", R"("\udcf0\udc9f\udc8f")"},            // a four-byte one cut at the end
      {"\xC0\xAF", R"("\udcc0\udcaf")"},                      // overlong
      {"\xED\xA0\x80", R"("\udced\udca0\udc80")"},            // an encoded surrogate
      {"\xF4\x90\x80\x80", R"("\udcf4\udc90\udc80\udc80")"},  // beyond U+10FFFF
      {"\xC4\xC4\x81", "\"\\udcc4\xC4\x81\""},                // a lead byte before a good pair
  };
  for (const auto& [bytes, expected] : cases) {
    std::string text;
    json::AppendString(text, bytes);
    EXPECT_EQ(text, expected);
  }
}

// Finds the object of `text` that starts with {"name":"NAME", on one line.
std::string ObjectLine(const std::string& text, const std::string& name) {
  const size_t at = text.find("\n{\"name\":\"" + name + "\"");
  if (at == std::string::npos) return std::string();
  const size_t end = text.find('\n', at + 1);
  return text.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
}

TEST(JsonWriter, MissingLinksGiveNullsAndTheFileIsWritten) {
  CBuildingModule module;
  CBMMgrGeometry* g = module.get_pMgrGeometry();
  g->AddLevel("BASE", 0.0, 0.0);
  CBMLevel* level = g->AddLevel("L1", 3.0, 3.0);
  ASSERT_NE(level, nullptr);
  // A section name that matches nothing leaves the member without a section.
  ASSERT_NE(g->AddBeam("B1", 0, 0, 6, 0, "L1", "NOPE"), nullptr);
  // Objects put straight into the lists: no point, no line, no area.
  CString joint("J\xC4");
  level->get_theCBMJointList()->AddJoint(joint);
  CString brace("BR");
  level->get_theCBMBraceList()->AddBrace(brace);
  CString wall("W");
  level->get_theCBMWallList()->AddWall(wall);
  CString section("S");
  g->get_pFrameSectionList()->AddFrameSection(section, "PIPE");

  const std::string text = ModelToJson(module);
  EXPECT_EQ(text.rfind("{\"units\":{\"force\":\"\",\"length\":\"\"},\"storeys\":[\n", 0), 0u) << text;
  EXPECT_EQ(ObjectLine(text, "J\\udcc4"),
            R"({"name":"J\udcc4","point":null,"x":null,"y":null,"restraint":null,"diaphragm":null,)"
            R"("spring":null,"loads":[]}],"beams":[)");
  EXPECT_EQ(ObjectLine(text, "B1"),
            R"({"name":"B1","kind":"beam","line":"B1","section":null,"material":null,"points":["1","2"],)"
            R"("storeys_spanned":0,"angle":0.0,"releases":null,"rigid_zone_factor":null,)"
            R"("max_station_spacing":24.0,"min_station_spacing":3.0,"loads":[]}],"columns":[],"braces":[)");
  EXPECT_EQ(ObjectLine(text, "BR"),
            R"({"name":"BR","kind":"brace","line":null,"section":null,"material":null,"points":null,)"
            R"("storeys_spanned":null,"angle":0.0,"releases":null,"rigid_zone_factor":null,)"
            R"("max_station_spacing":24.0,"min_station_spacing":3.0,"loads":[]}],"walls":[)");
  EXPECT_EQ(ObjectLine(text, "W"),
            R"({"name":"W","kind":"wall","area":null,"section":null,"material":null,"points":null,)"
            R"("mesh":"PROGDET","pier":null,"diaphragm":null,"loads":[]}],"slabs":[]}],"points":[)");
  // A pipe has D and T; the other dimensions are null, as is the material.
  const std::string pipe = ObjectLine(text, "S");
  EXPECT_NE(pipe.find(R"("material":null,"d":0.0,"b":null,"tf":null,"tw":null,"t":0.0,"area":null)"),
            std::string::npos)
      << pipe;
  const std::string end = ",\"piers\":[]}\n";
  EXPECT_EQ(text.rfind(end), text.size() - end.size());

  TempDir dir;
  EXPECT_EQ(WriteModelJson(module, dir.File("m.json")), "");
  EXPECT_EQ(ReadFile(dir.File("m.json")), text);
  EXPECT_NE(WriteModelJson(module, dir.File("no/such/m.json")), "");
  EXPECT_EQ(WriteModelJson(module, dir.File("")), "it is a folder");
}

}  // namespace
}  // namespace bm::test
