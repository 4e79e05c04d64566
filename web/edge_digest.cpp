// Prints, for each layout asked for, a digest of everything its run draws: every picture
// item's coordinates by their bits, its colour, width and text, and the drawn pairs. The
// same source is built natively and for WebAssembly, so that comparing the two outputs line
// by line shows whether the browser's core draws the very same bits as the desktop's.
//
// Usage: edge_digest FIRST-LAST        seeded layouts, one line each
//        edge_digest --near-ties N     N layouts of four sites close to one circle
//        edge_digest --orders N        for seeds 1 to N, what the seed orders: the exercise
//                                      layout and its questions, the quiz's first rounds
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "exercises/exercise.h"
#include "explanation/quiz.h"
#include "run/accepted_sites.h"
#include "run/run.h"

namespace {

// FNV-1a over 64 bits: enough to tell two runs apart; the digest is not a secret.
class Digest {
 public:
  void add(std::string_view bytes) {
    for (const char c : bytes) {
      hash_ = (hash_ ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    }
  }
  template <class T>
  requires std::is_arithmetic_v<T>
  void add(T value) {
    std::array<char, sizeof(T)> bits{};
    std::memcpy(bits.data(), &value, sizeof(T));
    add(std::string_view(bits.data(), bits.size()));
  }
  [[nodiscard]] std::uint64_t value() const { return hash_; }

 private:
  std::uint64_t hash_ = 0xcbf29ce484222325u;
};

struct ItemDigest {
  Digest& d;
  void operator()(const app::LineItem& l) const {
    d.add('L');
    for (const float v : {l.x1, l.y1, l.x2, l.y2, l.width}) {
      d.add(v);
    }
    d.add(l.colour);
    d.add(l.dashed);
    d.add(l.fromSite);
    d.add(l.toSite);
  }
  void operator()(const app::CircleItem& c) const {
    d.add('C');
    for (const float v : {c.x, c.y, c.radius, c.width}) {
      d.add(v);
    }
    d.add(c.colour);
    d.add(c.site);
  }
  void operator()(const app::TextItem& t) const {
    d.add('T');
    d.add(t.x);
    d.add(t.y);
    d.add(t.text);
    d.add(t.colour);
    d.add(t.fontSize);
  }
  void operator()(const app::RectItem& r) const {
    d.add('R');
    for (const float v : {r.x, r.y, r.width, r.height}) {
      d.add(v);
    }
    d.add(r.fill);
    d.add(r.border);
  }
};

void printRun(const std::string& name, const app::RunRequest& request) {
  const app::RunResult run = app::runDemonstration(request);
  Digest d;
  for (const app::PictureItem& item : run.picture) {
    std::visit(ItemDigest{d}, item);
  }
  for (const app::DrawnPair& pair : run.drawnPairs) {
    d.add(pair.i);
    d.add(pair.j);
  }
  d.add(run.error);
  std::printf("%s items %zu pairs %zu digest %016llx\n", name.c_str(), run.picture.size(),
              run.drawnPairs.size(), static_cast<unsigned long long>(d.value()));
}

// Four sites a hair from one circle round (376, 237): the fourth moved off the circle by a
// few units in the last place of its stored y, so that the edge between the two pairs of
// sites that share the circle is decided by the last bits of the rounding.
app::SitePositions nearTie(int n) {
  const double cx = 376, cy = 237, r = 100 + n % 97;
  const double turn = 0.01 * n;
  app::SitePositions sites;
  for (int k = 0; k < 4; ++k) {
    const double angle = turn + k * 1.5707963267948966 + (k == 3 ? 0.3 : 0);
    float y = static_cast<float>(cy + r * std::sin(angle));
    if (k == 3) {
      for (int step = 0; step < n % 7; ++step) {
        y = std::nextafter(y, 1e9f);
      }
    }
    sites.push_back({cx + r * std::cos(angle), y});
  }
  return sites;
}

// What seed orders: the exercise layout, its cut and piece questions, and the quiz's first
// four rounds on the seed's run, all of which must come alike in every build.
void printOrders(std::uint32_t seed) {
  Digest d;
  const app::SitePositions layout = app::exerciseLayout(seed);
  for (const app::SitePosition& site : layout) {
    d.add(site.x);
    d.add(site.y);
  }
  const auto sites = app::acceptedSites(layout);
  for (const app::CutAnswer& question : app::cutQuestions(*sites, seed)) {
    for (const int k : {question.i, question.j, question.k}) {
      d.add(k);
    }
  }
  for (const app::PieceAnswer& question : app::pieceQuestions(*sites, seed)) {
    d.add(question.i);
    d.add(question.j);
  }
  const app::RunResult run = app::runDemonstration(app::RunRequest{seed, std::nullopt});
  app::Quiz quiz(seed, run.sites->nSites, run.edgePairs());
  for (int n = 0; n < 4 * app::Quiz::kQuestions; ++n) {
    const auto [i, j] = quiz.nextPair();
    d.add(i);
    d.add(j);
  }
  std::printf("orders %u sites %zu digest %016llx\n", seed, layout.size(),
              static_cast<unsigned long long>(d.value()));
}

bool parseNumber(std::string_view text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view usage = "usage: edge_digest FIRST-LAST | --near-ties N | --orders N\n";
  if (argc == 3 && std::strcmp(argv[1], "--near-ties") == 0) {
    int count = 0;
    if (!parseNumber(argv[2], count)) {
      std::fputs(usage.data(), stderr);
      return 2;
    }
    for (int n = 0; n < count; ++n) {
      printRun("near-tie " + std::to_string(n), app::RunRequest{42, nearTie(n)});
    }
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "--orders") == 0) {
    int count = 0;
    if (!parseNumber(argv[2], count)) {
      std::fputs(usage.data(), stderr);
      return 2;
    }
    for (int seed = 1; seed <= count; ++seed) {
      printOrders(static_cast<std::uint32_t>(seed));
    }
    return 0;
  }
  const std::string_view range = argc == 2 ? argv[1] : "";
  const auto dash = range.find('-');
  int first = 0, last = 0;
  if (dash == std::string_view::npos || !parseNumber(range.substr(0, dash), first) ||
      !parseNumber(range.substr(dash + 1), last) || last < first) {
    std::fputs(usage.data(), stderr);
    return 2;
  }
  for (int seed = first; seed <= last; ++seed) {
    printRun("seed " + std::to_string(seed),
             app::RunRequest{static_cast<std::uint32_t>(seed), std::nullopt});
  }
  return 0;
}
