#include "options.h"

#include <QCommandLineParser>
#include <algorithm>
#include <limits>

#include "classroom/moodle_quiz.h"
#include "option_values.h"
#include "picture_output/output_kind.h"

namespace app {

CommandLine parseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Draws the Voronoi diagram of random sites in red and their Delaunay triangulation in a "
      "pale pen colour."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help and exit."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("Show the version and exit."));
  const QCommandLineOption seed(
      QStringLiteral("seed"),
      QStringLiteral("Seed the random numbers with N (0 to %1) instead of the clock.")
          .arg(kLargestSeed),
      QStringLiteral("N"));
  const QCommandLineOption sites(
      QStringLiteral("sites"),
      QStringLiteral("Take the sites from FILE (- for standard input): x and y in window "
                     "pixels, one site a line."),
      QStringLiteral("FILE"));
  const QCommandLineOption save(
      QStringLiteral("save"),
      QStringLiteral(
          "Write the picture to FILE (.png, .svg, .pdf, .tex for a TikZ figure, or "
          ".html for the web edition in one file, opened at it) and exit, without a window."),
      QStringLiteral("FILE"));
  const QCommandLineOption scale(
      QStringLiteral("scale"),
      QStringLiteral("Make a saved PNG K times as many pixels across (1 to %1).")
          .arg(kLargestPngScale),
      QStringLiteral("K"), QStringLiteral("1"));
  const QCommandLineOption style(
      QStringLiteral("style"),
      QStringLiteral("Draw in the normal style or the projector style (thick lines, large "
                     "text, high contrast), in the window and in saved files."),
      QStringLiteral("normal|projector"));
  const QCommandLineOption verbose(
      QStringLiteral("verbose"),
      QStringLiteral("Print the seed, the site count and the number of edges drawn."));
  const QCommandLineOption explain(
      QStringLiteral("explain"),
      QStringLiteral("Print how the edge finder treats each pair (all), or one pair of sites I "
                     "and J step by step (I-J), and exit without a window. With --save, the "
                     "picture of the pair's result is written instead of the account, or to a "
                     ".pdf file a handout of its lesson, to a .tex file a Beamer frame of it, to "
                     "a .html file the web edition opened at the lesson's first step (or step N)."),
      QStringLiteral("all|I-J"));
  const QCommandLineOption steps(
      QStringLiteral("steps"),
      QStringLiteral("With --explain I-J or --tour: print the lesson's or the tour's numbered "
                     "steps."));
  const QCommandLineOption step(
      QStringLiteral("step"),
      QStringLiteral("With --explain I-J or --tour: print step N; with --save, write its "
                     "picture."),
      QStringLiteral("N"));
  const QCommandLineOption detail(
      QStringLiteral("detail"),
      QStringLiteral("With --explain I-J: the lesson's detail, a step for every step of the "
                     "algorithm, instead of its overview of at most six steps."));
  const QCommandLineOption quiz(
      QStringLiteral("quiz"),
      QStringLiteral("With --save FILE.xml: N questions (1 to %1) on the run's pairs, \"Will "
                     "I-J get an edge?\", in Moodle's XML question format, each with its picture "
                     "and the reason as feedback.")
          .arg(kLargestQuiz),
      QStringLiteral("N"));
  const QCommandLineOption pick(
      QStringLiteral("pick"),
      QStringLiteral("With --explain I-J and --save to a .pdf or .tex file: keep only "
                     "these steps of the lesson, such as 1,4-6."),
      QStringLiteral("LIST"));
  const QCommandLineOption paper(
      QStringLiteral("paper"),
      QStringLiteral("With --explain I-J (or several pairs, I-J,K-L,...) and --save FILE.pdf: "
                     "a handout of the overview (or with --detail the detail) to print, on A4 "
                     "or US letter paper, dark on white, two steps to a page, each pair from a "
                     "page of its own."),
      QStringLiteral("a4|letter"));
  const QCommandLineOption blank(
      QStringLiteral("blank"),
      QStringLiteral("With --paper: the students' version, each step's question with room for "
                     "the answer."));
  const QCommandLineOption tour(
      QStringLiteral("tour"),
      QStringLiteral("With --steps or --step N, or --save to a .tex or .html file: a tour of "
                     "the edges, one drawn pair a step with its empty circle, then the counts."));
  const QCommandLineOption exact(
      QStringLiteral("exact"),
      QStringLiteral("Run the edge finder's steps again in exact arithmetic and print every "
                     "pair whose outcome differs from the floats', then how many; exits "
                     "without a window."));
  const QCommandLineOption findFailure(
      QStringLiteral("find-failure"),
      QStringLiteral("Search near the layout, for at most 5 seconds, for one where the floats "
                     "and exact arithmetic draw different edges, and print its site list."));
  const QCommandLineOption nudgeMap(
      QStringLiteral("nudge-map"),
      QStringLiteral("With --save FILE.png: a map of 256 x 256 moves of site K by units in the "
                     "last place of its stored x (across) and y (down), each cell dark where "
                     "the floats and exact arithmetic agree on pair I-J and bright where not."),
      QStringLiteral("I-J-K"));
  const QCommandLineOption grade(
      QStringLiteral("grade"),
      QStringLiteral("Grade the exercise results files named after the options, each verdict "
                     "recomputed from the sites and the answers: a line a verdict, then the "
                     "counts. Exits with 2 when a file is skipped."));
  const QCommandLineOption csv(
      QStringLiteral("csv"),
      QStringLiteral("With --grade: a line a file instead, for a class's table (file, name, "
                     "kind, seed, right, wrong, missed, score, out of, stored score matches, "
                     "why a file was skipped)."));
  const QCommandLineOption summary(
      QStringLiteral("summary"),
      QStringLiteral("With --grade: the class's mean and median score, and what most got "
                     "wrong on each layout the files share, hardest first."));
  const QCommandLineOption exercise(
      QStringLiteral("exercise"),
      QStringLiteral("With --seed N or A-B and --save FILE.pdf: sheets of the exercise to print "
                     "for a class, a page a seed, so each student has a layout of their own; "
                     "with --save FILE.html, the web edition opened on the exercise of seed N."),
      QStringLiteral("delaunay-edges|voronoi-piece|cut-point"));
  const QCommandLineOption answers(
      QStringLiteral("answers"),
      QStringLiteral("With --exercise and --save FILE.pdf: the key of the same sheets, every "
                     "answer given with its proof drawn."));
  parser.addOptions({help,    version, seed,     sites,  save,        scale,    style,
                     verbose, explain, steps,    step,   detail,      pick,     paper,
                     blank,   tour,    quiz,     exact,  findFailure, nudgeMap, grade,
                     csv,     summary, exercise, answers});

