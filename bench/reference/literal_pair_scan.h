#pragma once

#include "geometry/form.h"
#include "geometry/sites.h"

namespace reference {

// The edge finder written step by step as its algorithm reads, without shortcuts: for
// every pair each competitor's bisector is computed afresh, and every distance goes
// through dist and is compared as a distance. The product's pairScan must draw exactly the
// same lines; this version is kept to prove that and to time the product against.
int literalPairScan(geometry::Form& form, const geometry::SiteColumns& sites);

}  // namespace reference
