#include "option_values.h"

#include <algorithm>

#include "classroom/exercise_sheets.h"
#include "picture_output/output_kind.h"

namespace app {

QString helpText(const QCommandLineParser& parser) {
  QString text = parser.helpText();
  text.replace(QLatin1String("<executable_name>"), QLatin1String("voronoi-delaunay"));
  return text;
}

CommandLine usageError(const QString& problem, const QCommandLineParser&) {
  return {CommandLine::Action::PrintUsageAndFail,
          {},
          QStringLiteral("voronoi-delaunay: ") + problem +
              QStringLiteral("\nTry 'voronoi-delaunay --help' for the options.\n")};
}

std::optional<ExplainRequest> parseExplainRequest(const QString& text) {
  if (text == QLatin1String("all")) {
    return ExplainRequest{true, 0, 0, {}};
  }
  std::vector<std::pair<int, int>> pairs;
  for (const QString& pair : text.split(QLatin1Char(','))) {
    const QStringList numbers = pair.split(QLatin1Char('-'));
    bool iOk = false, jOk = false;
    if (numbers.size() != 2) {
      return std::nullopt;
    }
    const int i = numbers[0].toInt(&iOk);
    const int j = numbers[1].toInt(&jOk);
    if (!iOk || !jOk) {
      return std::nullopt;
    }
    pairs.emplace_back(std::min(i, j), std::max(i, j));  // 7-1 is the pair 1-7
  }
  return ExplainRequest{false, pairs[0].first, pairs[0].second, {pairs.begin() + 1, pairs.end()}};
}

std::optional<std::vector<int>> parsePick(const QString& text) {
  std::vector<int> steps;
  for (const QString& part : text.split(QLatin1Char(','))) {
    const QStringList ends = part.split(QLatin1Char('-'));
    bool firstOk = false, lastOk = ends.size() == 1;
    const int first = ends[0].toInt(&firstOk);
    const int last = ends.size() == 2 ? ends[1].toInt(&lastOk) : first;
    if (!firstOk || !lastOk || ends.size() > 2 || first < 1 || last < first || last > 10000) {
      return std::nullopt;
    }
    for (int step = first; step <= last; ++step) {
      steps.push_back(step);
    }
  }
  std::sort(steps.begin(), steps.end());
  steps.erase(std::unique(steps.begin(), steps.end()), steps.end());
  return steps;
}

std::optional<SeedRange> parseSeedRange(const QString& text) {
  const QStringList ends = text.split(QLatin1Char('-'));
  if (ends.size() > 2) {
    return std::nullopt;
  }
  qulonglong values[2] = {};
  for (qsizetype n = 0; n < ends.size(); ++n) {
    bool ok = false;
    values[n] = ends[n].toULongLong(&ok);
    if (!ok || values[n] > kLargestSeed) {
      return std::nullopt;
    }
  }
  const qulonglong last = ends.size() == 2 ? values[1] : values[0];
  if (last < values[0]) {
    return std::nullopt;
  }
  return SeedRange{static_cast<std::uint32_t>(values[0]), static_cast<std::uint32_t>(last)};
}

CommandLine exerciseCommand(const QCommandLineParser& parser) {
  const auto value = [&](const char* name) { return parser.value(QString::fromLatin1(name)); };
  const auto isSet = [&](const char* name) { return parser.isSet(QString::fromLatin1(name)); };
  for (const QString& name : parser.optionNames()) {
    static const QStringList kFitting = {QStringLiteral("exercise"), QStringLiteral("seed"),
                                         QStringLiteral("save"),     QStringLiteral("paper"),
                                         QStringLiteral("answers"),  QStringLiteral("style")};
    if (!kFitting.contains(name)) {
      return usageError(QStringLiteral("--exercise goes with --seed, --save, --paper, --answers "
                                       "and --style, not with --%1")
                            .arg(name),
                        parser);
    }
  }
  ExerciseSheetMode sheets;
  const std::optional<ExerciseKind> kind = exerciseKindNamed(value("exercise").toStdString());
  if (!kind) {
    return usageError(QStringLiteral("--exercise takes delaunay-edges, voronoi-piece or "
                                     "cut-point, not %1")
                          .arg(value("exercise")),
                      parser);
  }
  sheets.kind = *kind;
  if (!isSet("seed")) {
    return usageError(QStringLiteral("--exercise goes with --seed N, or A-B for a sheet a seed: "
                                     "the seed makes the layout its key is drawn from"),
                      parser);
  }
  const std::optional<SeedRange> seeds = parseSeedRange(value("seed"));
  if (!seeds) {
    return usageError(QStringLiteral("--seed takes a whole number from 0 to %1, or a range A-B "
                                     "of them, not %2")
                          .arg(kLargestSeed)
                          .arg(value("seed")),
                      parser);
  }
  if (seeds->last - seeds->first >= kMostSheets) {
    return usageError(
        QStringLiteral("--seed %1 makes more than %2 sheets").arg(value("seed")).arg(kMostSheets),
        parser);
  }
  sheets.first = seeds->first;
  sheets.last = seeds->last;
  const std::optional<OutputKind> output =
      isSet("save") ? outputKindFor(value("save")) : std::nullopt;
  if (output != OutputKind::Pdf && output != OutputKind::WebPage) {
    return usageError(
        QStringLiteral("--exercise goes with --save FILE.pdf, or FILE.html for one seed"), parser);
  }
  sheets.output = Output{value("save"), *output};
  if (*output == OutputKind::WebPage) {
    const QString misfit = seeds->first != seeds->last ? QStringLiteral("--seed takes one seed")
                           : isSet("paper")            ? QStringLiteral("--paper does not fit")
                           : isSet("answers")          ? QStringLiteral(
                                                             "--answers does not fit: the page "
                                                                      "grades the answers itself")
                                              : QString();
    if (!misfit.isEmpty()) {
      return usageError(QStringLiteral("with --exercise and --save FILE.html, %1").arg(misfit),
                        parser);
    }
  }
  if (isSet("paper")) {
    const std::optional<Paper> paper = paperNamed(value("paper"));
    if (!paper) {
      return usageError(QStringLiteral("--paper takes a4 or letter, not %1").arg(value("paper")),
                        parser);
    }
    sheets.paper = *paper;
  }
  if (isSet("style")) {
    const std::optional<PictureStyle> style = pictureStyleNamed(value("style").toStdString());
    if (!style || *output != OutputKind::WebPage) {
      return usageError(QStringLiteral("with --exercise, --style takes normal or projector for "
                                       "the web edition (FILE.html); a sheet prints in black on "
                                       "white"),
                        parser);
    }
    sheets.style = *style;
  }
  sheets.answers = isSet("answers");
  Command command;
  command.mode = sheets;
  return {CommandLine::Action::Run, command, {}};
}

}  // namespace app
