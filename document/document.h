#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUndoStack>
#include <cstdint>
#include <functional>
#include <optional>

#include "picture/picture.h"
#include "run/layout.h"
#include "run/run.h"

namespace app {

// The layout being worked on and the run that shows it, with the history of its changes
// and its files. Every change of the sites runs the whole demonstration again with the
// layout's seed and sites, so the picture is always the one a run with those sites and
// that seed draws, whether the sites were drawn at random, read from a file or edited.
//
// Pointer positions are window pixels of the run's frame. A site is added by a press away
// from the sites, moved by a drag (the picture follows at every step; the history gets one
// step when the button is released), and removed, replaced or drawn anew by the calls below.
//
// Every change of the layout after the start is kept at once in lastLayoutFile() (at most once
// a second while a site is dragged), so that a layout survives a closed window, a crash or a
// kill.
class Document final : public QObject {
  Q_OBJECT

 public:
  Document();

  // Starts with the run of the request, outside the history. A run that stops keeps what
  // it drew in current().picture and its error in current().error.
  void start(const RunRequest& request);
  // Runs the layout and shows it, outside the history; a run that stops changes nothing.
  void runLayout(const Layout& layout);

  [[nodiscard]] const RunResult& current() const { return current_; }
  [[nodiscard]] const Layout& layout() const { return current_.layout; }
  [[nodiscard]] QUndoStack& history() { return history_; }

  // The left button pressed at (x, y): grabs the site there, or adds one. False when a new
  // site is refused because the layout holds the most sites it can.
  bool press(double x, double y);
  // The pointer moved to (x, y) with the button down.
  void drag(double x, double y);
  // The button released: a drag that moved its site becomes one step.
  void release();
  [[nodiscard]] bool dragging() const { return grabbed_.has_value(); }
  // Removes the site under (x, y), if there is one and no site is being dragged.
  void removeAt(double x, double y);
  // New random sites, seeded from the clock, or from `seeds` once it is given.
  void newRun();
  void setNewRunSeeds(std::function<std::uint32_t()> seeds) { newRunSeeds_ = std::move(seeds); }
  // Puts a whole new layout on screen, as one step of the history named `what`.
  void replace(Layout layout, const QString& what);

  // The layout as a site list, and back; the file versions write and read whole files. Each
  // returns what went wrong, or an empty string.
  [[nodiscard]] QString siteListText() const;
  QString pasteSiteList(const QByteArray& text, const QString& source);
  QString saveSiteList(const QString& path);
  QString openSiteList(const QString& path);
  // Puts the last layout kept on screen, as a step of the history.
  QString openLastLayout();
  // Whether the layout has changed since the start, or since it was last saved or opened.
  [[nodiscard]] bool hasUnsavedChanges() const { return !history_.isClean(); }
  // Writes the picture shown, in the format its file name asks for, with a text alternative
  // that describes it (see svgDocument).
  static QString savePicture(const QString& path, const Picture& shown,
                             const QString& description = {});

 signals:
  // A new picture is current.
  void changed();
  // A run of an edited layout stopped with this message; the previous picture stays.
  void runFailed(const QString& message);
  // The last layout could not be kept; said once.
  void keepingFailed(const QString& message);

 private:
  void show(const Layout& layout);
  // Writes the layout to the last layout's file, or soon while a drag goes on.
  void keepLayout();
  void writeKeptLayout();
  template <class Read>
  QString useSiteList(Read read, const QString& source, const QString& what);

  RunResult current_;
  QUndoStack history_;
  std::optional<std::size_t> grabbed_;  // the site being dragged
  double offsetX_ = 0, offsetY_ = 0;    // from the pointer to the grabbed site
  Layout beforeDrag_;
  QTimer keepTimer_;         // a write of the kept layout that waits for the drag's second
  QElapsedTimer sinceKept_;  // since the last write
  bool keepingFailed_ = false;
  std::function<std::uint32_t()> newRunSeeds_;
};

}  // namespace app