  if (!parser.parse(arguments)) {
    return usageError(parser.errorText(), parser);
  }
  if (parser.isSet(help)) {
    return {CommandLine::Action::PrintAndSucceed, {}, helpText(parser)};
  }
  if (parser.isSet(version)) {
    return {CommandLine::Action::PrintAndSucceed,
            {},
            QStringLiteral("voronoi-delaunay " VD_VERSION "\n")};
  }
  if (parser.isSet(grade)) {
    if (parser.positionalArguments().isEmpty() ||
        parser.optionNames().size() != 1 + parser.isSet(csv) + parser.isSet(summary) ||
        (parser.isSet(csv) && parser.isSet(summary))) {
      return usageError(
          QStringLiteral("--grade takes results files or folders, and --csv or --summary besides"),
          parser);
    }
    const QStringList files = parser.positionalArguments();
    Command command;
    command.mode = GradeMode{{files.begin(), files.end()},
                             parser.isSet(csv)       ? ReportForm::Table
                             : parser.isSet(summary) ? ReportForm::Summary
                                                     : ReportForm::Lines};
    return {CommandLine::Action::Run, command, {}};
  }
  if (parser.isSet(csv) || parser.isSet(summary)) {
    return usageError(QStringLiteral("--csv and --summary go with --grade"), parser);
  }
  if (!parser.positionalArguments().isEmpty()) {
    return usageError(
        QStringLiteral("Unexpected argument: ") + parser.positionalArguments().first(), parser);
  }
  if (parser.isSet(exercise)) {
    return exerciseCommand(parser);
  }
  if (parser.isSet(answers)) {
    return usageError(QStringLiteral("--answers goes with --exercise"), parser);
  }

  Command command;
  RunOptions& run = command.run;
  if (parser.isSet(seed)) {
    bool ok = false;
    const qulonglong value = parser.value(seed).toULongLong(&ok);
    if (!ok || value > kLargestSeed) {
      return usageError(QStringLiteral("--seed takes a whole number from 0 to %1, not %2")
                            .arg(kLargestSeed)
                            .arg(parser.value(seed)),
                        parser);
    }
    run.seed = static_cast<std::uint32_t>(value);
  }
  if (parser.isSet(sites)) {
    run.sitesFile = parser.value(sites);
  }
  if (parser.isSet(style)) {
    run.style = pictureStyleNamed(parser.value(style).toStdString());
    if (!run.style) {
      return usageError(
          QStringLiteral("--style takes normal or projector, not ") + parser.value(style), parser);
    }
  }
  run.verbose = parser.isSet(verbose);

