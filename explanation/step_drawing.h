#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "geometry/sites.h"
#include "label_placer.h"
#include "picture/colour.h"
#include "picture/picture.h"
#include "picture/picture_style.h"
#include "picture/pixel_geometry.h"
#include "steps/literal_steps.h"

namespace app {

// What the pictures of a lesson's steps, at either level, are drawn with: the colours of
// their marks, a builder that draws in the edge finder's coordinates, the text box, the
// legend, and arrows at the border for what lies outside the picture.

inline constexpr Colour kBisector = rgb(70, 120, 210);
inline constexpr Colour kCompetitorLine = rgb(230, 140, 50);
inline constexpr Colour kShadowedPiece = rgb(150, 60, 60);
inline constexpr Colour kSurvivingPiece = rgb(255, 0, 0);
inline constexpr Colour kTestedPiece = rgb(255, 230, 120);
inline constexpr Colour kTick = rgb(240, 200, 60);
inline constexpr Colour kSortedPlace = rgb(120, 220, 255);  // "#3": a place, not a site
inline constexpr Colour kPairSite = rgb(90, 255, 130);
inline constexpr Colour kBlocking = rgb(255, 90, 255);
inline constexpr Colour kEmptyCircle = rgb(90, 255, 130);
inline constexpr Colour kPassing = rgb(130, 130, 130);
inline constexpr Colour kProofCircle = rgb(190, 190, 255);  // beside kCompetitorLine
inline constexpr Colour kNumber = rgb(210, 210, 210);
inline constexpr int kSmallText = 8;  // points

// Where a step's line goes: in a box on its picture, as the window shows it, or beside the
// picture, as slides and handouts print it under theirs.
enum class StepText { InBox, Beside };

// The colours of the first sites that shadow pieces, one site each: bright on the black
// ground, in hues apart from the pair's green and the bisector's blue, and apart from each
// other and from kShadowedPiece by at least kShadowLightnessStep in CIE lightness L*, so
// that they stay apart in greyscale and for the common colour-vision deficiencies. Further
// sites share kShadowedPiece.
inline constexpr std::array<Colour, 4> kShadowColours{rgb(255, 240, 140), rgb(255, 180, 220),
                                                      rgb(230, 140, 30), rgb(140, 95, 255)};
inline constexpr double kShadowLightnessStep = 12;
// The colour of the n-th site that shadows pieces, from 0.
Colour shadowColour(std::size_t n);

// The label of a cut point's place in the sorted list: "#3".
std::string sortedPlace(std::size_t place);

// The run's picture dimmed, as the ground of a step's picture.
Picture dimmedPicture(const Picture& normal);

// What lies under a step of a pair's lesson. Until the result step the sites alone (their
// circles and the count), so that the picture does not answer the lesson's question before
// the lesson does; from then on, or whenever the learner asks for it, the whole finished
// diagram, dimmed.
enum class LessonGround { UntilTheAnswer, WholeDiagram };

// The ground of a step: the run's picture dimmed, without its edges unless `wholeDiagram`.
Picture lessonGround(const Picture& normal, bool wholeDiagram);

// A line of the legend: a sample of a mark in its colour, and what it means.
struct LegendEntry {
  Colour colour;
  std::string meaning;
  bool ring = false;  // a ring rather than a line
};

// The legend's first lines, for every step of a pair: its bisector and its two sites.
std::vector<LegendEntry> pairLegend(const geometry::PairAccount& a);

// Which part of the segment from a to b, in window pixels, shows in the picture, as the
// fractions of the way from a where it enters and leaves (Liang and Barsky's clipping); none
// when it misses it.
std::optional<std::pair<double, double>> visibleSpan(PixelPoint a, PixelPoint b);

// Where piece p of the account's sorted cut list shows in the picture: the middle of the part
// shown and its length, in window pixels; none when the picture does not show it.
struct VisiblePiece {
  PixelPoint middle;
  double length;
};
std::optional<VisiblePiece> visiblePiece(const geometry::PairAccount& a, int piece);
// A piece shown shorter than this, in window pixels, needs a mark to be seen (a dot).
inline constexpr double kShortestVisiblePiece = 4;

// A label of a mark, in window pixels: a tick's site or place, the site that shadows a run of
// pieces.
struct MarkLabel {
  PixelPoint at;
  std::string text;
  Colour colour;
};

// Draws a step's marks in the edge finder's domain coordinates, shifted into the window,
// and keeps the points the step names, so that no box covers them and those outside the
// picture get an arrow at the border.
class StepDrawing {
 public:
  StepDrawing(Picture& picture, const geometry::SiteColumns& sites, int textFactor);

