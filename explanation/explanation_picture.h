#pragma once

#include <cstddef>

#include "geometry/sites.h"
#include "lesson.h"
#include "picture/picture.h"
#include "picture/picture_style.h"
#include "step_drawing.h"
#include "steps/literal_steps.h"

namespace app {

// The picture of one step of a pair's lesson, over its ground (see LessonGround): every site
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
// A box at the bottom-left, or the top where the bottom would cover a point the step names,
// holds the step's line; a legend names the colours. Sites are numbered in grey, sorted
// places as #n in blue. No two labels overlap, in the style the picture is made in: its
// labels and box are laid out for the style's text size.
Picture lessonStepPicture(const Picture& normal, const Lesson& lesson, std::size_t step,
                          const geometry::SiteColumns& sites,
                          PictureStyle style = PictureStyle::Normal,
                          StepText text = StepText::InBox,
                          LessonGround ground = LessonGround::UntilTheAnswer);

// The picture of an overview step: the same ground, the pair's bisector and sites, and
// - the question: the segment between the two sites;
// - the screening: every cut point ticked and labelled with its site, the sites that pass
//   ringed in grey; or the site that blocks, its bisector with site i and j's quadrant;
// - the order: the cut points labelled with their places (#n), the pieces shaded by turns;
// - the shadows: each piece in the colour of the site that shadows it, that site ringed
//   alike, with a legend line for each;
// - the decision: the free piece and its empty circle, or the last piece, its circle and
//   the site inside it;
// - the result: the Voronoi edge and the Delaunay edge standing out, or the block.
// Every step has a legend of its colours; the text box never covers a point it names, and
// named points outside the picture get an arrow at the border.
Picture overviewStepPicture(const Picture& normal, const Lesson& lesson, std::size_t step,
                            const geometry::SiteColumns& sites,
                            PictureStyle style = PictureStyle::Normal,
                            StepText text = StepText::InBox,
                            LessonGround ground = LessonGround::UntilTheAnswer);

// The picture of a step at either level.
Picture levelStepPicture(const Picture& normal, const Lesson& lesson, LessonLevel level,
                         std::size_t step, const geometry::SiteColumns& sites,
                         PictureStyle style = PictureStyle::Normal, StepText text = StepText::InBox,
                         LessonGround ground = LessonGround::UntilTheAnswer);

// The picture of the pair's account: its lesson's last step, the result.
Picture explanationPicture(const Picture& normal, const geometry::PairAccount& account,
                           const geometry::SiteColumns& sites,
                           PictureStyle style = PictureStyle::Normal);

// How a question reads in its picture's box: with the keys that answer it in the window, or
// without them, for a page that offers its own answers (a course's quiz).
enum class AnswerKeys { Shown, Left };

// A question about the pair (i, j): the sites, numbered, and the pair's bisector, and
// nothing that tells the answer.
Picture questionPicture(const Picture& normal, const geometry::PairRecord& pair, int i, int j,
                        const geometry::SiteColumns& sites,
                        PictureStyle style = PictureStyle::Normal,
                        AnswerKeys keys = AnswerKeys::Shown);

}  // namespace app
