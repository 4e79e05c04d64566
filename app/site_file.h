#pragma once

#include <istream>
#include <stdexcept>
#include <vector>

#include "site_generation.h"

namespace app {

// A site list that cannot be used; the message names the line where that is known.
class SiteFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads sites in window pixels, one a line: x and y separated by white space or a comma.
// Blank lines and text after '#' are ignored. x is kept as a double and y rounded to the
// nearest float. Refuses a malformed line, a site outside the client area, fewer than 2 or
// more than 101 sites, and two sites whose x, or whose y, would be equal once shifted into
// the edge finder's coordinates for the standard window.
std::vector<SitePosition> readSites(std::istream& in);

}  // namespace app
