// The writer's fast number conversions against the general formatter.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "etabs_writer/E2kText.h"
#include "platform/Format.h"

namespace {

std::vector<double> Samples() {
  std::vector<double> v = {0.0,
                           -0.0,
                           1.0,
                           -1.0,
                           0.5,
                           2.5e-7,
                           5e-7,
                           -5e-7,
                           1.5e-6,
                           0.0000005,
                           0.0005,
                           0.0015,
                           0.0025,
                           1234.5,
                           999999.9999995,
                           999999.99999949,
                           1e6,
                           -1e6,
                           1e6 + 0.5,
                           123456789.123,
                           1e300,
                           -1e-300,
                           24.0,
                           1.2,
                           0.1,
                           0.3,
                           2.675,
                           1.0005,
                           1.0015,
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::denorm_min(),
                           4503599627370495.5};
  std::mt19937_64 rng(12345);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int i = 0; i < 40000; ++i) {
    const double magnitude = std::pow(10.0, -8.0 + 16.0 * unit(rng));
    double x = magnitude * unit(rng);
    if (i % 3 == 0) x = -x;
    v.push_back(x);
    // Values at and next to decimal halves, where rounding is decided.
    const double half = (std::floor(unit(rng) * 1e9) + 0.5) / 1e6;
    v.push_back(half);
    v.push_back(std::nextafter(half, 0.0));
    v.push_back(std::nextafter(half, 1e9));
    const double half3 = (std::floor(unit(rng) * 1e6) + 0.5) / 1e3;
    v.push_back(-half3);
  }
  return v;
}

TEST(NumberFormat, FastFixedMatchesTheGeneralFormatter) {
  for (double x : Samples()) {
    for (int precision : {0, 3, 6}) {
      std::string fast;
      bm::e2k::PutFixed(fast, x, precision);
      ASSERT_EQ(fast, bm::FormatString("%.*f", precision, x)) << x;
    }
    std::string f10, f63, f53;
    bm::e2k::PutF10(f10, x);
    bm::e2k::PutFixedWidth(f63, x, 6, 3);
    bm::e2k::PutFixedWidth(f53, x, 5, 3);
    ASSERT_EQ(f10, bm::FormatString("%10.6f", x)) << x;
    ASSERT_EQ(f63, bm::FormatString("%6.3f", x)) << x;
    ASSERT_EQ(f53, bm::FormatString("%5.3f", x)) << x;
  }
}

TEST(NumberFormat, ExponentAndIntegers) {
  std::string out;
  bm::e2k::PutE(out, 200000.0);
  out += ' ';
  bm::e2k::PutE(out, 1e-5);
  out += ' ';
  bm::e2k::PutE(out, 1e100);
  out += ' ';
  bm::e2k::PutI(out, -42);
  EXPECT_EQ(out, "2.000000e+005 1.000000e-005 1.000000e+100 -42");
}

}  // namespace
