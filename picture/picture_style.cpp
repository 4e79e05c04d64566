#include "picture_style.h"

#include <algorithm>
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

}  // namespace app
