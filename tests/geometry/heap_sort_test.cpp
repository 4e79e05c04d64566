#include "geometry/heap_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "geometry/column.h"
#include "geometry/run_error.h"

namespace {

using Col = geometry::Column<double, 8>;

// Sorts records R1, R2, ... with the given keys in columns of 8 slots (s2 holds the record
// number, s3 ten times it) and returns the record numbers in their new order, after checking
// that every record kept its s3 and that the slots from NN up were not touched.
std::vector<int> sortedOrder(const std::vector<double>& keys) {
  Col s1{"s1"}, s2{"s2"}, s3{"s3"};
  for (int r = 0; r < Col::size(); ++r) {
    s1(r) = r < static_cast<int>(keys.size()) ? keys[static_cast<std::size_t>(r)] : -1;
    s2(r) = r + 1;
    s3(r) = 10 * (r + 1);
  }
  const auto n = static_cast<std::int16_t>(keys.size());
  geometry::hSort(n, s1, s2, s3);
  std::vector<int> order;
  for (int r = 0; r < Col::size(); ++r) {
    EXPECT_EQ(s3(r), 10 * s2(r)) << "record split at slot " << r;
    if (r < n) {
      EXPECT_EQ(s1(r), keys[static_cast<std::size_t>(s2(r) - 1)]) << "key left its record";
      order.push_back(static_cast<int>(s2(r)));
    } else {
      EXPECT_EQ(s2(r), r + 1) << "slot beyond NN touched";
    }
  }
  return order;
}

struct EqualKeyCase {
  const char* name;
  std::vector<double> keys;
  std::vector<int> expectedOrder;
};

class HeapSortOrder : public ::testing::TestWithParam<EqualKeyCase> {};

// The two phases choose between equal children differently, and a sift stops at a child
// no larger than the record it carries. In (0, 1, 1, 1) and (1, 0, 1, 2) the sifted record
// is smaller than two equal children in the second phase (and, in (0, 1, 1, 1), in the
// first), so taking the other child there gives another order.
TEST_P(HeapSortOrder, PutsRecordsWithEqualKeysInTheirFixedOrder) {
  EXPECT_EQ(sortedOrder(GetParam().keys), GetParam().expectedOrder);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, HeapSortOrder,
    ::testing::Values(EqualKeyCase{"Empty", {}, {}}, EqualKeyCase{"One", {7}, {1}},
                      EqualKeyCase{"TwoDescending", {2, 1}, {2, 1}},
                      EqualKeyCase{"TwoAscending", {1, 2}, {1, 2}},
                      EqualKeyCase{"TwoEqual", {1, 1}, {2, 1}},
                      EqualKeyCase{"ThreeEqual", {1, 1, 1}, {2, 3, 1}},
                      EqualKeyCase{"FourEqual", {5, 5, 5, 5}, {2, 3, 4, 1}},
                      EqualKeyCase{"Mixed", {3, 1, 2, 1}, {2, 4, 3, 1}},
                      EqualKeyCase{"EqualPairAtEnd", {1, 2, 2}, {1, 3, 2}},
                      EqualKeyCase{"LowUnderEqualChildren", {0, 1, 1, 1}, {1, 4, 3, 2}},
                      EqualKeyCase{"ExtractionTie", {1, 0, 1, 2}, {2, 1, 3, 4}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(HeapSort, SortsAnyInputIntoAPermutationInAscendingOrder) {
  std::mt19937 engine(7);
  for (int trial = 0; trial < 500; ++trial) {
    std::vector<double> keys(engine() % 9);
    std::generate(keys.begin(), keys.end(), [&] { return engine() % 4; });  // many ties
    std::vector<int> order = sortedOrder(keys);
    std::vector<double> sortedKeys;
    for (const int r : order) {
      sortedKeys.push_back(keys[static_cast<std::size_t>(r - 1)]);
    }
    EXPECT_TRUE(std::is_sorted(sortedKeys.begin(), sortedKeys.end()));
    std::sort(order.begin(), order.end());
    EXPECT_TRUE(std::adjacent_find(order.begin(), order.end()) == order.end());
  }
}

TEST(HeapSort, RaisesErrorsForCountsTheColumnsCannotHold) {
  Col s1{"s1"}, s2{"s2"}, s3{"s3"};
  const std::int16_t negative = -5, lowest = -32768, tooMany = 9;
  EXPECT_NO_THROW(geometry::hSort(negative, s1, s2, s3));
  EXPECT_THROW(geometry::hSort(lowest, s1, s2, s3), geometry::RunError);  // NN - 1 overflows
  EXPECT_THROW(geometry::hSort(tooMany, s1, s2, s3), geometry::RunError);
}

}  // namespace
