#pragma once

#include <QByteArray>
#include <cstdint>

#include "picture/picture_style.h"
#include "run/run.h"

namespace app {

// The most questions a round file holds: each brings its picture (about 15 kB), and a
// course's quiz asks a few dozen.
inline constexpr int kLargestQuiz = 100;

// A round of `questions` questions on the run's pairs, in the order the run's seed gives the
// window's quiz, as a file in Moodle's XML question format: each a single-answer
// multichoice question "Will I-J get an edge?" with its picture embedded (a PNG in the
// question text's file element, with a text alternative), the answer "Yes" or "No" worth
// 100 and the other 0, and the reason of the window's quiz as feedback.
QByteArray moodleQuiz(const RunResult& run, int questions, PictureStyle style);

}  // namespace app
