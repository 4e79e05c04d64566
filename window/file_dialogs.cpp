#include "file_dialogs.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStringList>
#include <QWidget>

#include "document/document.h"
#include "picture_output/output_kind.h"

namespace app {

namespace {

const QString kSiteListFilter = QStringLiteral("Site lists (*.txt);;All files (*)");

}  // namespace

void FileDialogs::warnOfProblem(const QString& title, const QString& path,
                                const std::function<QString(const QString&)>& act) {
  if (path.isEmpty()) {
    return;
  }
  if (const QString problem = act(path); !problem.isEmpty()) {
    QMessageBox::warning(&parent_, title, problem);
  }
}

void FileDialogs::copySites() {
  QGuiApplication::clipboard()->setText(document_.siteListText());
}

void FileDialogs::pasteSites() {
  const QString problem = document_.pasteSiteList(QGuiApplication::clipboard()->text().toUtf8(),
                                                  QStringLiteral("clipboard"));
  if (!problem.isEmpty()) {
    QMessageBox::warning(&parent_, QStringLiteral("Paste sites"), problem);
  }
}

void FileDialogs::openLastLayout() {
  if (const QString problem = document_.openLastLayout(); !problem.isEmpty()) {
    QMessageBox::warning(&parent_, QStringLiteral("Open last layout"), problem);
  }
}

void FileDialogs::saveSitesAs() {
  const QString title = QStringLiteral("Save site list");
  warnOfProblem(title, QFileDialog::getSaveFileName(&parent_, title, {}, kSiteListFilter),
                [this](const QString& path) { return document_.saveSiteList(path); });
}

bool FileDialogs::mayClose() {
  if (!document_.hasUnsavedChanges()) {
    return true;
  }
  const auto answer = QMessageBox::question(
      &parent_, parent_.windowTitle(),
      QStringLiteral("The sites have changed since they were last saved. Save them as a site "
                     "list before closing?"),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) {
    saveSitesAs();
  }
  return answer == QMessageBox::Discard || !document_.hasUnsavedChanges();
}

void FileDialogs::openSites() {
  const QString title = QStringLiteral("Open site list");
  warnOfProblem(title, QFileDialog::getOpenFileName(&parent_, title, {}, kSiteListFilter),
                [this](const QString& path) { return document_.openSiteList(path); });
}

void FileDialogs::saveResults(
    const std::function<QString(const QString& path, const QString& name)>& save) {
  bool ok = false;
  const QString name = QInputDialog::getText(&parent_, QStringLiteral("Save results"),
                                             QStringLiteral("Your name (may stay empty):"),
                                             QLineEdit::Normal, QString(), &ok);
  if (!ok) {
    return;
  }
  const QString path = QFileDialog::getSaveFileName(&parent_, QStringLiteral("Save results"),
                                                    QStringLiteral("results.json"),
                                                    QStringLiteral("Exercise results (*.json)"));
  warnOfProblem(QStringLiteral("Save results"), path,
                [&](const QString& chosen) { return save(chosen, name); });
}

void FileDialogs::savePicture(
    bool lessonOffered, const std::function<QString(const QString& path, bool wholeLesson)>& save) {
  const QString title = QStringLiteral("Save picture");
  QStringList filters;
  for (const OutputKindInfo& kind : kOutputKinds) {
    if (holds(kind.kind, Holds::RunPicture)) {
      filters << QLatin1String(kind.filter);
    }
  }
  const QString handout = QStringLiteral("The pair's lesson as a PDF handout (*.pdf)");
  const QString slides = QStringLiteral("The pair's lesson as a Beamer frame (*.tex)");
  if (lessonOffered) {
    filters << handout << slides;
  }
  QString chosen;
  const QString path = QFileDialog::getSaveFileName(&parent_, title, QStringLiteral("picture.png"),
                                                    filters.join(QStringLiteral(";;")), &chosen);
  warnOfProblem(title, path, [&](const QString& chosenPath) {
    return save(chosenPath, chosen == handout || chosen == slides);
  });
}

}  // namespace app
