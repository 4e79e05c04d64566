#include "load_procedure.h"

#include <cmath>
#include <memory>

#include "colour.h"
#include "geometry/pair_scan.h"
#include "geometry/sites.h"

namespace app {

namespace {

// Int(r x span) + base: a draw r scaled to span whole values from base upwards.
int scaledDraw(float r, int span, int base) {
  return static_cast<int>(std::floor(static_cast<long double>(r) * span)) + base;
}

}  // namespace

std::string labelText(int count) {
  std::string text = "N=";
  if (count >= 0) {
    text += ' ';  // the sign position of a number that is not negative
  }
  return text + std::to_string(count);
}

RunSummary runLoadProcedure(geometry::Form& form, RandomSource& random,
                            const std::vector<SitePosition>* givenSites) {
  form.show();
  const std::uint32_t seed = random.randomize();
  form.refresh();

  // A pale pen colour between cyan and white.
  const float r1 = random.next();
  const float r2 = random.next();
  const float r3 = random.next();
  form.setForeColor(
      rgb(scaledDraw(r1, 123, 122), scaledDraw(r2, 23, 222), scaledDraw(r3, 23, 222)));

  // The label's spot: at least 380 pixels from the right edge, 40 to 190 from the top.
  const float widthTwips = form.width();
  const auto labelX =
      static_cast<float>(static_cast<long double>(random.next()) *
                         (static_cast<long double>(widthTwips) / geometry::kTwipsPerPixel - 380));
  const auto labelY = static_cast<float>(static_cast<long double>(random.next()) * 150 + 40);

  auto sites = std::make_unique<geometry::SiteColumns>();
  sites->nSites = givenSites != nullptr
                      ? siteCount(*givenSites)
                      : static_cast<std::int16_t>(scaledDraw(random.next(), 46, 4));

  form.setFontSize(20);
  // A line of length zero moves the text position to the label's spot.
  form.line(geometry::LineFlags::PenColour, labelX, labelY, labelX, labelY, 0);
  form.print(labelText(sites->nSites));

  std::vector<SitePosition> positions;
  if (givenSites != nullptr) {
    placeSites(form, *givenSites, *sites);
    positions = *givenSites;
  } else {
    positions = generateSites(form, random, *sites);
  }
  const int pairsDrawn = geometry::pairScan(form, *sites);
  return RunSummary{seed, sites->nSites, pairsDrawn, std::move(positions), std::move(sites)};
}

}  // namespace app
