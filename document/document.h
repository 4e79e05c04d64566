#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>

#include "picture/picture.h"
#include "run/layout.h"
#include "run/run.h"
#include "session/layout_history.h"

namespace app {

// The window's side of the layout being worked on (session/layout_history.h): its history,
// its files, and signals for what changed.
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

  [[nodiscard]] const RunResult& current() const { return history_.current(); }
  [[nodiscard]] const Layout& layout() const { return history_.layout(); }
  [[nodiscard]] LayoutHistory& history() { return history_; }
  [[nodiscard]] const LayoutHistory& history() const { return history_; }

  // The left button pressed at (x, y): grabs the site there, or adds one. False when a new
  // site is refused because the layout holds the most sites it can.
  bool press(double x, double y);
  // The pointer moved to (x, y) with the button down.
  void drag(double x, double y) { history_.drag(x, y); }
  // The button released: a drag that moved its site becomes one step.
  void release() { history_.release(); }
  [[nodiscard]] bool dragging() const { return history_.dragging(); }
  // Removes the site under (x, y), if there is one and no site is being dragged.
  void removeAt(double x, double y) { history_.removeAt(x, y); }
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
  [[nodiscard]] bool hasUnsavedChanges() const { return history_.hasUnsavedChanges(); }
  // Writes the picture shown, in the format its file name asks for, with a text alternative
  // that describes it (see picture/svg_picture.h).
  static QString savePicture(const QString& path, const Picture& shown,
                             const QString& description = {});

 signals:
  // A new picture is current.
  void changed();
  // The history's steps changed: one added, undone or redone, or the layout saved.
  void stepsChanged();
  // A run of an edited layout stopped with this message; the previous picture stays.
  void runFailed(const QString& message);
  // The last layout could not be kept; said once.
  void keepingFailed(const QString& message);

 private:
  // Writes the layout to the last layout's file, or soon while a drag goes on.
  void keepLayout();
  void writeKeptLayout();
  template <class Read>
  QString useSiteList(Read read, const QString& source, const QString& what);

  LayoutHistory history_;
  QTimer keepTimer_;         // a write of the kept layout that waits for the drag's second
  QElapsedTimer sinceKept_;  // since the last write
  bool keepingFailed_ = false;
  bool shownOnce_ = false;
  std::function<std::uint32_t()> newRunSeeds_;
};

}  // namespace app
