#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "picture/layers.h"
#include "picture/picture_style.h"
#include "session/editing_session.h"
#include "session/exercise_session.h"
#include "session/explanation_session.h"
#include "session/layout_history.h"
#include "web_address.h"

namespace app {

// The whole instrument as the web page drives it: the layout with its history, the three
// modes, the layers, the style and the marks over the picture, and the address that says
// what is shown. The page's script passes pointer and key events in and puts the picture
// (an <svg> element, element for element what the desktop saves as SVG) and the texts on
// the page; everything else is decided here. Positions are window pixels of the run's frame.
class WebEdition {
 public:
  WebEdition();

  // Opens what the address (the text after '#') names; parts that cannot be used are left
  // out and said by problems(). An empty address opens a new random layout.
  void open(const std::string& fragment, std::uint32_t randomSeed);
  [[nodiscard]] std::string address() const;
  [[nodiscard]] const std::vector<std::string>& problems() const { return problems_; }

  // The main button (or a finger, or a pen) pressed, moved and released; the pointer seen
  // without a button, for the nearest-site circle and for removing the site under it.
  void press(double x, double y);
  void drag(double x, double y);
  void release();
  void hover(double x, double y);

  // What the page does besides showing the new state after an action: copy the site list,
  // paste one, open a file of one, download a file (siteListFile(), pictureFile(),
  // resultsFile()), go full screen, show the help.
  enum class Effect {
    None,
    Copy,
    Paste,
    Open,
    SaveSites,
    SavePicture,
    SaveResults,
    FullScreen,
    Help
  };
  // The action at this place of the action table (session/actions.h); None when it cannot
  // be used now.
  Effect act(std::size_t action);
  // The action whose key this is, as a browser names it (of two with the key, the one that
  // can be used now); nullopt when none has it.
  [[nodiscard]] std::optional<std::size_t> actionOfKey(const std::string& browserName) const;
  [[nodiscard]] bool enabled(std::size_t action) const;
  [[nodiscard]] bool checked(std::size_t action) const;

  // A site list pasted, dropped or opened; the problem with it, or "" once it is shown.
  std::string openSiteList(const std::string& text);

  [[nodiscard]] std::string svg() const;  // the picture shown, an <svg> element
  [[nodiscard]] Picture picture() const;  // its items
  // The <svg> element of these items, and what its <desc> says of them: the lesson's line,
  // or what the picture shows.
  [[nodiscard]] std::string svg(const Picture& items) const;
  [[nodiscard]] std::string description(const Picture& items) const;
  [[nodiscard]] std::string line() const;         // what it shows, for the live region
  [[nodiscard]] std::string heading() const;      // the lesson's or the quiz's heading
  [[nodiscard]] std::string refusal() const;      // why the last press did nothing
  [[nodiscard]] std::string siteList() const;     // the layout as a site list
  [[nodiscard]] std::string pictureFile() const;  // the picture shown as an SVG file
  [[nodiscard]] std::string resultsFile(const std::string& name) const;  // the exercise's
  [[nodiscard]] bool exercising() const { return exercise_.active(); }
  [[nodiscard]] bool explaining() const { return explanation_.active(); }
  [[nodiscard]] bool fullScreen() const { return fullScreen_; }
  void setFullScreen(bool on) { fullScreen_ = on; }
  [[nodiscard]] const LayoutHistory& history() const { return history_; }

 private:
  [[nodiscard]] std::string fileOf(const Picture& items) const;
  [[nodiscard]] SessionMode& activeMode();
  [[nodiscard]] const SessionMode& activeMode() const;
  [[nodiscard]] PictureStyle style() const;
  // The view changed (a layer, the style): every mode draws again.
  void applyView();
  // A new picture of the layout: a lesson of the old one ends, the exact layer compares anew.
  void pictureChanged();
  void startExercise(ExerciseKind kind);
  [[nodiscard]] ShownLayers shownLayers() const;  // as the layer switches stand

  LayoutHistory history_;
  EditingSession editing_{history_};
  ExplanationSession explanation_;
  ExerciseSession exercise_;
  std::vector<bool> on_;  // the checked state of each checkable action, by place in the table
  Picture exactMarks_;
  double pointerX_ = -100, pointerY_ = -100;
  bool fullScreen_ = false;
  std::vector<std::string> problems_;
  std::string refused_;                       // why the last action could not be done
  mutable std::optional<Layout> seedLayout_;  // the layout the seed itself draws
};

}  // namespace app
