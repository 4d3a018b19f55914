#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "common/KavelModules.h"
#include "common/Wildcard.h"

namespace orvanto {
namespace {

using KavelModules::AddBackslash;
using KavelModules::ParseNumber;

TEST(ParseNumber, ReadsGermanStyleText) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      // clang-format off
      {"4,37", 4.37}, {"8356,1", 8356.1}, {"5390000", 5390000}, {"1.234,5", 1234.5}, {"4.37", 437},
      {"", 0}, {"abc", 0}, {"12 GB", 12}, {"4,3,7", 4.3}, {"-2,5", -2.5}, {" 5 390 000", 5390000},
      {"1e3", 1000}, {"+7", 7}, {",5", 0.5}, {"5,", 5}, {"1e", 1}, {"1e+", 1}, {"2E-1", 0.2},
      {"1,5e2", 150}, {"1 e 3", 1000}, {"\t7\n", 7}, {"--5", 0}, {"5-3", 5}, {"e5", 0}, {"-", 0},
      {",", 0}, {"1e400", kInf}, {"-1e400", -kInf}, {"1e-400", 0}, {"0,001e-400", 0},
      {"1.000.000", 1000000}, {"12\r3", 12},
      // clang-format on
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseNumber(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(AddBackslash, EnsuresOneTrailingBackslash) {
  const struct {
    const char* path;
    const char* expected;
  } cases[] = {
      {"C:\\DVD", "C:\\DVD\\"}, {"C:\\", "C:\\"}, {"", "\\"}, {"D:/x/", "D:/x/\\"}, {"c:", "c:\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(AddBackslash(c.path), c.expected) << c.path;
}

TEST(MatchesWildcard, MatchesLikeAFileSearch) {
  const struct {
    const char* name;
    const char* pattern;
    bool expected;
  } cases[] = {
      // clang-format off
      {"VTS_01_1.VOB", "*.VOB", true}, {"vts_01_1.vob", "*.VOB", true}, {"x.vobx", "*.VOB", false},
      {"MOVIE.CFFL.VINF", "*.CFFL", false}, {"MOVIE.CFFL.VINF", "*.CFFL.VINF", true},
      {"MOVIE.CFFL", "*.CFFL.VINF", false}, {"README", "*.*", true}, {"a.b", "?.b", true},
      {"ab.b", "?.b", false}, {"MOVIE.CFFL", "MOVIE.CFFL", true}, {"", "*", true},
      {"abc", "a*c*", true}, {"abcabd", "*abd", true}, {"abc", "", false},
      // clang-format on
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.expected) << c.name << " ~ " << c.pattern;
  }
}

}  // namespace
}  // namespace orvanto
