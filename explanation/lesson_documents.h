#pragma once

#include <QByteArray>

#include "geometry/sites.h"
#include "lesson.h"
#include "picture/picture.h"
#include "picture/picture_style.h"

namespace app {

// Lessons to take away, in the style they are shown in.

// A PDF handout of the pair's lesson at a level: a first page with the run's whole picture
// and the pair's result line, then a page for each step with its picture and its line.
QByteArray lessonHandout(const Picture& normal, const Lesson& lesson, LessonLevel level,
                         const geometry::SiteColumns& sites, PictureStyle style);

// A Beamer frame of the pair's lesson at a level, for \input in a presentation that loads
// tikz: one overlay for each step, with its picture (see picture_tikz.h) and its line
// beneath, so that paging through the frame walks the steps as the window does.
QByteArray lessonBeamerFrame(const Picture& normal, const Lesson& lesson, LessonLevel level,
                             const geometry::SiteColumns& sites, PictureStyle style);

}  // namespace app
