#pragma once

#include <QByteArray>
#include <cstddef>
#include <vector>

#include "explanation/lesson.h"
#include "explanation/tour.h"
#include "geometry/sites.h"
#include "picture/picture.h"
#include "picture/picture_style.h"

namespace app {

// Lessons to take away, in the style they are shown in. Each takes the steps picked, counted
// from 0, or every step of the level when none are picked.

// A PDF handout of the pair's lesson at a level: a first page with the run's whole picture
// and the pair's result line, then a page for each step with its picture and, under it,
// its line.
QByteArray lessonHandout(const Picture& normal, const Lesson& lesson, LessonLevel level,
                         const std::vector<std::size_t>& picked, const geometry::SiteColumns& sites,
                         PictureStyle style);

// Beamer frames of the pair's lesson at a level, for \input in a presentation that loads
// tikz: one overlay for each step, with its picture (see picture_tikz.h) and a sentence
// under it at the frame's normal size, so that paging through walks the steps as the
// window does. The frame's title asks the question; the answer comes with the last step.
// The overview fits one frame; the detail's steps are spread over frames of at most
// kOverlaysPerFrame.
inline constexpr std::size_t kOverlaysPerFrame = 8;
QByteArray lessonBeamerFrames(const Picture& normal, const Lesson& lesson, LessonLevel level,
                              const std::vector<std::size_t>& picked,
                              const geometry::SiteColumns& sites, PictureStyle style);

// Beamer frames of the tour, as many as its steps need.
QByteArray tourBeamerFrames(const Picture& normal, const Tour& tour,
                            const geometry::SiteColumns& sites, PictureStyle style);

}  // namespace app
