#include "accepted_sites.h"

#include <cassert>

#include "geometry/site_checks.h"
#include "geometry/window_frame.h"

namespace app {

using geometry::kWindowFrame;

std::optional<SiteRefusal> AcceptedSites::refusal(SitePosition site) const {
  if (!(site.x >= 0 && site.x <= kWindowFrame.outerWidth() && site.y >= 0 &&
        site.y <= kWindowFrame.outerHeight())) {
    return SiteRefusal{SiteRefusal::Reason::OutsideWindow};
  }
  if (stored_.nSites == geometry::SiteColumns::kSlots) {
    return SiteRefusal{SiteRefusal::Reason::TooMany};
  }
  const SitePosition domain = kWindowFrame.toDomain(site);
  if (const auto clash = geometry::findClash(stored_, stored_.nSites, domain.x, domain.y)) {
    return SiteRefusal{clash->sameX ? SiteRefusal::Reason::SameX : SiteRefusal::Reason::SameY,
                       clash->site};
  }
  return std::nullopt;
}

void AcceptedSites::add(SitePosition site) {
  assert(!refusal(site));
  const SitePosition domain = kWindowFrame.toDomain(site);
  stored_.append(domain.x, domain.y);
}

std::optional<geometry::SiteColumns> acceptedSites(const SitePositions& sites) {
  AcceptedSites accepted;
  for (const SitePosition& site : sites) {
    if (accepted.refusal(site)) {
      return std::nullopt;
    }
    accepted.add(site);
  }
  return accepted.stored();
}

std::string siteRuleWords() {
  return "inside 0 to " + std::to_string(kWindowFrame.outerWidth()) + " by 0 to " +
         std::to_string(kWindowFrame.outerHeight()) + " pixels, at most " +
         std::to_string(geometry::SiteColumns::kSlots) + ", no two on one x or y";
}

}  // namespace app
