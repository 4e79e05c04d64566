#include "geometry/heap_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "geometry/column.h"
#include "geometry/run_error.h"

namespace {

using Col = geometry::Column<double, 8>;

struct Columns {
  Col keys{"s1"}, ids{"s2"}, tags{"s3"};

  // Record r (0-based) gets key keys[r], id r + 1 (R1, R2, ...) and tag 10 (r + 1).
  explicit Columns(const std::vector<double>& keyList) {
    for (int r = 0; r < Col::size(); ++r) {
      keys(r) = r < static_cast<int>(keyList.size()) ? keyList[static_cast<std::size_t>(r)] : -1;
      ids(r) = r + 1;
      tags(r) = 10 * (r + 1);
    }
  }
  std::vector<int> order(int n) const {
    std::vector<int> result;
    for (int r = 0; r < n; ++r) {
      result.push_back(static_cast<int>(ids(r)));
    }
    return result;
  }
};

struct EqualKeyCase {
  const char* name;
  std::vector<double> keys;
  std::vector<int> expectedOrder;  // record ids after the sort
};

class HeapSortOrder : public ::testing::TestWithParam<EqualKeyCase> {};

// The two phases choose between equal children differently; these orders pin that down.
TEST_P(HeapSortOrder, PutsRecordsWithEqualKeysInTheirFixedOrder) {
  const EqualKeyCase& c = GetParam();
  Columns cols(c.keys);
  const auto n = static_cast<std::int16_t>(c.keys.size());
  geometry::hSort(n, cols.keys, cols.ids, cols.tags);
  EXPECT_EQ(cols.order(n), c.expectedOrder);
  for (int r = 0; r < Col::size(); ++r) {
    EXPECT_EQ(cols.tags(r), 10 * cols.ids(r)) << "record split at slot " << r;
    if (r >= n) {
      EXPECT_EQ(cols.ids(r), r + 1) << "slot beyond NN touched";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Examples, HeapSortOrder,
                         ::testing::Values(EqualKeyCase{"Empty", {}, {}},
                                           EqualKeyCase{"One", {7}, {1}},
                                           EqualKeyCase{"TwoDescending", {2, 1}, {2, 1}},
                                           EqualKeyCase{"TwoAscending", {1, 2}, {1, 2}},
                                           EqualKeyCase{"TwoEqual", {1, 1}, {2, 1}},
                                           EqualKeyCase{"ThreeEqual", {1, 1, 1}, {2, 3, 1}},
                                           EqualKeyCase{"FourEqual", {5, 5, 5, 5}, {2, 3, 4, 1}},
                                           EqualKeyCase{"Mixed", {3, 1, 2, 1}, {2, 4, 3, 1}},
                                           EqualKeyCase{"EqualPairAtEnd", {1, 2, 2}, {1, 3, 2}}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(HeapSort, SortsAnyInputIntoAPermutationInAscendingOrder) {
  std::mt19937 engine(7);
  for (int trial = 0; trial < 500; ++trial) {
    std::vector<double> keys;
    const auto n = static_cast<std::int16_t>(engine() % 9);
    for (int r = 0; r < n; ++r) {
      keys.push_back(static_cast<double>(engine() % 4));  // few values: many ties
    }
    Columns cols(keys);
    geometry::hSort(n, cols.keys, cols.ids, cols.tags);
    std::vector<int> ids = cols.order(n);
    std::vector<double> sorted;
    for (int r = 0; r < n; ++r) {
      sorted.push_back(cols.keys(r));
      EXPECT_EQ(cols.keys(r), keys[static_cast<std::size_t>(ids[static_cast<std::size_t>(r)] - 1)]);
    }
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
    std::sort(ids.begin(), ids.end());
    for (int r = 0; r < n; ++r) {
      EXPECT_EQ(ids[static_cast<std::size_t>(r)], r + 1);
    }
  }
}

TEST(HeapSort, RaisesErrorsForCountsTheColumnsCannotHold) {
  Columns cols({1, 2, 3});
  const std::int16_t negative = -5;
  EXPECT_NO_THROW(geometry::hSort(negative, cols.keys, cols.ids, cols.tags));
  EXPECT_EQ(cols.order(3), (std::vector<int>{1, 2, 3}));
  const std::int16_t lowest = -32768;  // NN - 1 overflows 16 bits
  EXPECT_THROW(geometry::hSort(lowest, cols.keys, cols.ids, cols.tags), geometry::RunError);
  const std::int16_t tooMany = 9;  // one more record than the columns have slots
  EXPECT_THROW(geometry::hSort(tooMany, cols.keys, cols.ids, cols.tags), geometry::RunError);
}

}  // namespace
