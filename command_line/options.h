#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "classroom/print_handout.h"
#include "exercises/class_report.h"
#include "exercises/exercise.h"
#include "explanation/lesson.h"
#include "picture/picture_style.h"
#include "picture_output/output_kind.h"

namespace app {

// What every run takes from the command line: where its sites come from, its style, and
// whether to say what it drew.
struct RunOptions {
  std::optional<std::uint32_t> seed;  // unset: seed from the clock
  std::optional<QString> sitesFile;   // "-" for standard input
  std::optional<PictureStyle> style;  // unset: the window's remembered style, or normal
  bool verbose = false;
};

// A file to write, its kind, and for a PNG how many pixels it has to the client area's pixel.
struct Output {
  QString file;
  OutputKind kind = OutputKind::Png;
  int scale = 1;
};

// The ways the program runs; each names only the options that go with it.

// Shows the window.
struct WindowMode {};
// Writes the picture to a file and exits.
struct SaveMode {
  Output output;
};
// Prints one line for every pair; with an output, writes the run's picture too.
struct ExplainAllMode {
  std::optional<Output> output;
};
// Prints the account of one pair (i, j), its lesson's steps at a level, or one step, or
// nothing; with an output, writes the picture of that step (the result, unless a step is
// asked for), or to a .pdf or .tex file the whole lesson as a handout or a Beamer frame.
struct ExplainPairMode {
  enum class Print { Account, Steps, OneStep, Nothing };
  int i = 0, j = 0;
  Print print = Print::Account;
  LessonLevel level = LessonLevel::Overview;
  int step = 0;                // for OneStep, from 1
  bool exact = false;          // the steps, each with exact arithmetic's agreement
  std::vector<int> picked;     // the steps a handout or the slides keep, from 1; empty: all
  std::optional<Paper> paper;  // a handout to print on this paper, instead of the screen's
  std::vector<std::pair<int, int>> morePairs;  // further pairs the printed handout takes
  bool blank = false;                          // the printed handout's students' version
  std::optional<Output> output;
};
// Prints the tour's steps, or step `step` (from 1), and with an output writes its picture;
// to a .tex file without a step, the whole tour as Beamer frames; with a paper, to a PDF
// file, the tour to print.
struct TourMode {
  int step = 0;  // 0: every step
  std::optional<Output> output;
  std::optional<Paper> paper;  // the tour printed on this paper, to a PDF file
};
// Writes a round of questions on the run's pairs as a Moodle XML file.
struct QuizMode {
  int questions = 0;
  QString file;
};
// Grades exercise results files: each file's verdicts, or a CSV line a file.
struct GradeMode {
  std::vector<QString> files;
  ReportForm form = ReportForm::Lines;
};
// Writes the sheets of an exercise to a PDF, a page a seed from `first` to `last`, or their
// key; or to a web page the web edition opened on the exercise of one seed.
struct ExerciseSheetMode {
  ExerciseKind kind = ExerciseKind::DelaunayEdges;
  std::uint32_t first = 0, last = 0;
  bool answers = false;
  Paper paper = Paper::A4;
  PictureStyle style = PictureStyle::Normal;  // the web edition's
  Output output;
};
// Prints the pairs whose outcome differs in exact arithmetic.
struct ExactMode {};
// Searches near the layout for one where rounding changes an edge.
struct FindFailureMode {};
// Writes the nudge map of pair (i, j) as site k moves to a PNG file.
struct NudgeMapMode {
  int i = 0, j = 0, k = 0;
  Output output;
};

using Mode = std::variant<WindowMode, SaveMode, ExplainAllMode, ExplainPairMode, TourMode, QuizMode,
                          GradeMode, ExerciseSheetMode, ExactMode, FindFailureMode, NudgeMapMode>;

struct Command {
  RunOptions run;
  Mode mode;
};

// What the command line asks for: a command to run, or an answer to print and an exit.
struct CommandLine {
  enum class Action { Run, PrintAndSucceed, PrintUsageAndFail };
  Action action = Action::Run;
  Command command;
  QString text;  // for the two print actions
};

// Parses the arguments, program name first. Needs no application object, so the choice of
// a display can follow from the command.
CommandLine parseCommandLine(const QStringList& arguments);

}  // namespace app
