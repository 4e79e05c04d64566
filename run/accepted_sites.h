#pragma once

#include <optional>
#include <string>

#include "geometry/sites.h"
#include "layout.h"

namespace app {

// The one rule for which sites a run can take, whatever brings them (a site list, the
// pointer, a search): each site lies in the window's outer area (0 to 760 by 0 to 508
// pixels), which holds every site a random run draws; there are at most 101; and once
// shifted into the edge finder's coordinates, no two share an x or a y, which the edge
// finder would divide by.

// Why a site cannot join those before it.
struct SiteRefusal {
  enum class Reason { OutsideWindow, TooMany, SameX, SameY };
  Reason reason;
  int clashingSite = 0;  // for SameX and SameY: the earlier site, numbered from 1
};

// Sites accepted so far, in the edge finder's stored form.
class AcceptedSites {
 public:
  // Why `site` (window pixels) cannot come next, or nothing when it can.
  [[nodiscard]] std::optional<SiteRefusal> refusal(SitePosition site) const;
  // Adds a site that refusal() accepts.
  void add(SitePosition site);
  [[nodiscard]] const geometry::SiteColumns& stored() const { return stored_; }

 private:
  geometry::SiteColumns stored_;
};

// The rule in words, for a message: "inside 0 to 760 by 0 to 508 pixels, at most 101, no
// two on one x or y".
std::string siteRuleWords();

// The sites in the edge finder's stored form, or nothing when one of them is refused.
std::optional<geometry::SiteColumns> acceptedSites(const SitePositions& sites);

}  // namespace app
