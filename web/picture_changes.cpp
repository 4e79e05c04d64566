#include "picture_changes.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "picture/svg_picture.h"

namespace app {

namespace {

using Json = nlohmann::ordered_json;

// How far ahead an item is looked for among those shown: a match further on would remove
// all before it, more work for the page than putting the item in anew.
constexpr std::size_t kLookAhead = 64;

}  // namespace

std::string PictureChanges::since(const WebEdition& edition) {
  Picture items = edition.picture();
  std::string description = edition.description(items);
  Shown next{std::move(items), std::move(description)};
  if (!shown_ || shown_->description != next.description) {
    shown_ = std::move(next);
    return Json{{"whole", edition.svg(shown_->items)}}.dump();
  }
  const Picture& before = shown_->items;
  const Picture& after = next.items;
  // The items that stayed at either end, then in the middle each new item kept where it
  // comes soon enough after the last one kept, the shown ones passed over gone.
  const std::size_t most = std::min(before.size(), after.size());
  std::size_t front = 0, back = 0;
  while (front < most && before[front] == after[front]) {
    ++front;
  }
  while (back < most - front &&
         before[before.size() - 1 - back] == after[after.size() - 1 - back]) {
    ++back;
  }
  Json gone = Json::array(), came = Json::array();
  std::string markup;
  std::size_t cursor = front;  // the first shown item neither kept nor gone yet
  const std::size_t beforeEnd = before.size() - back;
  for (std::size_t n = front; n < after.size() - back; ++n) {
    const auto searchEnd =
        before.begin() + static_cast<std::ptrdiff_t>(std::min(beforeEnd, cursor + kLookAhead + 1));
    const auto kept =
        std::find(before.begin() + static_cast<std::ptrdiff_t>(cursor), searchEnd, after[n]);
    if (kept == searchEnd) {
      came.push_back(n);
      markup += svgItem(after[n]);
      continue;
    }
    for (const auto keptAt = static_cast<std::size_t>(kept - before.begin()); cursor < keptAt;
         ++cursor) {
      gone.push_back(cursor);
    }
    ++cursor;
  }
  for (; cursor < beforeEnd; ++cursor) {
    gone.push_back(cursor);
  }
  // Where most of the picture changed (another style, the blank screen), one parse of the
  // whole element is less work for the page than putting each element in.
  const bool mostChanged = 2 * came.size() > after.size();
  shown_ = std::move(next);
  if (mostChanged) {
    return Json{{"whole", edition.svg(shown_->items)}}.dump();
  }
  return Json{{"gone", gone}, {"came", came}, {"markup", markup}}.dump();
}

}  // namespace app
