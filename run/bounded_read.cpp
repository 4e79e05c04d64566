#include "bounded_read.h"

#include <algorithm>

namespace app {

BoundedRead readAtMost(std::istream& in, std::size_t limit) {
  BoundedRead read;
  char chunk[1 << 16];
  while (in && read.bytes.size() <= limit) {
    const std::size_t wanted = std::min(sizeof chunk, limit + 1 - read.bytes.size());
    in.read(chunk, static_cast<std::streamsize>(wanted));
    read.bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
  }
  read.failed = in.bad();
  read.tooLarge = read.bytes.size() > limit;
  if (read.tooLarge) {
    read.bytes.resize(limit);
  }
  return read;
}

}  // namespace app
