// The main of the benchmarks that draw: Qt's offscreen platform, then Google Benchmark.
// `--site-list N` prints the N-site layout they time, as a site list, and exits, so that a
// benchmark of the web edition can time the same layout (bench/web_edition_bench.mjs).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <charconv>
#include <iostream>
#include <string_view>

#include "random_layout.h"
#include "run/site_list.h"

int main(int argc, char** argv) {
  if (argc == 3 && std::string_view(argv[1]) == "--site-list") {
    const std::string_view text(argv[2]);
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc{} || end != text.data() + text.size() || count < 2 || count > 101) {
      std::cerr << "--site-list takes a site count from 2 to 101\n";
      return 2;
    }
    const app::Layout layout = bench::randomLayout(count);
    std::cout << app::siteListText(layout.seed, layout.sites);
    return 0;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
