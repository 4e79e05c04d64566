#include "failure_search.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "accepted_sites.h"
#include "geometry/dist.h"
#include "geometry/window_frame.h"
#include "steps/exact_steps.h"
#include "steps/literal_steps.h"

namespace app {

namespace {

using geometry::kWindowFrame;

// Whether the pair's float outcome differs from the exact one.
bool differs(const geometry::SiteColumns& sites, int i, int j) {
  geometry::CutList cuts;
  geometry::ExactScan scan(kWindowFrame, sites);
  return scan.verdict(i, j) !=
         geometry::verdictOf(geometry::followPair(kWindowFrame, sites, i, j, cuts));
}

}  // namespace

std::vector<std::pair<int, int>> pairsDifferingFromExact(const Layout& layout,
                                                         const std::function<bool()>& stop) {
  const auto sites = acceptedSites(layout.sites);
  return sites ? geometry::pairsDifferingFromExact(kWindowFrame, *sites, stop)
               : std::vector<std::pair<int, int>>{};
}

std::optional<std::vector<bool>> nudgeMap(const Layout& layout, int i, int j, int k,
                                          std::chrono::milliseconds budget) {
  const auto until = std::chrono::steady_clock::now() + budget;
  std::vector<bool> agree;
  const auto sites = acceptedSites(layout.sites);
  if (!sites) {
    return agree;
  }
  agree.reserve(kNudgeMapSize * kNudgeMapSize);
  const auto stepped = [](auto value, int steps) {
    const auto towards = steps > 0 ? std::numeric_limits<decltype(value)>::infinity()
                                   : -std::numeric_limits<decltype(value)>::infinity();
    for (int n = 0; n < std::abs(steps); ++n) {
      value = std::nextafter(value, towards);
    }
    return value;
  };
  geometry::SiteColumns moved = *sites;
  for (int v = 0; v < kNudgeMapSize; ++v) {
    if (std::chrono::steady_clock::now() > until) {
      return std::nullopt;
    }
    const float y = stepped(sites->y(k), v - kNudgeMapSize / 2);
    for (int u = 0; u < kNudgeMapSize; ++u) {
      moved.siteX(k - 1) = stepped(sites->x(k), u - kNudgeMapSize / 2);
      moved.siteY(k - 1) = y;
      // A move onto another site's stored x or y is a layout the edge finder refuses: it
      // counts as agreeing, there being nothing to compare.
      bool clash = false;
      for (int s = 1; s <= moved.nSites; ++s) {
        clash = clash || (s != k && (geometry::exactlyEqual(moved.x(s), moved.x(k)) ||
                                     geometry::exactlyEqual(moved.y(s), moved.y(k))));
      }
      agree.push_back(clash || !differs(moved, i, j));
    }
  }
  return agree;
}

std::vector<Colour> nudgeMapColours(const std::vector<bool>& agree) {
  std::vector<Colour> colours;
  colours.reserve(agree.size());
  for (const bool same : agree) {
    colours.push_back(same ? rgb(24, 32, 48) : rgb(255, 200, 60));
  }
  const auto middle = static_cast<std::size_t>(kNudgeMapSize / 2 * (kNudgeMapSize + 1));
  colours[middle] = agree[middle] ? rgb(90, 255, 130) : rgb(255, 60, 60);
  return colours;
}

std::optional<RoundingFailure> findRoundingFailure(const Layout& start,
                                                   std::chrono::milliseconds budget) {
  const auto until = std::chrono::steady_clock::now() + budget;
  const int n = static_cast<int>(start.sites.size());
  if (n < 4) {
    return std::nullopt;
  }
  std::mt19937 engine(start.seed);
  const auto pick = [&] { return static_cast<int>(engine() % static_cast<unsigned>(n)); };
  while (std::chrono::steady_clock::now() < until) {
    int s[4] = {pick(), pick(), pick(), pick()};
    if (s[0] == s[1] || s[0] == s[2] || s[0] == s[3] || s[1] == s[2] || s[1] == s[3] ||
        s[2] == s[3]) {
      continue;
    }
    const auto at = [&](int k) { return start.sites[static_cast<std::size_t>(s[k])]; };
    const double ax = at(0).x, ay = at(0).y, bx = at(1).x, by = at(1).y, cx = at(2).x, cy = at(2).y;
    const double d = 2 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
    if (std::abs(d) < 1) {
      continue;  // nearly collinear: the circle is too large to move a site onto
    }
    const double a2 = ax * ax + ay * ay, b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    const double ox = (a2 * (by - cy) + b2 * (cy - ay) + c2 * (ay - by)) / d;
    const double oy = (a2 * (cx - bx) + b2 * (ax - cx) + c2 * (bx - ax)) / d;
    const double r = std::hypot(ax - ox, ay - oy);
    const double t = std::atan2(static_cast<double>(at(3).y) - oy, at(3).x - ox);
    const SitePosition onCircle{ox + r * std::cos(t), static_cast<float>(oy + r * std::sin(t))};
    const float storedY = kWindowFrame.toDomain(onCircle).y;
    // On the circle, then by 1, -1, 2, -2, ... units in the last place of the stored y,
    // each mapped back exactly (see placeable).
    for (int nudge = 0; nudge < 9; ++nudge) {
      float y = storedY;
      for (int step = 0; step < (nudge + 1) / 2; ++step) {
        y = std::nextafter(y, nudge % 2 == 1 ? 1e9f : -1e9f);
      }
      Layout candidate = start;
      candidate.sites[static_cast<std::size_t>(s[3])] = {onCircle.x, y - kWindowFrame.offsetY()};
      const auto sites = acceptedSites(candidate.sites);
      if (!sites) {
        continue;
      }
      RoundingFailure found{candidate, {}};
      for (int a = 0; a < 4; ++a) {
        for (int b = a + 1; b < 4; ++b) {
          const int i = std::min(s[a], s[b]) + 1, j = std::max(s[a], s[b]) + 1;
          if (differs(*sites, i, j)) {
            found.pairs.emplace_back(i, j);
          }
        }
      }
      if (!found.pairs.empty()) {
        std::sort(found.pairs.begin(), found.pairs.end());
        return found;
      }
    }
  }
  return std::nullopt;
}

}  // namespace app
