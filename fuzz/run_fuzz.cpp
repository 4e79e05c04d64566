// Feeds raw bytes to the site-list parser and, for every list it accepts, does what the
// program does with one: the run, the PNG and SVG files in memory, the explanation of every
// pair, and the account, the lesson and a step's picture at either level of one pair, and a
// step of the tour. An accepted list must
// always run to the end.
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "explanation/explanation_picture.h"
#include "explanation/explanation_text.h"
#include "explanation/lesson.h"
#include "explanation/tour.h"
#include "picture_output/picture_file.h"
#include "run/run.h"
#include "run/site_list.h"
#include "steps/literal_steps.h"

namespace {

using geometry::kWindowFrame;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  app::SiteList list;
  try {
    list = app::parseSites(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const app::SiteFileError&) {
    return 0;
  }
  const app::RunResult run = app::runDemonstration({list.seed.value_or(1), list.sites});
  if (!run.completed()) {
    __builtin_trap();  // the parser let through a list the edge finder cannot take
  }
  const int width = kWindowFrame.clientWidth, height = kWindowFrame.clientHeight;
  for (const auto format : {app::PictureFormat::Png, app::PictureFormat::Svg,
                            app::PictureFormat::Pdf, app::PictureFormat::Tex}) {
    if (app::pictureBytes(run.picture, width, height, format, 1).isEmpty()) {
      __builtin_trap();
    }
  }
  std::size_t lines = 0;
  for (const geometry::ScannedPair& pair : geometry::followEveryPair(kWindowFrame, *run.sites)) {
    lines += app::resultLine(pair.i, pair.j, pair.outcome).size();
  }
  const int j = 1 + static_cast<int>(size % static_cast<std::size_t>(run.sites->nSites - 1)) + 1;
  const app::Lesson lesson =
      app::lessonOf(geometry::explainPair(kWindowFrame, *run.sites, 1, j), *run.sites);
  const std::string text = app::accountText(lesson.account, *run.sites);
  const std::size_t step = size % lesson.steps.size();
  const auto style = size % 2 == 0 ? app::PictureStyle::Normal : app::PictureStyle::Projector;
  const app::Picture picture = app::lessonStepPicture(run.picture, lesson, step, *run.sites, style);
  app::pictureBytes(picture, width, height, app::PictureFormat::Png, 1);
  // The overview's step, and a step of the tour, with their texts in boxes or beside.
  const auto where = size % 3 == 0 ? app::StepText::Beside : app::StepText::InBox;
  app::pictureBytes(app::overviewStepPicture(run.picture, lesson, size % lesson.overview.size(),
                                             *run.sites, style, where),
                    width, height, app::PictureFormat::Svg, 1);
  const app::Tour tour = app::tourOf(*run.sites);
  app::pictureBytes(
      app::tourStepPicture(run.picture, tour, size % tour.count(), *run.sites, style, where), width,
      height, app::PictureFormat::Svg, 1);
  if (lines == 0 || text.empty()) {
    __builtin_trap();
  }
  return 0;
}