  void line(double x1, double y1, double x2, double y2, Colour colour, float width = 1);
  // A line from (x, y) to site k.
  void lineToSite(double x, double y, int k, Colour colour);
  void ring(int k, Colour colour, float radius = 6);
  // The circle about (x, y) through site k.
  void circleThrough(double x, double y, int k, Colour colour);
  // A tick across the bisector y = m1 x + c1 at (x, y).
  void tick(const geometry::PairRecord& r, double x, double y, Colour colour);
  // Piece p of the account's sorted cut list.
  void piece(const geometry::PairAccount& a, const geometry::PieceStep& p, Colour colour,
             float width);
  // A dot at a point of the picture, in window pixels, on a mark too small to see otherwise.
  void dot(PixelPoint at, Colour colour);
  // The circle about the piece's midpoint through site i, in `colour`, and its centre.
  void circleAbout(const geometry::PairAccount& a, const geometry::PieceStep& p, Colour colour);
  // The test of the account's piece `index`: the pieces before it faint, the piece, its
  // circle, empty or with `shadower`, a site inside it, ringed and joined to the midpoint.
  void testedPiece(const geometry::PairAccount& a, std::size_t index, int shadower);
  // Competitor k's bisector with site i, across the domain box.
  void competitorLine(const geometry::PairAccount& a, int k);
  // The quadrant of site j around site i: two rays from site i, towards j's side.
  void quadrant(const geometry::PairAccount& a);

  // An area of the picture under this drawing (a legend of its own, a label) that the text
  // box, the legend and the labels keep clear of.
  void keepClear(const PixelRect& area) { labels_.reserve(area); }
  // A label of a mark, after topLayer, where the other labels leave room.
  void label(const MarkLabel& label) {
    labels_.place(static_cast<float>(label.at.x()), static_cast<float>(label.at.y()), label.text,
                  label.colour);
  }

  // A point the step names, in domain coordinates, with the label its arrow gets when it
  // lies outside the picture ("10", "M").
  void name(double x, double y, const std::string& label);
  void nameSite(int k);

  // Lays out what goes on top of the marks, keeping its areas free of labels: the step's
  // text (if any) in a box, wrapped to the picture's width, at the bottom or else at the top,
  // wherever it covers no point the step names (where both would, no box is drawn: the
  // step's line stands beside the picture, in the panel or on the command line); the legend
  // in a corner where it covers neither; the arrows for named points outside the picture.
  // Returns the items, to be added last.
  Picture topLayer(const std::string& text, const std::vector<LegendEntry>& legend);

  // The labels, after topLayer: the pair's sites first (none for 0), then `extra` labels
  // (of ticks, or of coloured pieces), then every other site; none over a ring, a ringed
  // site's number just outside its ring.
  void labelSites(int i, int j, const std::vector<MarkLabel>& extra);

  // The picture drawn, in the style; on paper, after topLayer, with the marks its legend
  // names in looks apart in greyscale (withPrintMarks).
  [[nodiscard]] Picture styled(Picture picture, PictureStyle style) const;

  [[nodiscard]] const geometry::SiteColumns& sites() const { return sites_; }

 private:
  struct Named {
    PixelPoint at;  // window pixels
    std::string label;
  };
  [[nodiscard]] bool coversNamed(const PixelRect& area) const;
  void addLegend(Picture& top, const std::vector<LegendEntry>& legend);

  Picture& picture_;
  const geometry::SiteColumns& sites_;
  int textFactor_;
  LabelPlacer labels_;
  std::vector<Named> named_;
  std::vector<std::pair<int, float>> rings_;  // the ringed sites and their rings' radii
  std::vector<LegendMark> legendMarks_;       // what the legend names, in its order
};

}  // namespace app
