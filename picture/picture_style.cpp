#include "picture_style.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <type_traits>

namespace app {

namespace {

constexpr Colour kBlack = rgb(0, 0, 0);

constexpr Colour kWhite = rgb(255, 255, 255);

// A channel of the colour moved toward white, or toward black, by mix / 255.
int towardWhite(int channel, int mix) {
  return channel + ((255 - channel) * mix + 127) / 255;
}
int towardBlack(int channel, int mix) {
  return channel - (channel * mix + 127) / 255;
}

// The colour, or the least mix of it by `toward` that has the ratio against `ground`.
template <class Toward>
Colour withContrast(Colour colour, double ratio, Colour ground, Toward toward) {
  const auto mixed = [colour, toward](int mix) {
    return rgb(toward(redOf(colour), mix), toward(greenOf(colour), mix),
               toward(blueOf(colour), mix));
  };
  if (contrastRatio(colour, ground) >= ratio) {
    return colour;
  }
  // The contrast grows with the mix; find the least mix that reaches the ratio.
  int enough = 255, notEnough = 0;
  while (enough - notEnough > 1) {
    const int mix = (enough + notEnough) / 2;
    (contrastRatio(mixed(mix), ground) >= ratio ? enough : notEnough) = mix;
  }
  return mixed(enough);
}

bool isDimmed(Colour colour) {
  return std::max({redOf(colour), greenOf(colour), blueOf(colour)}) <= kDimmedChannel;
}

}  // namespace

std::optional<PictureStyle> pictureStyleNamed(std::string_view name) {
  for (const StyleInfo& info : kPictureStyles) {
    if (name == info.name) {
      return info.style;
    }
  }
  return std::nullopt;
}

std::string styleName(PictureStyle style) {
  for (const StyleInfo& info : kPictureStyles) {
    if (info.style == style) {
      return info.name;
    }
  }
  return {};
}

double relativeLuminance(Colour colour) {
  const auto linear = [](int channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(redOf(colour)) + 0.7152 * linear(greenOf(colour)) +
         0.0722 * linear(blueOf(colour));
}

double contrastRatio(Colour a, Colour b) {
  const double la = relativeLuminance(a), lb = relativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Colour withContrastOnBlack(Colour colour, double ratio) {
  return withContrast(colour, ratio, kBlack, towardWhite);
}

Colour withContrastOnWhite(Colour colour, double ratio) {
  return withContrast(colour, ratio, kWhite, towardBlack);
}

Picture styledPicture(Picture picture, PictureStyle style) {
  const StyleLook look = lookOf(style);
  if (!look.heldToContrast) {
    return picture;
  }
  const bool onWhite = look.ground == kWhite;
  // A colour held to the ratio against the ground: darkened on white (where what a step
  // dims turns kPrintGround), brightened on black.
  const auto held = [onWhite](Colour colour, double ratio) {
    if (onWhite) {
      return isDimmed(colour) ? kPrintGround : withContrast(colour, ratio, kWhite, towardBlack);
    }
    return withContrast(colour, ratio, kBlack, towardWhite);
  };
  for (PictureItem& item : picture) {
    std::visit(
        [&](auto& shape) {
          using Shape = std::decay_t<decltype(shape)>;
          if constexpr (std::is_same_v<Shape, TextItem>) {
            shape.colour = held(shape.colour, kTextContrast);
            shape.fontSize *= look.textFactor;
          } else if constexpr (std::is_same_v<Shape, RectItem>) {
            // Text in a box then has the contrast it has on the ground.
            shape.fill = look.ground;
            shape.border = held(shape.border, kLineContrast);
          } else {
            const bool keepsWidth = onWhite && isDimmed(shape.colour);
            shape.width *= keepsWidth ? 1 : look.strokeFactor;
            shape.colour = held(shape.colour, kLineContrast);
          }
        },
        item);
  }
  return picture;
}

double lightnessOf(Colour colour) {
  const double y = relativeLuminance(colour);
  constexpr double kEpsilon = 216.0 / 24389, kKappa = 24389.0 / 27;
  return y > kEpsilon ? 116 * std::cbrt(y) - 16 : kKappa * y;
}

Colour withLightness(Colour colour, double lightness) {
  // Along black, the colour, white: the lightness grows with the mix.
  const auto mixed = [colour](int mix) {  // -255 black, 0 the colour, 255 white
    const auto channel = [mix](int c) {
      return mix < 0 ? towardBlack(c, -mix) : towardWhite(c, mix);
    };
    return rgb(channel(redOf(colour)), channel(greenOf(colour)), channel(blueOf(colour)));
  };
  int low = -255, high = 255;
  while (high - low > 1) {
    const int mix = (low + high) / 2;
    (lightnessOf(mixed(mix)) > lightness ? high : low) = mix;
  }
  return mixed(low);
}

Picture withPrintMarks(Picture picture, const std::vector<LegendMark>& legend) {
  // The legend's colours as the print style has them already: lines and rings held to
  // kLineContrast, text to kTextContrast.
  struct Look {
    Colour line, text, to;
    bool dashed;
  };
  std::vector<Look> looks;
  std::vector<Colour> named;
  std::array<bool, kPrintMarks.size()> used{};
  std::vector<double> ringLightness;
  for (LegendMark mark : legend) {
    if (std::find(named.begin(), named.end(), mark.colour) != named.end()) {
      continue;
    }
    named.push_back(mark.colour);
    // A colour the picture draws circles in (other than the rings about sites, which their
    // numbers name) takes no dashes either: circles have none.
    const Colour line = withContrastOnWhite(mark.colour, kLineContrast);
    mark.ring = mark.ring || std::any_of(picture.begin(), picture.end(), [&](const auto& item) {
                  const auto* circle = std::get_if<CircleItem>(&item);
                  return circle != nullptr && circle->site == 0 && circle->colour == line;
                });
    std::size_t pick = 0;
    while (pick < kPrintMarks.size() &&
           (used[pick] ||
            (mark.ring && std::find(ringLightness.begin(), ringLightness.end(),
                                    kPrintMarks[pick].lightness) != ringLightness.end()))) {
      ++pick;
    }
    if (pick == kPrintMarks.size()) {
      continue;
    }
    used[pick] = true;
    if (mark.ring) {
      ringLightness.push_back(kPrintMarks[pick].lightness);
    }
    looks.push_back({line, withContrastOnWhite(mark.colour, kTextContrast),
                     withLightness(mark.colour, kPrintMarks[pick].lightness),
                     kPrintMarks[pick].dashed});
  }
  for (PictureItem& item : picture) {
    std::visit(
        [&](auto& shape) {
          using Shape = std::decay_t<decltype(shape)>;
          if constexpr (!std::is_same_v<Shape, RectItem>) {
            constexpr bool isText = std::is_same_v<Shape, TextItem>;
            const auto look = std::find_if(looks.begin(), looks.end(), [&](const Look& l) {
              return (isText ? l.text : l.line) == shape.colour;
            });
            if (look == looks.end()) {
              return;
            }
            shape.colour = look->to;
            if constexpr (std::is_same_v<Shape, LineItem>) {
              shape.dashed = shape.dashed || look->dashed;
            }
          }
        },
        item);
  }
  return picture;
}

}  // namespace app
