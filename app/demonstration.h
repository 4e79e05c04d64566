#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "geometry/sites.h"
#include "load_procedure.h"
#include "picture_form.h"
#include "site_generation.h"

namespace app {

// What a picture is made of: the seed of its run, which gives the pen colour and the
// label's spot, and its sites in window pixels, in site-number order.
struct Layout {
  std::uint32_t seed = 0;
  std::vector<SitePosition> sites;
  bool operator==(const Layout&) const = default;
};

// The demonstration on screen: the layout and the picture of its run, drawn on the
// window's form. Every change of the sites runs the whole demonstration again with the
// layout's seed and sites, so the picture is always the one a run with those sites and that
// seed draws, whether the sites were drawn at random, read from a file or edited.
class Demonstration {
 public:
  explicit Demonstration(PictureForm& form) : form_(form) {}

  // Runs the demonstration with the given sites or, without them, with random sites; with
  // the seed or, without one, a seed from the clock.
  void start(std::optional<std::uint32_t> seed, const std::vector<SitePosition>* given);
  // Runs the demonstration with random sites, seeded with the seed or, without one, from
  // the clock.
  void runRandom(std::optional<std::uint32_t> seed) { start(seed, nullptr); }
  // Runs the demonstration with the layout's seed and sites.
  void runLayout(const Layout& layout) { start(layout.seed, &layout.sites); }

  [[nodiscard]] const Layout& layout() const { return layout_; }
  // The sites as the edge finder holds them, for the explanation.
  [[nodiscard]] const geometry::SiteColumns& sites() const { return *sites_; }
  [[nodiscard]] const PictureForm& form() const { return form_; }

  // Called after each run that completed, and with the message of each run that failed
  // (a failed run keeps what it drew).
  std::function<void(const RunSummary&)> onRun;
  std::function<void(const std::string&)> onError;

 private:
  PictureForm& form_;
  Layout layout_;
  std::unique_ptr<geometry::SiteColumns> sites_ = std::make_unique<geometry::SiteColumns>();
};

}  // namespace app
