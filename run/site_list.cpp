#include "site_list.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <type_traits>

#include "accepted_sites.h"
#include "bounded_read.h"
#include "geometry/sites.h"
#include "geometry/window_frame.h"
#include "picture/number_text.h"

namespace app {

namespace {

using geometry::kWindowFrame;

constexpr std::size_t kFewestSites = 2;
constexpr std::size_t kQuotedLength = 60;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

[[noreturn]] void refuse(int lineNumber, const std::string& what) {
  throw SiteFileError("line " + std::to_string(lineNumber) + ": " + what);
}

// At most kQuotedLength bytes of the text, in quotes, with every byte outside printable
// ASCII written as \xNN (and a backslash as \\), so that a message never carries control
// bytes to a terminal.
std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text.substr(0, kQuotedLength)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (byte >= 0x20 && byte < 0x7F) {
      out += c;
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      out += escaped;
    }
  }
  return out + (text.size() > kQuotedLength ? "...\"" : "\"");
}

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) {
    return {};
  }
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// The whole token as a finite number of type T, rounded to nearest.
template <class T>
std::optional<T> numberFrom(std::string_view token) {
  if constexpr (std::is_same_v<T, float>) {
    return floatFrom(token);
  } else {
    return doubleFrom(token);
  }
}

// "x y", "x,y" or "x, y": two numbers separated by white space or by one comma.
std::optional<SitePosition> parseSite(std::string_view text) {
  std::string spaced(text);
  if (std::count(spaced.begin(), spaced.end(), ',') > 1) {
    return std::nullopt;
  }
  std::replace(spaced.begin(), spaced.end(), ',', ' ');
  std::vector<std::string_view> tokens;
  const std::string_view all(spaced);
  for (std::size_t at = all.find_first_not_of(" \t"); at != std::string_view::npos;) {
    const std::size_t end = std::min(all.find_first_of(" \t", at), all.size());
    tokens.push_back(all.substr(at, end - at));
    at = all.find_first_not_of(" \t", end);
  }
  if (tokens.size() != 2) {
    return std::nullopt;
  }
  const auto x = numberFrom<double>(tokens[0]);
  const auto y = numberFrom<float>(tokens[1]);
  if (!x || !y) {
    return std::nullopt;
  }
  return SitePosition{*x, *y};
}

constexpr std::string_view kSeedComment = "# seed";

// The seed of "# seed S", S a whole number from 0 to 4294967295, with any blanks around.
std::optional<std::uint32_t> seedComment(std::string_view line) {
  line = trimmed(line);
  if (!line.starts_with(kSeedComment)) {
    return std::nullopt;
  }
  line = trimmed(line.substr(kSeedComment.size()));
  std::uint32_t seed = 0;
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), seed);
  if (error != std::errc{} || end != line.data() + line.size() || line.empty()) {
    return std::nullopt;
  }
  return seed;
}

std::string tooLarge() {
  return "the site list is larger than " + std::to_string(kSiteListMaxBytes) + " bytes (1 MiB)";
}

}  // namespace

SiteList readSites(std::istream& in) {
  const BoundedRead read = readAtMost(in, kSiteListMaxBytes);
  if (read.failed) {
    throw SiteFileError("the site list could not be read");
  }
  if (read.tooLarge) {
    throw SiteFileError(tooLarge());
  }
  return parseSites(read.bytes);
}

SiteList readSiteFile(const std::string& path) {
  std::ifstream file(path);
  if (!file) {
    throw SiteFileError("cannot be opened");
  }
  return readSites(file);
}

SiteList parseSites(std::string_view text) {
  if (text.size() > kSiteListMaxBytes) {
    throw SiteFileError(tooLarge());
  }
  if (text.starts_with(kByteOrderMark)) {
    text.remove_prefix(kByteOrderMark.size());
  }
  SiteList list;
  list.seed = seedComment(text.substr(0, std::min(text.find('\n'), text.size())));
  std::vector<SitePosition>& sites = list.sites;
  AcceptedSites accepted;
  std::vector<int> lineOf;
  int lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.ends_with('\r')) {
      line.remove_suffix(1);
    }
    if (line.size() > kSiteListMaxLineLength) {
      refuse(lineNumber, "longer than " + std::to_string(kSiteListMaxLineLength) +
                             " characters: " + quoted(line));
    }
    line = trimmed(line.substr(0, line.find('#')));
    if (line.empty()) {
      continue;
    }
    const auto site = parseSite(line);
    if (!site) {
      refuse(lineNumber, "expected two numbers, x and y in pixels, not " + quoted(line));
    }
    if (const auto refusal = accepted.refusal(*site)) {
      switch (refusal->reason) {
        case SiteRefusal::Reason::OutsideWindow:
          refuse(lineNumber, "site " + quoted(line) + " is outside the window, 0 to " +
                                 std::to_string(kWindowFrame.outerWidth()) + " by 0 to " +
                                 std::to_string(kWindowFrame.outerHeight()) + " pixels");
        case SiteRefusal::Reason::TooMany:
          refuse(lineNumber,
                 "more than " + std::to_string(geometry::SiteColumns::kSlots) + " sites");
        case SiteRefusal::Reason::SameX:
        case SiteRefusal::Reason::SameY:
          refuse(lineNumber,
                 std::string("the site has the same ") +
                     (refusal->reason == SiteRefusal::Reason::SameX ? "x" : "y") +
                     " as the site on line " +
                     std::to_string(lineOf[static_cast<std::size_t>(refusal->clashingSite - 1)]) +
                     " (every x and every y must differ)");
      }
    }
    sites.push_back(*site);
    accepted.add(*site);
    lineOf.push_back(lineNumber);
  }
  if (sites.size() < kFewestSites) {
    throw SiteFileError("found " + std::to_string(sites.size()) + " site" +
                        (sites.size() == 1 ? "" : "s") + "; at least " +
                        std::to_string(kFewestSites) + " are needed");
  }
  return list;
}

std::string siteListText(std::uint32_t seed, const std::vector<SitePosition>& sites) {
  std::string text = std::string(kSeedComment) + " " + std::to_string(seed) + "\n";
  for (const SitePosition& site : sites) {
    text.append(shortestText(site.x)).append(" ").append(shortestText(site.y)).append("\n");
  }
  return text;
}

}  // namespace app
