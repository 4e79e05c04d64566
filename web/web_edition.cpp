#include "web_edition.h"

#include <stdexcept>
#include <utility>

#include "exercises/results_file.h"
#include "explanation/exact_layer.h"
#include "geometry/window_frame.h"
#include "picture/svg_picture.h"
#include "run/failure_search.h"
#include "run/site_list.h"
#include "session/actions.h"
#include "session/shown_picture.h"
#include "session_address.h"
#include "steps/exact_steps.h"

namespace app {

namespace {

using geometry::kWindowFrame;

}  // namespace

WebEdition::WebEdition() : on_(actions().size(), false) {
  for (std::size_t n = 0; n < actions().size(); ++n) {
    on_[n] = actions()[n].id == ActionId::ToggleLayer;  // every layer shown
  }
  history_.setListener({[this] { pictureChanged(); }, nullptr,
                        [this](const std::string& message) { refused_ = message; }});
}

void WebEdition::open(const std::string& fragment, std::uint32_t randomSeed) {
  problems_.clear();
  const WebAddress address = parseAddress(fragment, problems_);
  on_[placeOf(ActionId::ProjectorStyle)] = address.style == PictureStyle::Projector;
  for (std::size_t n = 0; n < actions().size(); ++n) {
    if (actions()[n].id == ActionId::ToggleLayer) {
      on_[n] = address.layers.shows(actions()[n].layer);
    }
  }
  explanation_.leave();
  exercise_.leave();
  const std::uint32_t seed = address.seed.value_or(randomSeed);
  history_.start(RunRequest{seed, address.sites});
  if (!history_.current().completed()) {
    problems_.push_back("these sites stop the run (" + history_.current().error +
                        "); the seed's own are shown");
    history_.start(RunRequest{seed, std::nullopt});
  }
  applyView();
  pictureChanged();
  const RunResult& run = history_.current();
  const auto stepTo = [&] {
    if (address.step > 0) {
      explanation_.showStep(static_cast<std::ptrdiff_t>(address.step) - 1);
    }
  };
  switch (address.view) {
    case WebAddress::View::Pair:
      explanation_.enter(run, style());
      explanation_.selectPair(address.i, address.j);
      if (explanation_.explorer() == nullptr || explanation_.explorer()->i() != address.i ||
          explanation_.explorer()->j() != address.j) {
        problems_.push_back("the layout has no pair " + std::to_string(address.i) + "-" +
                            std::to_string(address.j));
      }
      if (address.detail) {
        explanation_.switchLevel(run, style());
      }
      stepTo();
      break;
    case WebAddress::View::Tour:
      explanation_.startTour(run, style());
      stepTo();
      break;
    case WebAddress::View::Exercise:
      startExercise(address.exercise);
      break;
    case WebAddress::View::Diagram:
      break;
  }
}

std::string WebEdition::address() const {
  const Layout& layout = history_.layout();
  if (!seedLayout_ || seedLayout_->seed != layout.seed) {
    seedLayout_ = runDemonstration(RunRequest{layout.seed, std::nullopt}).layout;
  }
  WebAddress shown = layoutAddress(layout, *seedLayout_, style());
  shown.layers = shownLayers();
  return addressText(sessionAddress(std::move(shown), explanation_, &exercise_));
}

void WebEdition::press(double x, double y) {
  pointerX_ = x;
  pointerY_ = y;
  refused_.clear();
  activeMode().press(x, y);
}

void WebEdition::drag(double x, double y) {
  pointerX_ = x;
  pointerY_ = y;
  activeMode().drag(x, y);
}

void WebEdition::release() {
  activeMode().release();
}

void WebEdition::hover(double x, double y) {
  pointerX_ = x;
  pointerY_ = y;
}

SessionMode& WebEdition::activeMode() {
  return const_cast<SessionMode&>(std::as_const(*this).activeMode());
}

const SessionMode& WebEdition::activeMode() const {
  switch (activeModeKind(exercise_.active(), explanation_.active())) {
    case ModeKind::Exercise:
      return exercise_;
    case ModeKind::Explanation:
      return explanation_;
    case ModeKind::Editing:
      break;
  }
  return editing_;
}

PictureStyle WebEdition::style() const {
  return on_[placeOf(ActionId::ProjectorStyle)] ? PictureStyle::Projector : PictureStyle::Normal;
}

ShownLayers WebEdition::shownLayers() const {
  ShownLayers layers;
  for (std::size_t n = 0; n < actions().size(); ++n) {
    if (actions()[n].id == ActionId::ToggleLayer) {
      layers.set(actions()[n].layer, on_[n]);
    }
  }
  return layers;
}

void WebEdition::applyView() {
  editing_.setView(shownLayers(), style());
  explanation_.setStyle(style());
  exercise_.setStyle(style());
}

void WebEdition::pictureChanged() {
  explanation_.leave();
  exactMarks_.clear();
  const RunResult& run = history_.current();
  if (on_[placeOf(ActionId::ExactLayer)] && run.completed()) {
    exactMarks_ =
        exactLayerPicture(*run.sites, geometry::pairsDifferingFromExact(kWindowFrame, *run.sites));
  }
}

void WebEdition::startExercise(ExerciseKind kind) {
  explanation_.leave();
  try {
    exercise_.start(kind, history_.layout().seed, style());
  } catch (const std::runtime_error& error) {  // a seed that gives no exercise layout
    refused_ = error.what();
  }
}

std::optional<std::size_t> WebEdition::actionOfKey(const std::string& browserName) const {
  std::optional<std::size_t> first, usable;
  for (std::size_t n = 0; n < actions().size(); ++n) {
    for (const std::string& key : actions()[n].keys) {
      if (browserKey(key) == browserName) {
        first = first.value_or(n);
        usable = !usable && enabled(n) ? n : usable;
      }
    }
  }
  return usable ? usable : first;
}

bool WebEdition::enabled(std::size_t place) const {
  if (place >= actions().size()) {
    return false;
  }
  const Action& action = actions()[place];
  switch (action.id) {
    case ActionId::OpenLastLayout:
      return false;  // a page keeps nothing from one visit to the next
    case ActionId::Undo:
      return exercise_.active() || history_.canUndo();
    case ActionId::Redo:
      return history_.canRedo();
    default:
      break;
  }
  return usableNow(action.when, {exercise_.active(), explanation_.active(), explanation_.asking()});
}

bool WebEdition::checked(std::size_t place) const {
  if (place == placeOf(ActionId::Explain)) {
    return explanation_.active();
  }
  if (place == placeOf(ActionId::FullScreen)) {
    return fullScreen_;
  }
  if (place == placeOf(ActionId::WholeDiagram)) {
    return explanation_.wholeDiagramShown();
  }
  return place < on_.size() && actions()[place].checkable && on_[place];
}

WebEdition::Effect WebEdition::act(std::size_t place) {
  if (!enabled(place)) {
    return Effect::None;
  }
  refused_.clear();
  const Action& action = actions()[place];
  const auto flip = [&] { on_[place] = !on_[place]; };
  const RunResult& run = history_.current();
  switch (action.id) {
    case ActionId::NewRun:
      history_.newRun(std::nullopt);
      break;
    case ActionId::Undo:
      activeMode().takeBack();
      break;
    case ActionId::Redo:
      history_.redo();
      break;
    case ActionId::RemoveSite:
      if (!explanation_.active() && !exercise_.active()) {
        history_.removeAt(pointerX_, pointerY_);
      }
      break;
    case ActionId::CopySites:
      return Effect::Copy;
    case ActionId::PasteSites:
      return Effect::Paste;
    case ActionId::OpenSites:
      return Effect::Open;
    case ActionId::OpenLastLayout:
      break;
    case ActionId::SaveSites:
      return Effect::SaveSites;
    case ActionId::SavePicture:
      return exercise_.active() ? Effect::SaveResults : Effect::SavePicture;
    case ActionId::ToggleLayer:
    case ActionId::ProjectorStyle:
      flip();
      applyView();
      break;
    case ActionId::Explain:
      if (explanation_.active()) {
        explanation_.leave();
      } else {
        exercise_.leave();
        explanation_.enter(run, style());
      }
      break;
    case ActionId::NextPair:
    case ActionId::PreviousPair:
      explanation_.stepPair(action.id == ActionId::NextPair ? 1 : -1);
      break;
    case ActionId::NextStep:
    case ActionId::PreviousStep:
      explanation_.moveStep(action.id == ActionId::NextStep ? 1 : -1);
      break;
    case ActionId::FirstStep:
      explanation_.showStep(0);
      break;
    case ActionId::LastStep:
      explanation_.showStep(PTRDIFF_MAX);
      break;
    case ActionId::SwitchLevel:
      explanation_.switchLevel(run, style());
      break;
    case ActionId::WholeDiagram:
      explanation_.showWholeDiagram(!explanation_.wholeDiagramShown());
      break;
    case ActionId::Leave:
      explanation_.leave();
      exercise_.leave();
      break;
    case ActionId::Tour:
      exercise_.leave();
      explanation_.startTour(run, style());
      break;
    case ActionId::Ask:
      exercise_.leave();
      explanation_.ask(run, style());
      break;
    case ActionId::AnswerYes:
    case ActionId::AnswerNo:
      explanation_.answer(action.id == ActionId::AnswerYes);
      break;
    case ActionId::DrawEdgesExercise:
      startExercise(ExerciseKind::DelaunayEdges);
      break;
    case ActionId::FindPieceExercise:
      startExercise(ExerciseKind::VoronoiPiece);
      break;
    case ActionId::PlaceCutExercise:
      startExercise(ExerciseKind::CutPoint);
      break;
    case ActionId::CheckExercise:
      exercise_.check();
      break;
    case ActionId::AnswerNoneOrPasses:
    case ActionId::AnswerBlocks:
      exercise_.answerWithout(action.id == ActionId::AnswerBlocks ? CutAnswer::Says::Blocks
                                                                  : CutAnswer::Says::Passes);
      break;
    case ActionId::Probe:
    case ActionId::BlankScreen:
      flip();
      break;
    case ActionId::ExactLayer:
      flip();
      pictureChanged();
      break;
    case ActionId::FindFailure:
      if (const auto found = findRoundingFailure(history_.layout())) {
        on_[placeOf(ActionId::ExactLayer)] = true;
        history_.replace(found->layout, "Find a failure");
      } else {
        refused_ =
            "No layout near this one where rounding changes an edge was found within 5 "
            "seconds; try other sites.";
      }
      break;
    case ActionId::FullScreen:
      return Effect::FullScreen;
    case ActionId::Help:
      return Effect::Help;
    case ActionId::MoveSiteLeft:
    case ActionId::MoveSiteRight:
      editing_.moveSelected(action.id == ActionId::MoveSiteLeft ? -1 : 1, 0);
      break;
    case ActionId::MoveSiteUp:
    case ActionId::MoveSiteDown:
      editing_.moveSelected(0, action.id == ActionId::MoveSiteUp ? -1 : 1);
      break;
  }
  return Effect::None;
}

std::string WebEdition::openSiteList(const std::string& text) {
  try {
    const SiteList list = parseSites(text);
    explanation_.leave();
    exercise_.leave();
    if (!history_.replace(Layout{list.seed.value_or(history_.layout().seed), list.sites},
                          "Open site list")) {
      return refused_;
    }
    return {};
  } catch (const SiteFileError& error) {
    return error.what();
  }
}

Picture WebEdition::picture() const {
  Overlays overlays;
  overlays.blank = on_[placeOf(ActionId::BlankScreen)];
  overlays.exact =
      on_[placeOf(ActionId::ExactLayer)] && !explanation_.active() ? &exactMarks_ : nullptr;
  overlays.probe = on_[placeOf(ActionId::Probe)];
  overlays.pointerX = pointerX_;
  overlays.pointerY = pointerY_;
  return shownPicture(activeMode(), overlays, history_.layout().sites, style());
}

std::string WebEdition::pictureFile() const {
  return fileOf(picture());
}

std::string WebEdition::fileOf(const Picture& items) const {
  return svgDocument(items, kWindowFrame.clientWidth, kWindowFrame.clientHeight,
                     description(items));
}

std::string WebEdition::description(const Picture& items) const {
  return explanation_.active() ? explanation_.line() : pictureDescription(items);
}

std::string WebEdition::svg() const {
  return svg(picture());
}

// The file's own <svg> element, so that the page and the file cannot differ.
std::string WebEdition::svg(const Picture& items) const {
  std::string element = fileOf(items);
  element.erase(0, element.find('\n') + 1);  // the XML declaration
  element.pop_back();                        // the file's last line end
  return element;
}

std::string WebEdition::line() const {
  return activeMode().line();
}

std::string WebEdition::heading() const {
  return explanation_.active() ? explanation_.heading() : std::string();
}

std::string WebEdition::refusal() const {
  return refused_.empty() ? activeMode().refusal() : refused_;
}

std::string WebEdition::siteList() const {
  return siteListText(history_.layout().seed, history_.layout().sites);
}

std::string WebEdition::resultsFile(const std::string& name) const {
  return exercise_.active() ? resultsJson(exercise_.results(name)) : std::string();
}

}  // namespace app
