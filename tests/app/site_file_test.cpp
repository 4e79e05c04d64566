#include "app/site_file.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<app::SitePosition> read(const std::string& text) {
  std::istringstream in(text);
  return app::readSites(in);
}

TEST(SiteFile, ReadsSitesWithCommasBlankLinesAndComments) {
  const auto sites = read("# three sites\n100 200\n\n  150.25,210.1  # second\n300 , 400\n");
  ASSERT_EQ(sites.size(), 3u);
  EXPECT_EQ(sites[1].x, 150.25);
  EXPECT_EQ(sites[1].y, 210.1f);  // rounded to the nearest float, not by way of a double
  EXPECT_EQ(sites[2].y, 400.0f);
}

struct BadList {
  const char* name;
  std::string text;
  std::string expected;  // part of the message
};

class SiteFileRefuses : public ::testing::TestWithParam<BadList> {};

TEST_P(SiteFileRefuses, WithAMessageNamingTheLine) {
  try {
    read(GetParam().text);
    FAIL() << "accepted";
  } catch (const app::SiteFileError& error) {
    EXPECT_NE(std::string(error.what()).find(GetParam().expected), std::string::npos)
        << error.what();
  }
}

std::string manySites(int count) {
  std::string text;
  for (int n = 0; n < count; ++n) {
    text += std::to_string(1 + n * 7) + " " + std::to_string(1 + n * 4.5) + "\n";
  }
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SiteFileRefuses,
    ::testing::Values(
        BadList{"Word", "100 200\nabc 5\n", "line 2: expected two numbers"},
        BadList{"ThreeNumbers", "100 200 300\n", "line 1: expected two numbers"},
        BadList{"TwoCommas", "100,,200\n", "line 1: expected two numbers"},
        BadList{"NotANumber", "nan 5\n", "line 1: expected two numbers"},
        BadList{"RightOfTheWindow", "100 200\n753.5 100\n", "line 2: site (753.5 100) is outside"},
        BadList{"AboveTheWindow", "100 -1\n", "line 1: site (100 -1) is outside"},
        BadList{"OneSite", "# only\n100 200\n", "found 1 site; at least 2"},
        BadList{"TooMany", manySites(102), "line 102: more than 101 sites"},
        BadList{"SameX", "100 200\n300 100\n100 300\n",
                "line 3: the site has the same x as the site on line 1"},
        // Different in the file, equal once shifted and stored in single precision.
        BadList{"SameStoredY", "100 200.0001\n150 200.0002\n", "line 2: the site has the same y"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
