// Feeds raw bytes to the site-list parser. Every list it accepts must read back exactly from
// the text the program writes for it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "run/site_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const app::SiteList list =
        app::parseSites(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::uint32_t seed = list.seed.value_or(0);
    const app::SiteList again = app::parseSites(app::siteListText(seed, list.sites));
    if (!(again.sites == list.sites) || again.seed != seed) {
      __builtin_trap();
    }
  } catch (const app::SiteFileError&) {
    // A refused list: the message is the whole outcome.
  }
  return 0;
}