  if (parser.isSet(quiz)) {
    bool ok = false;
    const int questions = parser.value(quiz).toInt(&ok);
    const QString file = parser.value(save);
    if (!ok || questions < 1 || !parser.isSet(save) ||
        outputKindFor(file) != OutputKind::MoodleQuiz || parser.isSet(explain) ||
        parser.isSet(tour) || parser.isSet(exact) || parser.isSet(findFailure) ||
        parser.isSet(nudgeMap) || parser.isSet(step) || parser.isSet(steps) ||
        parser.isSet(scale)) {
      return usageError(QStringLiteral("--quiz takes a number of questions from 1, with --save "
                                       "FILE.xml and --seed or --sites"),
                        parser);
    }
    if (questions > kLargestQuiz) {
      return usageError(QStringLiteral("--quiz takes at most %1 questions, not %2")
                            .arg(kLargestQuiz)
                            .arg(questions),
                        parser);
    }
    command.mode = QuizMode{questions, file};
    return {CommandLine::Action::Run, command, {}};
  }
  std::optional<Output> output;
  if (parser.isSet(save)) {
    const QString file = parser.value(save);
    const std::optional<OutputKind> kind = outputKindFor(file);
    if (!kind ||
        !holds(*kind, Holds::RunPicture | Holds::StepPicture | Holds::Lesson | Holds::Tour)) {
      return usageError(unknownOutputKind(file, Holds::RunPicture), parser);
    }
    output = Output{file, *kind};
  }
  const bool toPng = output && output->kind == OutputKind::Png;
  bool scaleOk = false;
  const int scaleValue = parser.value(scale).toInt(&scaleOk);
  if (!scaleOk || scaleValue < 1 || scaleValue > kLargestPngScale) {
    return usageError(QStringLiteral("--scale takes a whole number from 1 to %1, not %2")
                          .arg(kLargestPngScale)
                          .arg(parser.value(scale)),
                      parser);
  }
  if (parser.isSet(scale) && !(output && holds(output->kind, Holds::Scaled))) {
    return usageError(
        QStringLiteral("--scale goes with --save to a %1 file").arg(endingsHolding(Holds::Scaled)),
        parser);
  }
  if (output) {
    output->scale = scaleValue;
  }

