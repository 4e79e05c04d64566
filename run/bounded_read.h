#pragma once

#include <cstddef>
#include <istream>
#include <string>

namespace app {

// What reading at most `limit` bytes gave: the bytes, whether there were more of them (a
// device such as /dev/zero or an endless pipe never ends), and whether the reading failed.
struct BoundedRead {
  std::string bytes;
  bool tooLarge = false;
  bool failed = false;
};

// Reads the stream to its end or until more than limit bytes have come, whichever is first:
// the size a file claims is never trusted, since a device or a pipe claims none.
BoundedRead readAtMost(std::istream& in, std::size_t limit);

}  // namespace app
