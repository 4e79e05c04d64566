#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exercise.h"
#include "picture/picture.h"

namespace app {

// An exercise on paper, for a class: each student a seed of their own, so a layout of their
// own, and the teacher the key of the same seeds.

// One question of a sheet: its picture, in the print style, and its words beneath it.
struct SheetQuestion {
  Picture picture;
  std::string text;
};

// A sheet of the kind on a seed's exercise layout (a runtime_error where the seed gives
// none): the task, then its questions, each asking with room for the answer; or, as the key,
// each answered rightly with every proof drawn.
struct ExerciseSheet {
  ExerciseKind kind;
  std::uint32_t seed;
  std::string title;  // "Draw the Delaunay edges: seed 12"
  std::string task;   // what the student does, once for the sheet
  std::vector<SheetQuestion> questions;
};
ExerciseSheet exerciseSheet(ExerciseKind kind, std::uint32_t seed, bool key);

}  // namespace app
