// The writer's line formatter: each directive, and what it does with a
// missing or mismatched argument.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "etabs_writer/E2kFormat.h"

namespace {

using bm::e2k::FormatArg;

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
    bm::e2k::PutFormatted(out, c.format, c.args.data(), c.args.size());
    EXPECT_EQ(out, "=" + c.expected) << c.format;
  }
}

TEST(E2kFormat, NamesKeepEveryByteAndTextOfCollectsAnAppender) {
  const CString name(std::string("a\0\xE9", 3));
  std::string out;
  bm::e2k::Put(out, "%q %s", name, name);
  EXPECT_EQ(out, std::string("\"a\0\xE9\" a\0\xE9", 9));

  const CString text = bm::e2k::TextOf([](std::string& o, int n) { bm::e2k::Put(o, "%d ", n); }, 5);
  EXPECT_EQ(text.str(), "5 ");
}

}  // namespace
