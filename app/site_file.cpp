#include "site_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "geometry/sites.h"
#include "window_size.h"

namespace app {

namespace {

constexpr int kFewestSites = 2;

[[noreturn]] void refuse(int lineNumber, const std::string& what) {
  throw SiteFileError("line " + std::to_string(lineNumber) + ": " + what);
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
  T value{};
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
  if (error != std::errc{} || end != token.data() + token.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
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

bool insideClientArea(SitePosition site) {
  return site.x >= 0 && site.x <= kClientWidth && site.y >= 0 && site.y <= kClientHeight;
}

}  // namespace

std::vector<SitePosition> readSites(std::istream& in) {
  std::vector<SitePosition> sites;
  std::vector<SitePosition> shifted;
  std::vector<int> lineOf;
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    std::string_view text(line);
    text = trimmed(text.substr(0, text.find('#')));
    if (text.empty()) {
      continue;
    }
    const auto site = parseSite(text);
    if (!site) {
      refuse(lineNumber,
             "expected two numbers, x and y in pixels, not \"" + std::string(text) + "\"");
    }
    if (!insideClientArea(*site)) {
      refuse(lineNumber, "site (" + std::string(text) + ") is outside the client area, 0 to " +
                             std::to_string(kClientWidth) + " by 0 to " +
                             std::to_string(kClientHeight) + " pixels");
    }
    if (sites.size() == static_cast<std::size_t>(geometry::SiteColumns::kSlots)) {
      refuse(lineNumber, "more than " + std::to_string(geometry::SiteColumns::kSlots) + " sites");
    }
    const SitePosition domain =
        shiftedIntoDomain(*site, outerWidthTwips(kClientWidth), outerHeightTwips(kClientHeight));
    for (std::size_t earlier = 0; earlier < shifted.size(); ++earlier) {
      // Exact comparisons on purpose: the edge finder divides by these differences.
      const bool sameX = shifted[earlier].x == domain.x;
      if (sameX || shifted[earlier].y == domain.y) {
        refuse(lineNumber, std::string("the site has the same ") + (sameX ? "x" : "y") +
                               " as the site on line " + std::to_string(lineOf[earlier]) +
                               " (every x and every y must differ)");
      }
    }
    sites.push_back(*site);
    shifted.push_back(domain);
    lineOf.push_back(lineNumber);
  }
  if (in.bad()) {
    throw SiteFileError("the site list could not be read");
  }
  if (sites.size() < kFewestSites) {
    throw SiteFileError("found " + std::to_string(sites.size()) + " site" +
                        (sites.size() == 1 ? "" : "s") + "; at least " +
                        std::to_string(kFewestSites) + " are needed");
  }
  return sites;
}

}  // namespace app
