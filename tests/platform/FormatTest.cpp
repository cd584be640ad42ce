// Number formatting and parsing: identical to the C library in the "C"
// locale, except for the three-digit exponent, and independent of the
// process locale.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

std::string Snprintf(const char* format, double v) {
  char buf[512];
  std::snprintf(buf, sizeof buf, format, v);
  return buf;
}

// The C library's "%e" with its exponent widened to three digits.
std::string LegacyExponent(std::string s) {
  const size_t e = s.find_first_of("eE");
  if (e == std::string::npos || e + 2 >= s.size()) return s;
  const size_t digits = s.size() - (e + 2);
  if (digits < 3) s.insert(e + 2, 3 - digits, '0');
  return s;
}

TEST(Format, MatchesPrintfForFixedConversions) {
  std::mt19937_64 rng(42);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-12, 12);
  const char* formats[] = {"%f", "%10.6f", "%6.3f", "%5.3f", "%.0f", "%-12.4f|", "%+08.2f", "%g", "%.10g"};
  for (int i = 0; i < 3000; ++i) {
    const double v = mantissa(rng) * std::pow(10.0, exponent(rng));
    for (const char* f : formats) {
      CString s;
      s.Format(f, v);
      ASSERT_EQ(s.str(), LegacyExponent(Snprintf(f, v))) << f << " " << v;
    }
  }
}

TEST(Format, ExponentAlwaysHasThreeDigits) {
  EXPECT_EQ(bm::FormatString("%e", 200000.0), "2.000000e+005");
  EXPECT_EQ(bm::FormatString("%e", 1e-5), "1.000000e-005");
  EXPECT_EQ(bm::FormatString("%e", 1e100), "1.000000e+100");
  EXPECT_EQ(bm::FormatString("%E", -0.0), "-0.000000E+000");
  EXPECT_EQ(bm::FormatString("E %e", 2e5), "E 2.000000e+005");
  std::string out;
  bm::AppendExponent(out, 3.5e-300, 6);
  EXPECT_EQ(out, "3.500000e-300");
}

TEST(Format, IntegersStringsAndFlags) {
  EXPECT_EQ(bm::FormatString("%i|%d|%5d|%-5d|%05d|%x|%X|%u", 7, -42, 3, 3, -3, 255, 255, 4000000000u),
            "7|-42|    3|3    |-0003|ff|FF|4000000000");
  EXPECT_EQ(bm::FormatString("%s \"%s\" %.2s %5s", "A", "B C", "xyz", "r"), "A \"B C\" xy     r");
  EXPECT_EQ(bm::FormatString("100%%"), "100%");
  std::string out;
  bm::AppendInt(out, -2147483648LL);
  EXPECT_EQ(out, "-2147483648");
}

TEST(Format, NonFiniteValuesDoNotCrash) {
  EXPECT_EQ(bm::FormatString("%f", HUGE_VAL), "inf");
  EXPECT_EQ(bm::FormatString("%f", -HUGE_VAL), "-inf");
  EXPECT_EQ(bm::FormatString("%10.6f", 1e300).size(), 308u);
}

TEST(Format, IgnoresTheProcessLocale) {
  // The last one is the Windows C runtime's name.
  const char* candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE", "German_Germany.1252"};
  const char* chosen = nullptr;
  for (const char* name : candidates) {
    if (std::setlocale(LC_NUMERIC, name)) {
      chosen = name;
      break;
    }
  }
  const std::string fixed = bm::FormatString("%10.6f", 3.5);
  const double parsed = bm::StrToD("3.25");
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(fixed, "  3.500000");
  EXPECT_EQ(parsed, 3.25);
  if (!chosen) GTEST_SKIP() << "no comma-decimal locale installed; checked in the C locale only";
}

TEST(Parse, StrToDMatchesStrtod) {
  const char* inputs[] = {"1",     "-2.5",   "  3e2xyz", ".5",    "5.",    "1e",
                          "1e+",   "-",      "",         "abc",   "+.e1",  "1.7976931348623157e308",
                          "1e400", "-1e400", "1e-400",   "0x1p4", "inf",   "-nan",
                          "12,5",  "\t7",    "+-2",      "--2",   "-+1e3", "+inf"};
  for (const char* in : inputs) {
    char* end = nullptr;
    const double expected = std::strtod(in, &end);
    size_t consumed = 0;
    const double got = bm::StrToD(in, &consumed);
    EXPECT_EQ(consumed, static_cast<size_t>(end - in)) << in;
    if (std::isnan(expected)) {
      EXPECT_TRUE(std::isnan(got)) << in;
    } else {
      EXPECT_EQ(got, expected) << in;
    }
  }
}

TEST(Parse, ScanIntMatchesSscanf) {
  const char* inputs[] = {"12", "-7x", "  +3", "x1", "", "-", "99999999999", "4.9"};
  for (const char* in : inputs) {
    int expected = -12345, got = -12345;
    const int n = std::sscanf(in, "%d", &expected);
    const bool ok = bm::ScanInt(in, got);
    EXPECT_EQ(ok, n == 1) << in;
    if (n == 1 && std::string(in) != "99999999999") {
      EXPECT_EQ(got, expected) << in;
    }
    if (!ok) {
      EXPECT_EQ(got, -12345) << in;
    }
  }
}

}  // namespace
