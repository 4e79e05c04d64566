#pragma once

#include <QCommandLineParser>
#include <QString>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "options.h"

namespace app {

// Reading what the options say: the values they take and the messages they give.

inline constexpr qulonglong kLargestSeed = std::numeric_limits<std::uint32_t>::max();

// The help text, with the program's name in the usage line: without an application
// object the parser cannot know it.
QString helpText(const QCommandLineParser& parser);

// What is wrong, and where the options are told: the whole help would bury the one line that
// says which option does not fit.
CommandLine usageError(const QString& problem, const QCommandLineParser& parser);

// Which pairs --explain names: every pair in scan order, or the pair of sites i and j.
struct ExplainRequest {
  bool allPairs = false;
  int i = 0, j = 0;
  std::vector<std::pair<int, int>> more;  // the pairs after the first, for a printed handout
};
// "all", or "I-J" with two whole numbers, in either order, or several such pairs
// separated by commas, "1-7,2-9".
std::optional<ExplainRequest> parseExplainRequest(const QString& text);

// "1,4-6": step numbers from 1, and ranges of them; sorted, each once.
std::optional<std::vector<int>> parsePick(const QString& text);

// A seed, "N", or a range of them, "A-B" with A <= B: each from 0 to kLargestSeed.
struct SeedRange {
  std::uint32_t first = 0, last = 0;
};
std::optional<SeedRange> parseSeedRange(const QString& text);

// The command --exercise gives: its sheets or their key in a PDF, or the web edition opened on
// it; or which option does not fit. Reads the options by name.
CommandLine exerciseCommand(const QCommandLineParser& parser);

}  // namespace app
