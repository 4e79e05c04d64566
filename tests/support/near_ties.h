#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <random>
#include <string>

#include "geometry/site_checks.h"
#include "geometry/sites.h"
#include "geometry/window_frame.h"

namespace testing_support {

// Layouts where the edge finder's comparisons nearly tie, made on purpose so that a wrong
// rounding margin of the fast scan changes what it draws. Each starts from a pair of sites
// i, j and places competitors where a decision hangs on the last bits:
enum class NearTie {
  // A fourth site on the circle through three others, moved by a few units in the last
  // place: two cut points, and the ends of two shadows, nearly coincide.
  Cocircular,
  // A competitor whose bisector with site i crosses the pair's at the border of the domain
  // box, give or take a few units in the last place: a cut point at an end of the stretch.
  CrossingAtTheBorder,
  // A competitor on the line through i and j, moved off it by a hair: its bisector nearly
  // parallel to the pair's, and the side its shadow reaches decided by the last bits.
  Collinear,
  // Sites whose y differ by a few units in the last place of a float: every bisector is
  // nearly vertical, and they cross anywhere in the domain box, where the rounding of
  // a steep line's y is largest.
  NearlyLevel,
};

class NearTieLayouts {
 public:
  explicit NearTieLayouts(std::uint32_t seed) : engine_(seed) {}

  // A layout of the kind, at least three sites, with a few others at random around it.
  std::unique_ptr<geometry::SiteColumns> next(NearTie kind) {
    for (;;) {
      auto sites = attempt(kind);
      if (sites->nSites >= 3) {
        return sites;
      }
    }
  }

 private:
  std::unique_ptr<geometry::SiteColumns> attempt(NearTie kind) {
    auto sites = std::make_unique<geometry::SiteColumns>();
    const double xi = uniform(150, 600), yi = uniform(120, 350);
    const double angle = uniform(0, 2 * std::numbers::pi), gap = uniform(20, 200);
    double xj = xi + gap * std::cos(angle), yj = yi + gap * std::sin(angle);
    // Every other layout has a pair at nearly the same y, whose bisector is steep and whose
    // midpoints' y carry large rounding errors.
    if (engine_() % 2 == 0) {
      yj = yi + std::ldexp(static_cast<double>(1 + engine_() % 64), -10);
    }
    add(*sites, xi, yi);
    add(*sites, xj, yj);
    switch (kind) {
      case NearTie::Cocircular: {
        // The circle through i, j and a third site, and a fourth on it.
        const double xk = uniform(100, 650), yk = uniform(80, 400);
        double cx = 0, cy = 0;
        if (!circumcentre(xi, yi, xj, yj, xk, yk, cx, cy)) {
          break;
        }
        add(*sites, xk, yk);
        const double r = std::hypot(xi - cx, yi - cy), t = uniform(0, 2 * std::numbers::pi);
        add(*sites, nudge(cx + r * std::cos(t)), nudge(cy + r * std::sin(t)));
        break;
      }
      case NearTie::CrossingAtTheBorder: {
        // The centre of a circle through i and j on the box's border, and a site on it
        // next to them: its bisector with i crosses the pair's at that centre.
        const geometry::WindowFrame& f = geometry::kWindowFrame;
        const double mx = (xi + xj) / 2, my = (yi + yj) / 2, dx = -(yj - yi), dy = xj - xi;
        const bool vertical = engine_() % 2 == 0;
        const double border = vertical ? (engine_() % 2 ? -f.offsetX() : f.boxW() - f.offsetX())
                                       : (engine_() % 2 ? -f.offsetY() : f.boxH() - f.offsetY());
        const double t = vertical ? (border - mx) / dx : (border - my) / dy;
        const double cx = mx + t * dx, cy = my + t * dy;
        const double r = std::hypot(xi - cx, yi - cy);
        const double from =
            engine_() % 2 ? std::atan2(yi - cy, xi - cx) : std::atan2(yj - cy, xj - cx);
        const double a = from + uniform(-0.03, 0.03);
        add(*sites, nudge(cx + r * std::cos(a)), nudge(cy + r * std::sin(a)));
        // And a site a hair off the line through i and j, whose bisector with i runs nearly
        // parallel to the pair's: the screening's cut points may then fall outside the
        // stretch by far more than their own rounding.
        addNearlyCollinear(*sites, xi, yi, xj, yj);
        break;
      }
      case NearTie::Collinear:
        addNearlyCollinear(*sites, xi, yi, xj, yj);
        break;
      case NearTie::NearlyLevel: {
        const int count = 2 + static_cast<int>(engine_() % 5);
        for (int n = 0; n < count; ++n) {
          add(*sites, uniform(25, 735), yi + std::ldexp(static_cast<double>(engine_() % 40), -10));
        }
        break;
      }
    }
    const int others = static_cast<int>(engine_() % 6);
    for (int n = 0; n < others; ++n) {
      add(*sites, uniform(25, 735), uniform(25, 483));
    }
    return sites;
  }

  // A site on the line through i and j, moved off it by 2^-44 to 1 times their distance.
  void addNearlyCollinear(geometry::SiteColumns& sites, double xi, double yi, double xj,
                          double yj) {
    const double s = uniform(-1.5, 2.5);
    const double off = std::ldexp(uniform(-1, 1), -static_cast<int>(engine_() % 45));
    add(sites, xi + s * (xj - xi) - off * (yj - yi), yi + s * (yj - yi) + off * (xj - xi));
  }

  double uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(engine_);
  }
  // Moves a value by up to 8 units in its last place, or leaves it.
  double nudge(double v) {
    const int steps = static_cast<int>(engine_() % 17) - 8;
    for (int n = 0; n < std::abs(steps); ++n) {
      v = std::nextafter(v, steps > 0 ? 1e300 : -1e300);
    }
    return v;
  }
  static bool circumcentre(double ax, double ay, double bx, double by, double cx, double cy,
                           double& ox, double& oy) {
    const double d = 2 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
    if (std::abs(d) < 1e-6) {
      return false;
    }
    const double a2 = ax * ax + ay * ay, b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    ox = (a2 * (by - cy) + b2 * (cy - ay) + c2 * (ay - by)) / d;
    oy = (a2 * (cx - bx) + b2 * (ax - cx) + c2 * (bx - ax)) / d;
    return true;
  }
  // Adds a site given in window pixels, if it lies in the window's outer area and shares no
  // stored coordinate with another.
  static void add(geometry::SiteColumns& sites, double x, double y) {
    const geometry::WindowFrame& f = geometry::kWindowFrame;
    if (!(x >= 0 && x <= f.outerWidth() && y >= 0 && y <= f.outerHeight())) {
      return;
    }
    const geometry::SitePosition stored = f.toDomain({x, static_cast<float>(y)});
    if (!geometry::findClash(sites, sites.nSites, stored.x, stored.y)) {
      sites.append(stored.x, stored.y);
    }
  }

  std::mt19937_64 engine_;
};

// Calls check(layout, what) for `count` layouts of each kind, each kind from a seed of its
// own, `what` naming the layout for a failure's message.
template <class Check>
void forEachNearTie(std::uint32_t count, Check check) {
  for (const NearTie kind : {NearTie::Cocircular, NearTie::CrossingAtTheBorder, NearTie::Collinear,
                             NearTie::NearlyLevel}) {
    NearTieLayouts layouts(static_cast<std::uint32_t>(kind) + 1);
    for (std::uint32_t n = 0; n < count; ++n) {
      check(*layouts.next(kind), "near tie of kind " + std::to_string(static_cast<int>(kind)) +
                                     ", layout " + std::to_string(n));
    }
  }
}

}  // namespace testing_support
