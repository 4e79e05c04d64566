#include "results_file.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>

#include "geometry/dist.h"
#include "run/accepted_sites.h"

namespace app {

namespace {

using Json = nlohmann::json;

Json pairArray(int i, int j) {
  return Json::array({i, j});
}

// A number as the file should keep it: whole numbers without a fraction, as a site list
// writes them, the others in the shortest form that reads back as the same double.
Json numberValue(double value) {
  constexpr double kWholeUpTo = 0x1p53;  // every whole number up to here is a double
  if (geometry::exactlyEqual(value, std::floor(value)) && std::abs(value) <= kWholeUpTo) {
    return static_cast<std::int64_t>(value);
  }
  return value;
}

// Reading fails by throwing the reason, caught once at the top.
struct Bad {
  std::string reason;
};

// The value of a number field, or nothing for any other kind of field.
std::optional<double> numberIn(const Json& value) {
  if (!value.is_number()) {
    return std::nullopt;
  }
  return value.get<double>();
}

bool isWholeIn(const std::optional<double>& number, double least, double most) {
  return number && geometry::exactlyEqual(*number, std::floor(*number)) && *number >= least &&
         *number <= most;
}

int siteNumber(const Json& value, int sites, const std::string& where) {
  const std::optional<double> number = numberIn(value);
  if (!isWholeIn(number, 1, sites)) {
    throw Bad{where + " is not a site number from 1 to " + std::to_string(sites)};
  }
  return static_cast<int>(*number);
}

std::pair<int, int> pairOf(const Json& value, int sites, const std::string& where) {
  if (!value.is_array() || value.size() != 2) {
    throw Bad{where + " is not a pair of site numbers [I, J]"};
  }
  const int i = siteNumber(value[0], sites, where), j = siteNumber(value[1], sites, where);
  if (i == j) {
    throw Bad{where + " pairs site " + std::to_string(i) + " with itself"};
  }
  return {i, j};
}

double finite(const Json& value, const std::string& where) {
  const std::optional<double> number = numberIn(value);
  if (!number || !std::isfinite(*number)) {
    throw Bad{where + " is not a number"};
  }
  return *number;
}

// The field of an object, or null when it has none (or is no object).
const Json& field(const Json& object, const char* name) {
  static const Json kNothing;
  if (!object.is_object()) {
    return kNothing;
  }
  const auto found = object.find(name);
  return found == object.end() ? kNothing : *found;
}

std::string textIn(const Json& value) {
  return value.is_string() ? value.get<std::string>() : std::string();
}

ExerciseResults read(std::string_view bytes) {
  Json document;
  try {
    document = Json::parse(bytes);
  } catch (const Json::parse_error& error) {
    throw Bad{"not JSON at byte " + std::to_string(error.byte)};
  } catch (const Json::exception&) {  // a number too large for a double, 1e400
    throw Bad{"not JSON: a number out of range"};
  }
  if (!document.is_object()) {
    throw Bad{"not a results file: no JSON object"};
  }
  ExerciseResults results;
  const auto kind = exerciseKindNamed(textIn(field(document, "kind")));
  if (!kind) {
    throw Bad{"not a results file: \"kind\" is none of delaunay-edges, voronoi-piece, cut-point"};
  }
  results.kind = *kind;
  const Json& name = field(document, "name");
  if (!name.is_null() && !name.is_string()) {
    throw Bad{"\"name\" is not a text"};
  }
  results.name = textIn(name);
  const std::optional<double> seed = numberIn(field(document, "seed"));
  if (!isWholeIn(seed, 0, std::numeric_limits<std::uint32_t>::max())) {
    throw Bad{"\"seed\" is not a whole number from 0 to 4294967295"};
  }
  results.seed = static_cast<std::uint32_t>(*seed);
  const Json& sites = field(document, "sites");
  if (!sites.is_array() || sites.size() < 2) {
    throw Bad{"\"sites\" is not a list of at least two sites [x, y]"};
  }
  for (std::size_t s = 0; s < sites.size(); ++s) {
    const std::string where = "site " + std::to_string(s + 1);
    const Json& xy = sites[s];
    if (!xy.is_array() || xy.size() != 2) {
      throw Bad{where + " is not [x, y]"};
    }
    results.sites.push_back({finite(xy[0], where), static_cast<float>(finite(xy[1], where))});
  }
  if (!acceptedSites(results.sites)) {
    throw Bad{"the sites break the rules of a site list (" + siteRuleWords() + ")"};
  }
  const int n = static_cast<int>(results.sites.size());
  const Json& answers = field(document, "answers");
  if (!answers.is_array()) {
    throw Bad{"\"answers\" is not a list"};
  }
  for (std::size_t a = 0; a < answers.size(); ++a) {
    const std::string where = "answer " + std::to_string(a + 1);
    const Json& answer = answers[a];
    switch (results.kind) {
      case ExerciseKind::DelaunayEdges:
        results.edges.push_back(pairOf(answer, n, where));
        break;
      case ExerciseKind::VoronoiPiece: {
        const auto [i, j] = pairOf(field(answer, "pair"), n, where);
        const Json& said = field(answer, "answer");
        const std::optional<double> number = numberIn(said);
        int piece = 0;
        if (isWholeIn(number, 1, 1000)) {
          piece = static_cast<int>(*number);
        } else if (textIn(said) != "none") {
          throw Bad{where + ": \"answer\" is neither a piece number nor \"none\""};
        }
        results.pieces.push_back({i, j, piece});
        break;
      }
      case ExerciseKind::CutPoint: {
        const auto [i, j] = pairOf(field(answer, "pair"), n, where);
        const int k = siteNumber(field(answer, "site"), n, where);
        if (k == i || k == j) {
          throw Bad{where + ": the site is one of the pair"};
        }
        const Json& said = field(answer, "answer");
        CutAnswer cut{i, j, k, CutAnswer::Says::At};
        if (said.is_array() && said.size() == 2) {
          cut.x = finite(said[0], where);
          cut.y = finite(said[1], where);
        } else if (const auto says = saysNamed(textIn(said))) {
          cut.says = *says;
        } else {
          throw Bad{where + ": \"answer\" is neither [x, y], \"passes\" nor \"blocks\""};
        }
        results.cuts.push_back(cut);
        break;
      }
    }
  }
  const std::optional<double> score = numberIn(field(document, "score"));
  if (!isWholeIn(score, -1e6, 1e6)) {
    throw Bad{"\"score\" is not a whole number"};
  }
  results.score = static_cast<int>(*score);
  return results;
}

}  // namespace

std::string resultsJson(const ExerciseResults& results) {
  Json sites = Json::array();
  for (const SitePosition& site : results.sites) {
    sites.push_back({numberValue(site.x), numberValue(site.y)});
  }
  Json answers = Json::array();
  for (const auto& [i, j] : results.edges) {
    answers.push_back(pairArray(i, j));
  }
  for (const PieceAnswer& piece : results.pieces) {
    answers.push_back({{"pair", pairArray(piece.i, piece.j)},
                       {"answer", piece.piece == 0 ? Json("none") : Json(piece.piece)}});
  }
  for (const CutAnswer& cut : results.cuts) {
    answers.push_back({{"pair", pairArray(cut.i, cut.j)},
                       {"site", cut.k},
                       {"answer", cut.says == CutAnswer::Says::At
                                      ? Json::array({numberValue(cut.x), numberValue(cut.y)})
                                      : Json(saysWord(cut.says))}});
  }
  const Json object{{"kind", infoOf(results.kind).name},
                    {"name", results.name},
                    {"seed", results.seed},
                    {"sites", sites},
                    {"answers", answers},
                    {"score", results.score}};
  // Keys in alphabetical order, four spaces a level; a name that is no valid UTF-8 has its
  // stray bytes replaced rather than failing the save.
  return object.dump(4, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::variant<ExerciseResults, std::string> parseResults(std::string_view bytes) {
  try {
    return read(bytes);
  } catch (const Bad& bad) {
    return bad.reason;
  }
}

GradedResults gradeResults(const ExerciseResults& results, const geometry::SiteColumns& sites) {
  GradedResults graded;
  switch (results.kind) {
    case ExerciseKind::DelaunayEdges:
      graded.verdicts = gradeDrawing(sites, results.edges);
      break;
    case ExerciseKind::VoronoiPiece:
      for (const PieceAnswer& piece : results.pieces) {
        graded.verdicts.push_back(gradePiece(sites, piece));
      }
      break;
    case ExerciseKind::CutPoint:
      for (const CutAnswer& cut : results.cuts) {
        graded.verdicts.push_back(gradeCut(sites, cut));
      }
      break;
  }
  graded.score = scoreOf(results.kind, graded.verdicts);
  graded.storedScoreMatches = graded.score.score == results.score;
  return graded;
}

}  // namespace app
