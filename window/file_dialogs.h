#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace app {

class Document;

// The window's dialogs for files and the clipboard: site lists opened, pasted and saved, the
// picture or a lesson saved in any kind the table of output kinds offers, an exercise round's
// results under the learner's name. What goes wrong is shown in a box over the window.
class FileDialogs {
 public:
  FileDialogs(QWidget& parent, Document& document) : parent_(parent), document_(document) {}

  void copySites();
  void pasteSites();
  void openSites();
  void openLastLayout();
  void saveSitesAs();
  // Whether the window may close: nothing unsaved, or the user chose to save the sites (and
  // they were saved) or to discard them.
  [[nodiscard]] bool mayClose();
  // Asks for a file of a kind that holds a picture, and with lessonOffered the entries for
  // the pair's lesson as a handout or as slides too; saves by save(path, wholeLesson).
  void savePicture(bool lessonOffered,
                   const std::function<QString(const QString& path, bool wholeLesson)>& save);
  // Asks for the learner's name, which may stay empty, then a file; saves by save(path, name).
  void saveResults(const std::function<QString(const QString& path, const QString& name)>& save);

 private:
  // Does `act` with the path chosen, if any, and shows the problem it reports.
  void warnOfProblem(const QString& title, const QString& path,
                     const std::function<QString(const QString&)>& act);

  QWidget& parent_;
  Document& document_;
};

}  // namespace app
