#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "geometry/sites.h"
#include "steps/literal_steps.h"

namespace app {

// The one-line result of a pair, as "pair 1-7: drawn, piece 17 of 39 cut points",
// "pair 1-3: shadowed, 39 cut points" or "pair 1-2: blocked by 29, 26 cut points". The
// count is the number of cut-list entries, start and end point included, when the pair's
// screening ended.
std::string resultLine(int i, int j, const geometry::PairOutcome& outcome);

// How a pair's sentences write its points: as the edge finder holds them, in its own
// coordinates and to the last digit (the account, for whoever checks the arithmetic), or in
// window pixels with at most one decimal, as the picture shows them (the lesson's detail).
enum class NumberForm { EdgeFinder, WindowPixels };

// The sentences of the account and of the lesson's detail, one for each of their parts: the
// pair and its bisector; what the screening did with a competitor; an entry of the sorted cut
// list; a tested piece; and the result.
std::string pairLine(const geometry::PairAccount& account, const geometry::SiteColumns& sites,
                     NumberForm form);
std::string competitorLine(const geometry::CompetitorStep& step, int j, NumberForm form);
std::string cutEntryLine(const geometry::CutEntry& entry, std::size_t e, NumberForm form);
std::string pieceLine(const geometry::PieceStep& piece, int i, NumberForm form);
std::string resultSentence(const geometry::PairAccount& account);

// The whole account of a pair in plain text: the result line, the pair record, what the
// screening did with each competitor, the sorted cut list, each tested piece and the
// result. Coordinates are the edge finder's own, window pixels shifted by the domain
// offsets, each written in the shortest form that reads back as the same double.
std::string accountText(const geometry::PairAccount& account, const geometry::SiteColumns& sites);

// A point in the edge finder's coordinates, shown in window pixels with at most one
// decimal: "(377.3, 52)".
std::string windowPoint(double x, double y);
// A number of window pixels with at most one decimal: "12.3", "3".
std::string tenths(double v);

// Site k's position in window pixels, as the user placed it, with at most one decimal:
// "(100, 100)", "(377.3, 52)".
std::string windowPosition(const geometry::SiteColumns& sites, int k);

// A count with its noun and verb in number: counted(1, "site cuts", "sites cut") is
// "1 site cuts".
std::string counted(std::size_t n, const char* one, const char* many);

// Numbers in words: "10", "10 and 25", "10, 25 and 28"; beyond `most`, the first `most`
// and how many more.
std::string numberList(const std::vector<int>& numbers, std::size_t most = SIZE_MAX);
// A pair's name, "1-7", and pairs in words alike: "1-7, 2-9 and 5-12".
std::string pairName(int i, int j);
std::string pairList(const std::vector<std::pair<int, int>>& pairs, std::size_t most = SIZE_MAX);

}  // namespace app
