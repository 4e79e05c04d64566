#include "standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace app {

namespace {

int firstError = 0;  // errno of the first write that failed, 0 while none has

void remember(int error) {
  if (firstError == 0) {
    firstError = error != 0 ? error : EIO;
  }
}

}  // namespace

void printOut(std::string_view text) {
  if (!text.empty() && std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
    remember(errno);
  }
}

std::string standardOutputProblem() {
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    remember(errno);
  }
  return firstError == 0
             ? std::string()
             : std::string("cannot write to standard output: ") + std::strerror(firstError);
}

}  // namespace app