  std::optional<ExplainRequest> explainRequest;
  if (parser.isSet(explain)) {
    explainRequest = parseExplainRequest(parser.value(explain));
    if (!explainRequest) {
      return usageError(QStringLiteral("--explain takes all or two site numbers I-J, not ") +
                            parser.value(explain),
                        parser);
    }
  }
  const bool exactSet = parser.isSet(exact), findFailureSet = parser.isSet(findFailure);
  const bool explainsOnePair = explainRequest && !explainRequest->allPairs;
  if ((exactSet && findFailureSet) ||
      (exactSet && !explainsOnePair && (explainRequest || output)) ||
      (findFailureSet && (explainRequest || output))) {
    return usageError(QStringLiteral("--exact and --find-failure go with --seed or --sites "
                                     "alone, or --exact with --explain I-J"),
                      parser);
  }
  if (parser.isSet(nudgeMap)) {
    const QStringList numbers = parser.value(nudgeMap).split(QLatin1Char('-'));
    int ijk[3] = {};
    bool ok = numbers.size() == 3;
    for (int n = 0; ok && n < 3; ++n) {
      ijk[n] = numbers[n].toInt(&ok);
    }
    if (!ok || !toPng || explainRequest || exactSet || findFailureSet) {
      return usageError(
          QStringLiteral("--nudge-map takes three site numbers I-J-K, with --save FILE.png"),
          parser);
    }
    command.mode = NudgeMapMode{ijk[0], ijk[1], ijk[2], *output};
    return {CommandLine::Action::Run, command, {}};
  }
  std::optional<int> stepNumber;
  if (parser.isSet(step)) {
    bool ok = false;
    stepNumber = parser.value(step).toInt(&ok);
    if (!ok || *stepNumber < 1) {
      return usageError(
          QStringLiteral("--step takes a step number from 1, not %1").arg(parser.value(step)),
          parser);
    }
  }
  const bool stepsSet = parser.isSet(steps), tourSet = parser.isSet(tour);
  const auto toKindHolding = [&](Holds what) { return output && holds(output->kind, what); };
  if (tourSet && (explainRequest || exactSet || findFailureSet ||
                  (output ? !stepNumber && !toKindHolding(Holds::Tour) &&
                                !(parser.isSet(paper) && output->kind == OutputKind::Pdf)
                          : !stepsSet && !stepNumber))) {
    return usageError(QStringLiteral("--tour goes with --steps, --step N (and --save FILE), "
                                     "--save FILE.tex or FILE.html, or --paper and FILE.pdf"),
                      parser);
  }
  constexpr Holds aStep = Holds::StepPicture | Holds::OpensAtStep;
  if (stepNumber && output && !toKindHolding(aStep)) {
    return usageError(
        QStringLiteral("--step N goes with --save to a %1 file").arg(endingsHolding(aStep)),
        parser);
  }
  if ((stepsSet || stepNumber) && !explainsOnePair && !tourSet) {
    return usageError(QStringLiteral("--steps and --step go with --explain I-J or --tour"), parser);
  }
  if (stepsSet && stepNumber) {
    return usageError(QStringLiteral("give --steps or --step N, not both"), parser);
  }
  if (parser.isSet(detail) && (!explainsOnePair || exactSet)) {
    return usageError(QStringLiteral("--detail goes with --explain I-J"), parser);
  }
  std::vector<int> picked;
  if (parser.isSet(pick)) {
    const auto pickedSteps = parsePick(parser.value(pick));
    if (!pickedSteps || !explainsOnePair || stepNumber || !toKindHolding(Holds::PickedSteps)) {
      return usageError(QStringLiteral("--pick takes step numbers such as 1,4-6, with "
                                       "--explain I-J and --save to a %1 file")
                            .arg(endingsHolding(Holds::PickedSteps)),
                        parser);
    }
    picked = *pickedSteps;
  }
  std::optional<Paper> paperSize;
  if (parser.isSet(paper)) {
    paperSize = paperNamed(parser.value(paper));
    // Said of the option that does not fit, first found.
    const QString misfit =
        !paperSize   ? QStringLiteral("takes a4 or letter")
        : stepNumber ? QStringLiteral("prints every step: not with --step")
        : parser.isSet(blank) && (parser.isSet(detail) || tourSet)
            ? QStringLiteral("--blank asks the overview's questions: not with --detail or --tour")
        : !explainsOnePair && !tourSet
            ? QStringLiteral("goes with --explain I-J (or I-J,K-L,...) or --tour")
        : !output || output->kind != OutputKind::Pdf ? QStringLiteral("goes with --save FILE.pdf")
                                                     : QString();
    if (!misfit.isEmpty()) {
      return usageError(QStringLiteral("--paper %1 (a4 or letter, with --explain I-J, several "
                                       "pairs or --tour, and --save FILE.pdf)")
                            .arg(misfit),
                        parser);
    }
  }
  if (parser.isSet(blank) && !paperSize) {
    return usageError(QStringLiteral("--blank goes with --paper"), parser);
  }
  if (explainRequest && !explainRequest->more.empty() && !paperSize) {
    return usageError(QStringLiteral("--explain takes several pairs (%1) only with --paper, for "
                                     "a printed handout")
                          .arg(parser.value(explain)),
                      parser);
  }

  if (tourSet) {
    command.mode = TourMode{stepNumber.value_or(0), output, paperSize};
  } else if (findFailureSet) {
    command.mode = FindFailureMode{};
  } else if (exactSet && !explainRequest) {
    command.mode = ExactMode{};
  } else if (explainsOnePair) {
    ExplainPairMode pair;
    pair.i = explainRequest->i;
    pair.j = explainRequest->j;
    // Exact arithmetic's agreement is told step by step, in the detail; a file asked for
    // takes the account's place.
    pair.print = stepsSet || exactSet ? ExplainPairMode::Print::Steps
                 : stepNumber         ? ExplainPairMode::Print::OneStep
                 : output             ? ExplainPairMode::Print::Nothing
                                      : ExplainPairMode::Print::Account;
    pair.level = parser.isSet(detail) || exactSet ? LessonLevel::Detail : LessonLevel::Overview;
    pair.step = stepNumber.value_or(0);
    pair.picked = picked;
    pair.paper = paperSize;
    pair.morePairs = explainRequest->more;
    pair.blank = parser.isSet(blank);
    pair.exact = exactSet;
    pair.output = output;
    command.mode = pair;
  } else if (explainRequest) {
    command.mode = ExplainAllMode{output};
  } else if (output) {
    command.mode = SaveMode{*output};
  }
  return {CommandLine::Action::Run, command, {}};
}

}  // namespace app
