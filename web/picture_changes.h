#pragma once

#include <optional>
#include <string>

#include "picture/picture.h"
#include "web_edition.h"

namespace app {

// What the page changes to put the edition's picture up over the one it shows, so that a
// drag step parses and lays out the few elements that moved rather than all of them. The
// <svg> element holds a group of one element per item of the picture, as the desktop's SVG
// file does; where only items differ from those shown, the changes name the elements that
// went and those that came, else (and where most of them changed) the page takes the whole
// element anew.
class PictureChanges {
 public:
  // The changes from the picture last given (none at first) to the edition's, as JSON:
  //   {"whole":"<svg ...>"}
  //   {"gone":[n,...],"came":[n,...],"markup":"<line .../><circle .../>"}
  // n is the place of an element in the group: in "gone" in the picture shown, in "came" in
  // the new one, each list rising. The page removes what went, then puts each element of
  // `markup` in at its place in "came", first first.
  std::string since(const WebEdition& edition);

 private:
  struct Shown {
    Picture items;
    std::string description;
  };
  std::optional<Shown> shown_;
};

}  // namespace app
