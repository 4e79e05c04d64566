#pragma once

#include <cstdint>

namespace testing_support {

// Whether the tests are built with AddressSanitizer and UndefinedBehaviorSanitizer, under
// which the program runs several times slower.
#ifdef VD_SANITIZE
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif

// How many runs a long loop of a test takes: `full`, or `sanitized` under the sanitizers.
constexpr std::uint32_t runCount(std::uint32_t full, std::uint32_t sanitized) {
  return kSanitized ? sanitized : full;
}

}  // namespace testing_support
