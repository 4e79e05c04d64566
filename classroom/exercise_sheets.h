#pragma once

#include <QByteArray>
#include <cstdint>

#include "exercises/exercise.h"
#include "print_page.h"

namespace app {

// The sheets of an exercise for a class, one page a seed from `first` to `last` in one PDF,
// so that each student gets a layout of their own: the title with the seed, room for a name
// and the score, the task, and the questions in the print style, each with room for its
// answer. The key gives the same pages answered, with every proof drawn. A seed that gives
// no exercise layout throws the runtime_error that says so.
inline constexpr std::uint32_t kMostSheets = 500;
QByteArray exerciseSheets(ExerciseKind kind, std::uint32_t first, std::uint32_t last, Paper paper,
                          bool key);

}  // namespace app
