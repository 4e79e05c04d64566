#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "explanation/lesson.h"
#include "explanation/tour.h"
#include "geometry/sites.h"
#include "picture/picture.h"
#include "print_page.h"

namespace app {

// A handout of pairs' lessons to print for a class, in the print style (dark marks on
// white, every colour at least 4.5:1 against white), each pair from a page of its own: a
// first page with the question as its title, the seed and the sites, the rule the edge
// finder follows and the sites drawn; then the steps of the level (those picked, or all),
// two to a page, each picture across the page's width with its line once beneath it. The
// blank version, for the students, asks each overview step's question and leaves its answer
// to be filled in: the outcome, the free piece and the shadowing sites are neither written
// nor drawn, and its pictures show the sites without the edges.
QByteArray printHandout(const Picture& normal, const std::vector<Lesson>& lessons,
                        LessonLevel level, const std::vector<std::size_t>& picked,
                        const geometry::SiteColumns& sites, std::uint32_t seed, Paper paper,
                        bool blank);

// The tour on paper: a first page with the sites, then its steps two to a page, each with
// its line beneath.
QByteArray printTour(const Picture& normal, const Tour& tour, const geometry::SiteColumns& sites,
                     std::uint32_t seed, Paper paper);

// The question a step of the overview asks in the blank handout, with room for the answer.
std::string blankQuestion(const Lesson& lesson, std::size_t step);

}  // namespace app
