#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

#include "picture/picture_style.h"

namespace app {

// Which pairs to explain: every pair in scan order, or the pair of sites i and j.
struct ExplainRequest {
  bool allPairs = false;
  int i = 0, j = 0;
};

struct Options {
  std::optional<std::uint32_t> seed;  // unset: seed from the clock
  std::optional<QString> sitesFile;   // "-" for standard input
  std::optional<QString> saveFile;    // write the picture here instead of showing a window
  int scale = 1;                      // pixels per client-area pixel in a saved PNG
  std::optional<PictureStyle> style;  // unset: the window's remembered style, or normal
  bool verbose = false;
  std::optional<ExplainRequest> explain;  // print how the edge finder treats pairs
  bool exact = false;
  bool findFailure = false;
  std::optional<std::array<int, 3>> nudgeMap;  // I-J-K: the map of pair I-J as site K moves
  bool steps = false;                          // with explain I-J: the lesson's numbered steps
  std::optional<int> step;                     // with explain I-J: step N of the lesson, from 1
};

// What the command line asks for: a run with options, or an answer to print and an exit.
struct CommandLine {
  enum class Action { Run, PrintAndSucceed, PrintUsageAndFail };
  Action action = Action::Run;
  Options options;
  QString text;  // for the two print actions
};

// Parses the arguments, program name first. Needs no application object, so the choice of
// a display can follow from the options.
CommandLine parseCommandLine(const QStringList& arguments);

}  // namespace app
