#pragma once

// What the exercise rounds draw with: internal to exercises/.

#include <string>
#include <vector>

#include "exercise_round.h"
#include "explanation/step_drawing.h"
#include "geometry/window_frame.h"

namespace app {

// A round's marks over its picture, drawn by `drawing` (which names the points the box keeps
// clear of), the legend of their colours, the sentence that asks or answers, and the labels
// of the marks.
struct ExerciseRound::Marks {
  PictureStyle style;
  Picture& items;
  StepDrawing& drawing;
  std::vector<LegendEntry> legend;
  std::string line;
  std::vector<MarkLabel> labels;  // of the round's own marks, placed after the legend
};

inline constexpr Colour kLearnerEdge = rgb(120, 200, 255);
inline constexpr Colour kRightEdge = kEmptyCircle;
inline constexpr Colour kWrongEdge = kBlocking;
inline constexpr Colour kMissedEdge = kTick;

}  // namespace app
