#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "explanation/lesson.h"
#include "explanation/tour.h"
#include "geometry/sites.h"
#include "picture/picture.h"
#include "picture/picture_style.h"

namespace app {

// Web pages in one file, for students to open in any browser, offline, from a USB stick or
// in a course page's frame: the step pictures as inline SVG (the ground they share drawn
// once), the step's line as text beneath, buttons and keys to step, and a round of the
// quiz with its score; the style sheet and the script inline, and a content security policy
// that lets the page fetch nothing at all. The address's fragment opens a step
// (#step=3, #detail&step=12) and follows the steps shown, so that a link can be shared.

// The pair's lesson, opening at a level: both levels, or only the steps picked (counted
// from 0) at that level.
QByteArray lessonWebPage(const Picture& normal, const Lesson& lesson, LessonLevel level,
                         const std::vector<std::size_t>& picked, const geometry::SiteColumns& sites,
                         std::uint32_t seed, PictureStyle style);

// The tour of the edges.
QByteArray tourWebPage(const Picture& normal, const Tour& tour, const geometry::SiteColumns& sites,
                       std::uint32_t seed, PictureStyle style);

// The run's picture alone, with the quiz.
QByteArray pictureWebPage(const Picture& normal, const geometry::SiteColumns& sites,
                          std::uint32_t seed, PictureStyle style);

}  // namespace app
