#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "layout.h"

namespace app {

// A site list that cannot be used; the message names the line where that is known.
class SiteFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Bounds on a site list, from whatever source: a list is a few kilobytes at most, and the
// bounds keep a wrong file (a device, a binary, an endless pipe) from being read forever.
inline constexpr std::size_t kSiteListMaxBytes = 1 << 20;
inline constexpr std::size_t kSiteListMaxLineLength = 1000;

// A site list: the sites in window pixels, in order, and the seed of the run they were
// saved from, when the list's first line is the comment "# seed S".
struct SiteList {
  std::vector<SitePosition> sites;
  std::optional<std::uint32_t> seed;
};

// Reads a site list from a stream, at most kSiteListMaxBytes of it, and parses it.
SiteList readSites(std::istream& in);
// The same from a file; a file that cannot be opened is refused too.
SiteList readSiteFile(const std::string& path);

// Parses a site list: sites in window pixels, one a line, x and y separated by white space
// or a comma. Blank lines and text after '#' are ignored; a leading UTF-8 byte order mark
// and CRLF line ends are accepted. x is kept as a double and y rounded to the nearest
// float. Refuses a list over the bounds above, a malformed line, a site outside the window's
// outer area (0 to 760 by 0 to 508 pixels), fewer than 2 or more than 101 sites, and two sites
// whose x, or whose y, would be equal once shifted into the edge finder's coordinates for the
// standard window. A message quotes at most 60 characters of a line, with bytes that are not
// printable escaped.
SiteList parseSites(std::string_view text);

// The site list of a layout, which parseSites reads back exactly: the line "# seed S", then
// one line a site, x and y each in the shortest form that reads back as the same value.
std::string siteListText(std::uint32_t seed, const std::vector<SitePosition>& sites);

}  // namespace app
