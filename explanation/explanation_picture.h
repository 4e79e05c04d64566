#pragma once

#include <cstddef>

#include "geometry/sites.h"
#include "lesson.h"
#include "picture/picture.h"
#include "picture/picture_style.h"
#include "steps/literal_steps.h"

namespace app {

// The picture of one step of a pair's lesson, over the normal picture dimmed: every site
// numbered, the pair's two sites ringed and its bisector drawn across the window, and then
// what the step adds:
// - a competitor: its bisector with site i, its cut point labelled with its number, or the
//   quadrant of site j around site i when it blocks the pair (the cut points of the
//   competitors before it stay as ticks);
// - the sorted cut list: every cut point, labelled with its place in the sorted order;
// - a piece: the piece and its midpoint M, with the circle about M through site i. A site
//   inside that circle is nearer to M than site i: the first such site is ringed, with the
//   segment from M to it, and shadows the piece. An open piece has no site inside, and
//   sites i and j on its rim: the defining property of a Voronoi edge;
// - the result: the shadowed pieces faint and the surviving piece bright red.
// A box at the bottom-left holds the step's line. No two labels overlap, in the style the
// picture is made in: its labels and box are laid out for the style's text size.
Picture lessonStepPicture(const Picture& normal, const Lesson& lesson, std::size_t step,
                          const geometry::SiteColumns& sites,
                          PictureStyle style = PictureStyle::Normal);

// The picture of the pair's account: its lesson's last step, the result.
Picture explanationPicture(const Picture& normal, const geometry::PairAccount& account,
                           const geometry::SiteColumns& sites,
                           PictureStyle style = PictureStyle::Normal);

// A question about the pair (i, j): the sites and the pair's bisector, and nothing that
// tells the answer.
Picture questionPicture(const Picture& normal, const geometry::PairRecord& pair, int i, int j,
                        const geometry::SiteColumns& sites,
                        PictureStyle style = PictureStyle::Normal);

}  // namespace app
