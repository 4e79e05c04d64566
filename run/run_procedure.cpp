#include "run_procedure.h"

#include <cmath>
#include <memory>

#include "geometry/pair_scan.h"
#include "geometry/window_frame.h"
#include "site_generation.h"

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

RunSummary runProcedure(RunCanvas& canvas, RandomSource& random,
                        const std::optional<SitePositions>& givenSites) {
  const geometry::WindowFrame& frame = geometry::kWindowFrame;
  canvas.show();
  const std::uint32_t seed = random.randomize();
  canvas.refresh();

  // A pale pen colour between cyan and white.
  const float r1 = random.next();
  const float r2 = random.next();
  const float r3 = random.next();
  canvas.setPenColour(
      rgb(scaledDraw(r1, 123, 122), scaledDraw(r2, 23, 222), scaledDraw(r3, 23, 222)));

  // The label's spot: at least 380 pixels from the right edge, 40 to 190 from the top.
  const auto labelX = static_cast<float>(
      static_cast<long double>(random.next()) *
      (static_cast<long double>(frame.widthTwips()) / geometry::kTwipsPerPixel - 380));
  const auto labelY = static_cast<float>(static_cast<long double>(random.next()) * 150 + 40);

  auto sites = std::make_unique<geometry::SiteColumns>();
  sites->nSites = givenSites ? siteCount(*givenSites)
                             : static_cast<std::int16_t>(scaledDraw(random.next(), 46, 4));

  canvas.setFontSize(20);
  canvas.labelPoint(labelX, labelY);
  canvas.print(labelText(sites->nSites));

  SitePositions positions;
  if (givenSites) {
    placeSites(canvas, *givenSites, *sites);
    positions = *givenSites;
  } else {
    positions = generateSites(canvas, random, *sites);
  }
  const int pairsDrawn = geometry::pairScan(canvas, frame, *sites);
  return RunSummary{seed, sites->nSites, pairsDrawn, std::move(positions), std::move(sites)};
}

}  // namespace app
