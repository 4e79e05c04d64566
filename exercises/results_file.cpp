#include "results_file.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <limits>

#include "run/accepted_sites.h"

namespace app {

namespace {

QJsonArray pairArray(int i, int j) {
  return {i, j};
}

// Reading fails by throwing the reason, caught once at the top.
struct Bad {
  std::string reason;
};

int siteNumber(const QJsonValue& value, int sites, const std::string& where) {
  const double number = value.toDouble(-1);
  if (!value.isDouble() || number != std::floor(number) || number < 1 || number > sites) {
    throw Bad{where + " is not a site number from 1 to " + std::to_string(sites)};
  }
  return static_cast<int>(number);
}

std::pair<int, int> pairOf(const QJsonValue& value, int sites, const std::string& where) {
  const QJsonArray pair = value.toArray();
  if (!value.isArray() || pair.size() != 2) {
    throw Bad{where + " is not a pair of site numbers [I, J]"};
  }
  const int i = siteNumber(pair[0], sites, where), j = siteNumber(pair[1], sites, where);
  if (i == j) {
    throw Bad{where + " pairs site " + std::to_string(i) + " with itself"};
  }
  return {i, j};
}

double finite(const QJsonValue& value, const std::string& where) {
  if (!value.isDouble() || !std::isfinite(value.toDouble())) {
    throw Bad{where + " is not a number"};
  }
  return value.toDouble();
}

ExerciseResults read(const QByteArray& bytes) {
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
  if (error.error != QJsonParseError::NoError) {
    throw Bad{"not JSON: " + error.errorString().toStdString() + " at byte " +
              std::to_string(error.offset)};
  }
  if (!document.isObject()) {
    throw Bad{"not a results file: no JSON object"};
  }
  const QJsonObject object = document.object();
  ExerciseResults results;
  const auto kind =
      exerciseKindNamed(object.value(QStringLiteral("kind")).toString().toStdString());
  if (!kind) {
    throw Bad{"not a results file: \"kind\" is none of delaunay-edges, voronoi-piece, cut-point"};
  }
  results.kind = *kind;
  const QJsonValue name = object.value(QStringLiteral("name"));
  if (!name.isUndefined() && !name.isString()) {
    throw Bad{"\"name\" is not a text"};
  }
  results.name = name.toString().toStdString();
  const double seed = object.value(QStringLiteral("seed")).toDouble(-1);
  if (!object.value(QStringLiteral("seed")).isDouble() || seed != std::floor(seed) || seed < 0 ||
      seed > std::numeric_limits<std::uint32_t>::max()) {
    throw Bad{"\"seed\" is not a whole number from 0 to 4294967295"};
  }
  results.seed = static_cast<std::uint32_t>(seed);
  const QJsonArray sites = object.value(QStringLiteral("sites")).toArray();
  if (sites.size() < 2) {
    throw Bad{"\"sites\" is not a list of at least two sites [x, y]"};
  }
  for (qsizetype s = 0; s < sites.size(); ++s) {
    const std::string where = "site " + std::to_string(s + 1);
    const QJsonArray xy = sites[s].toArray();
    if (xy.size() != 2) {
      throw Bad{where + " is not [x, y]"};
    }
    results.sites.push_back({finite(xy[0], where), static_cast<float>(finite(xy[1], where))});
  }
  if (!acceptedSites(results.sites)) {
    throw Bad{
        "the sites break the rules of a site list (inside 0 to 760 by 0 to 508 pixels, "
        "at most 101, no two on one x or y)"};
  }
  const int n = static_cast<int>(results.sites.size());
  const QJsonValue answersValue = object.value(QStringLiteral("answers"));
  if (!answersValue.isArray()) {
    throw Bad{"\"answers\" is not a list"};
  }
  const QJsonArray answers = answersValue.toArray();
  for (qsizetype a = 0; a < answers.size(); ++a) {
    const std::string where = "answer " + std::to_string(a + 1);
    const QJsonObject answer = answers[a].toObject();
    switch (results.kind) {
      case ExerciseKind::DelaunayEdges:
        results.edges.push_back(pairOf(answers[a], n, where));
        break;
      case ExerciseKind::VoronoiPiece: {
        const auto [i, j] = pairOf(answer.value(QStringLiteral("pair")), n, where);
        const QJsonValue said = answer.value(QStringLiteral("answer"));
        int piece = 0;
        if (said.isDouble() && said.toDouble() == std::floor(said.toDouble()) &&
            said.toDouble() >= 1 && said.toDouble() <= 1000) {
          piece = static_cast<int>(said.toDouble());
        } else if (said.toString() != QLatin1String("none")) {
          throw Bad{where + ": \"answer\" is neither a piece number nor \"none\""};
        }
        results.pieces.push_back({i, j, piece});
        break;
      }
      case ExerciseKind::CutPoint: {
        const auto [i, j] = pairOf(answer.value(QStringLiteral("pair")), n, where);
        const int k = siteNumber(answer.value(QStringLiteral("site")), n, where);
        if (k == i || k == j) {
          throw Bad{where + ": the site is one of the pair"};
        }
        const QJsonValue said = answer.value(QStringLiteral("answer"));
        CutAnswer cut{i, j, k, CutAnswer::Says::At};
        if (said.isArray() && said.toArray().size() == 2) {
          cut.x = finite(said.toArray()[0], where);
          cut.y = finite(said.toArray()[1], where);
        } else if (const auto says = saysNamed(said.toString().toStdString())) {
          cut.says = *says;
        } else {
          throw Bad{where + ": \"answer\" is neither [x, y], \"passes\" nor \"blocks\""};
        }
        results.cuts.push_back(cut);
        break;
      }
    }
  }
  const QJsonValue score = object.value(QStringLiteral("score"));
  if (!score.isDouble() || score.toDouble() != std::floor(score.toDouble()) ||
      std::abs(score.toDouble()) > 1e6) {
    throw Bad{"\"score\" is not a whole number"};
  }
  results.score = static_cast<int>(score.toDouble());
  return results;
}

}  // namespace

QByteArray resultsJson(const ExerciseResults& results) {
  QJsonArray sites;
  for (const SitePosition& site : results.sites) {
    sites.append(QJsonArray{site.x, static_cast<double>(site.y)});
  }
  QJsonArray answers;
  for (const auto& [i, j] : results.edges) {
    answers.append(pairArray(i, j));
  }
  for (const PieceAnswer& piece : results.pieces) {
    answers.append(QJsonObject{{"pair", pairArray(piece.i, piece.j)},
                               {"answer", piece.piece == 0 ? QJsonValue(QStringLiteral("none"))
                                                           : QJsonValue(piece.piece)}});
  }
  for (const CutAnswer& cut : results.cuts) {
    answers.append(
        QJsonObject{{"pair", pairArray(cut.i, cut.j)},
                    {"site", cut.k},
                    {"answer", cut.says == CutAnswer::Says::At
                                   ? QJsonValue(QJsonArray{cut.x, cut.y})
                                   : QJsonValue(QString::fromLatin1(saysWord(cut.says)))}});
  }
  const QJsonObject object{{"kind", QString::fromLatin1(infoOf(results.kind).name)},
                           {"name", QString::fromStdString(results.name)},
                           {"seed", static_cast<double>(results.seed)},
                           {"sites", sites},
                           {"answers", answers},
                           {"score", results.score}};
  return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

std::variant<ExerciseResults, std::string> parseResults(const QByteArray& bytes) {
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

namespace {

// A field of a CSV line, quoted where it holds a comma, a quote or a line break.
std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) {
    return text;
  }
  std::string quoted = "\"";
  for (const char c : text) {
    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  }
  return quoted + "\"";
}

}  // namespace

ClassReport gradeFiles(const std::vector<QString>& files, bool csv) {
  ClassReport report;
  if (csv) {
    report.lines = "file,name,kind,right,wrong,missed,stored score matches\n";
  }
  for (const QString& path : files) {
    const std::string file = path.toStdString();
    const auto skip = [&](const std::string& reason) {
      report.problems += file + ": skipped: " + reason + "\n";
      ++report.skipped;
    };
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly)) {
      skip("cannot be read: " + input.errorString().toStdString());
      continue;
    }
    constexpr qint64 kLargest = 16 << 20;  // far beyond a round of 101 sites
    if (input.size() > kLargest) {
      skip("larger than 16 MB: no results file");
      continue;
    }
    const auto parsed = parseResults(input.readAll());
    if (const auto* reason = std::get_if<std::string>(&parsed)) {
      skip(*reason);
      continue;
    }
    const ExerciseResults& results = std::get<ExerciseResults>(parsed);
    const geometry::SiteColumns sites = *acceptedSites(results.sites);
    if (const auto problem = layoutProblem(sites)) {
      skip(*problem);
      continue;
    }
    const GradedResults graded = gradeResults(results, sites);
    const Score& score = graded.score;
    if (csv) {
      report.lines += csvField(file) + "," + csvField(results.name) + "," +
                      infoOf(results.kind).name + "," + std::to_string(score.right) + "," +
                      std::to_string(score.wrong) + "," + std::to_string(score.missed) + "," +
                      (graded.storedScoreMatches ? "yes" : "no") + "\n";
      continue;
    }
    for (const Verdict& verdict : graded.verdicts) {
      report.lines += file + ": " + verdict.line + "\n";
    }
    report.lines += file + ": right " + std::to_string(score.right) + ", wrong " +
                    std::to_string(score.wrong) + ", missed " + std::to_string(score.missed) +
                    (graded.storedScoreMatches ? "" : ", stored score differs") + "\n";
  }
  return report;
}

}  // namespace app
