// The writer's line formatter, its fast number conversions against the C
// library's, and the JSON form (numbers, strings, a model with missing links).
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "etabs_writer/E2kFormat.h"
#include "etabs_writer/E2kText.h"
#include "json/JsonWriter.h"
#include "platform/Format.h"
#include "support/Files.h"

namespace bm::test {
namespace {

using e2k::FormatArg;

TEST(E2kFormat, DirectivesExpandAsDocumented) {
  struct Case {
    const char* format;
    std::vector<FormatArg> args;
    std::string expected;
  };
  const Case cases[] = {
      {"%q", {"A B"}, "\"A B\""},
      {"[%s]", {"UX"}, "[UX]"},
      {"%f", {3.5}, "3.500000"},
      {"%f", {-0.0}, "-0.000000"},
      {"%f", {3}, "3.000000"},  // an integer serves a number directive
      {"%10.6f|%6.3f|%5.3f", {1.5, 2.25, 0.5}, "  1.500000| 2.250|0.500"},
      {"%.3f %10f", {1.0, 2.0}, "1.000   2.000000"},
      {"%10.6f", {12345678.125}, "12345678.125000"},  // wider than the field
      {"%e %e", {200000.0, 1e-5}, "2.000000e+005 1.000000e-005"},
      {"%d,%d", {42, -7LL}, "42,-7"},
      {"100%%", {}, "100%"},
      {" %s %q M %f  W %f\n", {"MATERIAL", "C30", 2.5, 24.0}, " MATERIAL \"C30\" M 2.500000  W 24.000000\n"},
      // Missing and mismatched arguments write nothing; other '%' are copied.
      {"a %d b", {}, "a  b"},
      {"<%q><%f><%d>", {1.0, "x", 2.0}, "<><><>"},
      {"%x %", {}, "%x %"},
  };
  for (const Case& c : cases) {
    std::string out = "=";
    e2k::PutFormatted(out, c.format, c.args.data(), c.args.size());
    EXPECT_EQ(out, "=" + c.expected) << c.format;
  }
}

TEST(E2kFormat, NamesKeepEveryByteAndTextOfCollectsAnAppender) {
  const CString name(std::string("a\0\xE9", 3));
  std::string out;
  e2k::Put(out, "%q %s", name, name);
  EXPECT_EQ(out, std::string("\"a\0\xE9\" a\0\xE9", 9));
  const CString text = e2k::TextOf([](std::string& o, int n) { e2k::Put(o, "%d ", n); }, 5);
  EXPECT_EQ(text.str(), "5 ");
}

std::vector<double> Samples() {
  std::vector<double> v;
  const char* fixed =
      "0 -0 1 -1 0.5 2.5e-7 5e-7 -5e-7 1.5e-6 0.0005 0.0015 0.0025 1234.5 999999.9999995 999999.99999949 1e6 "
      "-1e6 1000000.5 123456789.123 1e300 -1e-300 24 1.2 0.1 0.3 2.675 1.0005 1.0015 inf -inf "
      "4503599627370495.5 nan 5e-324";
  for (char* end; *fixed; fixed = end) v.push_back(std::strtod(fixed, &end));
  std::mt19937_64 rng(12345);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int i = 0; i < 40000; ++i) {
    const double magnitude = std::pow(10.0, -8.0 + 16.0 * unit(rng));
    v.push_back(i % 3 == 0 ? -magnitude * unit(rng) : magnitude * unit(rng));
    // Values at and next to decimal halves, where rounding is decided.
    const double half = (std::floor(unit(rng) * 1e9) + 0.5) / 1e6;
    v.insert(v.end(), {half, std::nextafter(half, 0.0), std::nextafter(half, 1e9)});
    v.push_back(-(std::floor(unit(rng) * 1e6) + 0.5) / 1e3);
  }
  return v;
}

TEST(NumberFormat, FastFixedMatchesTheGeneralFormatter) {
  for (double x : Samples()) {
    for (int precision : {0, 3, 6}) {
      std::string fast;
      e2k::PutFixed(fast, x, precision);
      ASSERT_EQ(fast, FormatString("%.*f", precision, x)) << x;
    }
    std::string f10, f63, f53;
    e2k::PutF10(f10, x);
    e2k::PutFixedWidth(f63, x, 6, 3);
    e2k::PutFixedWidth(f53, x, 5, 3);
    ASSERT_EQ(f10 + "|" + f63 + "|" + f53, FormatString("%10.6f|%6.3f|%5.3f", x, x, x)) << x;
  }
}

TEST(NumberFormat, ExponentAndIntegers) {
  std::string out;
  for (double x : {200000.0, 1e-5, 1e100, 0.0}) {
    e2k::PutE(out, x);
    out += ' ';
  }
  e2k::PutI(out, -42);
  EXPECT_EQ(out, "2.000000e+005 1.000000e-005 1.000000e+100 0.000000e+000 -42");
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
    const double back = std::strtod(text.c_str(), nullptr);
    EXPECT_EQ(std::memcmp(&back, &value, sizeof back), 0) << text;
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
      {"A\xFF\x42", R"("A\udcffB")"},
      {"\xE2\x82\x41", R"("\udce2\udc82A")"},                 // a three-byte sequence cut short
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
  return at == std::string::npos ? std::string() : text.substr(at + 1, text.find('\n', at + 1) - at - 1);
}

TEST(JsonWriter, MissingLinksGiveNullsAndTheFileIsWritten) {
  CBuildingModule module;
  CBMMgrGeometry* g = module.get_pMgrGeometry();
  g->AddLevel("BASE", 0.0, 0.0);
  CBMLevel* level = g->AddLevel("L1", 3.0, 3.0);
  g->AddBeam("B1", 0, 0, 6, 0, "L1", "NOPE");  // a section name that matches nothing
  // Objects put straight into the lists: no point, no line, no area.
  CString joint("J\xC4"), brace("BR"), wall("W"), section("S");
  level->get_theCBMJointList()->AddJoint(joint);
  level->get_theCBMBraceList()->AddBrace(brace);
  level->get_theCBMWallList()->AddWall(wall);
  g->get_pFrameSectionList()->AddFrameSection(section, "PIPE");
  CString general("G");
  CBMFrameSection* dims = g->get_pFrameSectionList()->AddFrameSection(general, "GENERAL");
  for (int i = 0; i < 16; ++i) dims->set_ParamItems(i, i + 1);
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
  const std::string pipe = R"("material":null,"d":0.0,"b":null,"tf":null,"tw":null,"t":0.0,"area":null)";
  EXPECT_NE(ObjectLine(text, "S").find(pipe), std::string::npos);
  // A general section's values, each from its own slot.
  EXPECT_NE(
      ObjectLine(text, "G").find(R"("d":1.0,"b":2.0,"tf":null,"tw":null,"t":null,"area":3.0,"torsion":4.0,)"
                                 R"("i33":5.0,"i22":6.0,"as2":7.0,"as3":8.0,"s33":9.0,"s22":10.0,"z33":11.0,)"
                                 R"("z22":12.0,"r33":13.0,"r22":14.0})"),
      std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 13), ",\"piers\":[]}\n");
  TempDir dir;
  EXPECT_EQ(WriteModelJson(module, dir.File("m.json")), "");
  EXPECT_EQ(ReadFile(dir.File("m.json")), text);
  EXPECT_NE(WriteModelJson(module, dir.File("no/such/m.json")), "");
  EXPECT_EQ(WriteModelJson(module, dir.File("")), "it is a folder");
}

}  // namespace
}  // namespace bm::test
