// The web edition's core at one step of a drag of 101 sites, natively, part by part: the
// edit and the run, the page's state (address, texts, which actions can be used) and the
// picture as the page's SVG element. The page makes these three calls at each step.
#include <benchmark/benchmark.h>

#include <string>

#include "random_layout.h"
#include "web/page_state.h"
#include "web/web_address.h"
#include "web/web_edition.h"

namespace {

// An edition opened on the drag benchmark's layout with its middle site held.
struct HeldSite {
  app::WebEdition edition;
  app::SitePosition held;

  explicit HeldSite(int count) {
    const app::Layout layout = bench::randomLayout(count);
    app::WebAddress address;
    address.seed = layout.seed;
    address.sites = layout.sites;
    edition.open(app::addressText(address), 1);
    held = layout.sites[layout.sites.size() / 2];
    edition.press(held.x, held.y);
  }
  void step(long n) {
    const double dx = static_cast<double>(n % 8) - 4;
    edition.drag(held.x + dx, static_cast<double>(held.y) + dx / 2);
  }
};

void WebDrag(benchmark::State& state) {
  HeldSite page(static_cast<int>(state.range(0)));
  long n = 0;
  for (auto _ : state) {
    page.step(n++);
  }
}

void WebState(benchmark::State& state) {
  HeldSite page(static_cast<int>(state.range(0)));
  page.step(0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(app::stateJson(page.edition));
  }
}

void WebSvg(benchmark::State& state) {
  HeldSite page(static_cast<int>(state.range(0)));
  page.step(0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(page.edition.svg());
  }
}

BENCHMARK(WebDrag)->Arg(101)->Unit(benchmark::kMillisecond);
BENCHMARK(WebState)->Arg(101)->Unit(benchmark::kMillisecond);
BENCHMARK(WebSvg)->Arg(101)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
