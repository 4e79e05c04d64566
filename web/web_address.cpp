#include "web_address.h"

#include <algorithm>
#include <charconv>

#include "picture/number_text.h"
#include "run/site_list.h"

namespace app {

namespace {

// Percent-decoding; a '%' not followed by two hexadecimal digits stays as it is.
std::string decoded(std::string_view part) {
  const auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') {
      return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
      return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
      return c - 'A' + 10;
    }
    return -1;
  };
  std::string text;
  for (std::size_t n = 0; n < part.size(); ++n) {
    if (part[n] == '%' && n + 2 < part.size() && hex(part[n + 1]) >= 0 && hex(part[n + 2]) >= 0) {
      text += static_cast<char>(hex(part[n + 1]) * 16 + hex(part[n + 2]));
      n += 2;
    } else {
      text += part[n];
    }
  }
  return text;
}

template <class Number>
std::optional<Number> wholeNumber(std::string_view text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

// "x,y;x,y" read as a site list, one site a line, with all of a site list's checks.
SitePositions sitesOf(const std::string& value) {
  std::string lines = value;
  for (char& c : lines) {
    c = c == ';' ? '\n' : c;
  }
  return parseSites(lines).sites;
}

}  // namespace

WebAddress parseAddress(std::string_view fragment, std::vector<std::string>& problems) {
  WebAddress address;
  if (fragment.starts_with('#')) {
    fragment.remove_prefix(1);
  }
  if (fragment.size() > kSiteListMaxBytes) {
    problems.push_back("the address is longer than a site list may be (" +
                       std::to_string(kSiteListMaxBytes) + " bytes)");
    return address;
  }
  std::size_t pairStep = 0;
  while (!fragment.empty()) {
    const std::size_t end = std::min(fragment.find('&'), fragment.size());
    const std::string_view raw = fragment.substr(0, end);
    fragment.remove_prefix(std::min(end + 1, fragment.size()));
    if (raw.empty()) {
      continue;
    }
    const std::size_t equals = raw.find('=');
    const std::string key = decoded(raw.substr(0, equals));
    const std::string value =
        equals == std::string_view::npos ? std::string() : decoded(raw.substr(equals + 1));
    const auto refuse = [&](const std::string& why) {
      problems.push_back("\"" + std::string(raw.substr(0, 60)) + "\": " + why);
    };
    if (key == "seed") {
      if (const auto seed = wholeNumber<std::uint32_t>(value)) {
        address.seed = *seed;
      } else {
        refuse("the seed is a whole number from 0 to 4294967295");
      }
    } else if (key == "sites") {
      try {
        address.sites = sitesOf(value);
      } catch (const SiteFileError& error) {
        refuse(error.what());
      }
    } else if (key == "pair") {
      const std::size_t dash = value.find('-');
      const auto i = wholeNumber<int>(std::string_view(value).substr(0, dash));
      const auto j = dash == std::string::npos
                         ? std::nullopt
                         : wholeNumber<int>(std::string_view(value).substr(dash + 1));
      if (i && j && *i >= 1 && *j >= 1 && *i != *j) {
        address.view = WebAddress::View::Pair;
        address.i = *i;
        address.j = *j;
      } else {
        refuse("a pair is two site numbers, such as 1-7");
      }
    } else if (key == "detail" && value.empty()) {
      address.detail = true;
    } else if (key == "step") {
      const auto step = wholeNumber<std::size_t>(value);
      if (step && *step >= 1) {
        pairStep = *step;
      } else {
        refuse("a step is counted from 1");
      }
    } else if (key == "tour" && value.empty()) {
      address.view = WebAddress::View::Tour;
    } else if (key == "exercise") {
      if (const auto kind = exerciseKindNamed(value)) {
        address.view = WebAddress::View::Exercise;
        address.exercise = *kind;
      } else {
        refuse("the exercises are delaunay-edges, voronoi-piece and cut-point");
      }
    } else if (key == "style") {
      if (const auto style = pictureStyleNamed(value)) {
        address.style = *style;
      } else {
        refuse("the styles are normal and projector");
      }
    } else if (key == "hide") {
      for (std::size_t from = 0; from <= value.size();) {
        const std::size_t comma = std::min(value.find(',', from), value.size());
        const std::string_view word = std::string_view(value).substr(from, comma - from);
        const auto layer = std::find_if(kHideableLayerOrder.begin(), kHideableLayerOrder.end(),
                                        [&](Layer l) { return word == layerWord(l); });
        if (layer != kHideableLayerOrder.end()) {
          address.layers.set(*layer, false);
        } else {
          refuse("the layers to hide are voronoi, delaunay, circles and label");
        }
        from = comma + 1;
      }
    } else {
      refuse("not a part of this page's address");
    }
  }
  const bool stepped =
      address.view == WebAddress::View::Pair || address.view == WebAddress::View::Tour;
  address.step = stepped ? pairStep : 0;
  address.detail = address.detail && address.view == WebAddress::View::Pair;
  return address;
}

std::string addressText(const WebAddress& address) {
  std::string text = address.seed ? "seed=" + std::to_string(*address.seed) : std::string();
  const auto add = [&text](const std::string& part) { text += (text.empty() ? "" : "&") + part; };
  if (address.sites) {
    std::string sites;
    for (const SitePosition& site : *address.sites) {
      sites += (sites.empty() ? "" : ";") + shortestText(site.x) + "," + shortestText(site.y);
    }
    add("sites=" + sites);
  }
  switch (address.view) {
    case WebAddress::View::Pair:
      add("pair=" + std::to_string(address.i) + "-" + std::to_string(address.j));
      if (address.detail) {
        add("detail");
      }
      break;
    case WebAddress::View::Tour:
      add("tour");
      break;
    case WebAddress::View::Exercise:
      add(std::string("exercise=") + infoOf(address.exercise).name);
      break;
    case WebAddress::View::Diagram:
      break;
  }
  if (address.step > 0) {
    add("step=" + std::to_string(address.step));
  }
  if (address.style != PictureStyle::Normal) {
    add("style=" + styleName(address.style));
  }
  std::string hidden;
  for (const Layer layer : kHideableLayerOrder) {
    if (!address.layers.shows(layer)) {
      hidden += (hidden.empty() ? "" : ",") + std::string(layerWord(layer));
    }
  }
  if (!hidden.empty()) {
    add("hide=" + hidden);
  }
  return text;
}

}  // namespace app
