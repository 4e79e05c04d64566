#pragma once

#include "picture/picture_style.h"
#include "run/layout.h"
#include "session/exercise_session.h"
#include "session/explanation_session.h"
#include "web_address.h"

namespace app {

// The address of a layout shown in a style: its seed, and its sites when they are not the
// ones the seed itself draws (seedsOwn, or a run of the seed when not given).
WebAddress layoutAddress(const Layout& layout, PictureStyle style);
WebAddress layoutAddress(const Layout& layout, const Layout& seedsOwn, PictureStyle style);

// The address of what a session shows over the layout's address: the exercise, the tour
// at its step, or the lesson's pair at its level and step (a question waiting for its
// answer shows the layout alone).
WebAddress sessionAddress(WebAddress layout, const ExplanationSession& explanation,
                          const ExerciseSession* exercise);

}  // namespace app
