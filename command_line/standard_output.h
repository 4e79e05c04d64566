#pragma once

#include <string>
#include <string_view>

namespace app {

// Everything the program prints on standard output goes through printOut, whole: a text may
// hold any byte, a NUL among them. A write the system refuses (a full disk, a closed pipe,
// /dev/full) is remembered, and standardOutputProblem says what it was once all is flushed,
// so that the program never reports success for output that did not arrive.
void printOut(std::string_view text);

// Flushes standard output; what went wrong with it ("cannot write to standard output: No
// space left on device"), or an empty string.
std::string standardOutputProblem();

}  // namespace app
